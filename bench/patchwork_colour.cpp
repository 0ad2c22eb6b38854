// How well Patchwork's default tile library matches real photographs: each
// photograph fetched by scripts/fetch-photographs.sh (into
// .cache/photographs) is rebuilt at Patchwork's defaults, and for every cell
// the mean colour of the pasted tile is compared with the photograph's mean
// over the cell, as CIE ΔE 2000 and ΔE 1976 (Little CMS). The counters give
// the mean over the cells and the share of cells a viewer sees as plainly
// another colour (ΔE 2000 above 10); the time is the render's.
#include <lcms2.h>

#include <array>
#include <string>
#include <vector>

#include "bench/EffectBench.h"
#include "filters/patchwork/PatchworkCells.h"
#include "image/CieColour.h"
#include "imagefiles/ImageFiles.h"

namespace {

using namespace effect_bench;

const std::array<const char*, 5> kPhotographs = {"astronaut.png", "chelsea.png", "coffee.png", "motorcycle_left.png",
                                                 "rocket.jpg"};

bool ReadPhotograph(const std::string& name, RowImage& pixels) {
    RasterImage raster;
    if (!ReadImageFile(std::string(DAPPLE_PHOTOGRAPHS) + "/" + name, raster).Ok() || raster.channels != 3) return false;
    if (pixels.Allocate(Rect(0, 0, raster.height, raster.width), 3, 1).IsFailure()) return false;
    for (int32_t y = 0; y < raster.height; ++y) std::copy_n(raster.Row(y), raster.RowBytes(), pixels.Row(y));
    return true;
}

ResultCode RenderPatchwork(const RowImage& source, RowImage& output, Filter& effect, ParameterBlock& block) {
    const Rect bounds = source.Bounds();
    const ChannelLayout layout(kColourModelRGB, 3, false);
    const Image<unsigned char> inputView(source, layout);
    Image<unsigned char> outputView(output, layout);
    NeverAborts never;
    RenderContext context;
    context.documentBounds = bounds;
    context.area = bounds;
    context.maskBounds = bounds;
    context.fullSizeDocumentBounds = bounds;
    context.fullSizeMaskBounds = bounds;
    context.inputView = &inputView;
    context.outputView = &outputView;
    context.parameters = &block;
    context.abort = &never;
    ResultCode result = effect.BeginRender(context);
    if (result.IsSuccess()) result = effect.Render(context);
    effect.EndRender(block);
    return result;
}

cmsCIELab MeanLab(const RowImage& pixels, const Rect& cell) {
    double sum[3] = {0.0, 0.0, 0.0};
    for (int32_t y = cell.top; y < cell.bottom; ++y) {
        const unsigned char* p = pixels.PixelAddress(cell.left, y);
        for (int32_t x = cell.left; x < cell.right; ++x, p += 3)
            for (int c = 0; c < 3; ++c) sum[c] += p[c];
    }
    const double count = 255.0 * cell.Width() * cell.Height();
    const LabColour lab = LabFromXYZ(XYZFromSrgb(RGBColour{sum[0] / count, sum[1] / count, sum[2] / count}));
    return cmsCIELab{lab.lightness, lab.a, lab.b};
}

void BM_PatchworkColour(benchmark::State& state, const char* name) {
    RowImage source;
    if (!ReadPhotograph(name, source)) {
        state.SkipWithError("no photograph: run scripts/fetch-photographs.sh");
        return;
    }
    RowImage output;
    if (output.Allocate(source.Bounds(), 3, 1).IsFailure()) {
        state.SkipWithError("out of memory");
        return;
    }
    const BenchEffect made = AtDefaultsWithPack(FilterKinds::Patchwork);
    if (!made.filter) {
        state.SkipWithError("effect not built");
        return;
    }
    ParameterBlock block = made.block;
    for (auto _ : state) {
        if (RenderPatchwork(source, output, *made.filter, block).IsFailure()) {
            state.SkipWithError("render failed");
            return;
        }
    }

    // The cells as the render laid them: square, tile size 6, from the top-left corner.
    const patchwork::CellGrid grid(source.Bounds(), patchwork::CellSizeFor(6.0, 1.0, 1, 1));
    double sum2000 = 0.0, sum1976 = 0.0;
    int64_t far = 0, cells = 0;
    for (int32_t row = 0; row < grid.Rows(); ++row)
        for (int32_t column = 0; column < grid.Columns(); ++column) {
            const Rect cell = Rect::Intersect(grid.Cell(column, row), source.Bounds());
            const cmsCIELab wanted = MeanLab(source, cell), got = MeanLab(output, cell);
            const double difference = cmsCIE2000DeltaE(&wanted, &got, 1.0, 1.0, 1.0);
            sum2000 += difference;
            sum1976 += cmsDeltaE(&wanted, &got);
            far += difference > 10.0 ? 1 : 0;
            ++cells;
        }
    state.counters["dE2000"] = sum2000 / cells;
    state.counters["dE76"] = sum1976 / cells;
    state.counters["far%"] = 100.0 * far / cells;
}

const bool kRegistered = [] {
    for (const char* name : kPhotographs)
        benchmark::RegisterBenchmark((std::string("BM_PatchworkColour/") + name).c_str(), BM_PatchworkColour, name)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    return true;
}();

}  // namespace
