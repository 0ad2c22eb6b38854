// Border Stamp, Fill Stamp and Frame at their defaults, with the default
// content pack, on a 6000 x 4000 photograph-like RGB picture with a soft
// elliptical selection: at full size (the render as the full-size render
// drives it) and as a preview at reduction 4 (the preview renderer from the
// full-size source: reduction, render).
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "dialog/PreviewRenderer.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/borderstamp/BorderStamp.h"
#include "filters/fillstamp/FillStamp.h"
#include "filters/frame/Frame.h"
#include "image/Image.h"
#include "image/RowImage.h"

namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

// A small integer hash for grain that does not repeat.
uint32_t Hash(uint32_t x, uint32_t y) {
    uint32_t h = x * 374761393u + y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// A landscape: a sky gradient, rolling hills in two greens, a sun, and grain;
// the selection an ellipse over most of it, its edge two pixels soft.
struct Document {
    RowImage pixels;
    RowImage mask;
    Document() {
        const Rect bounds(0, 0, kHeight, kWidth);
        const Rect ellipse(300, 400, kHeight - 300, kWidth - 400);
        if (pixels.Allocate(bounds, 3, 1).IsFailure() || mask.Allocate(ellipse, 1, 1).IsFailure()) return;
        for (int32_t y = 0; y < kHeight; ++y) {
            unsigned char* p = pixels.Row(y);
            for (int32_t x = 0; x < kWidth; ++x, p += 3) {
                const double u = static_cast<double>(x) / kWidth, v = static_cast<double>(y) / kHeight;
                const double hill = 0.55 + 0.08 * std::sin(u * 9.0) + 0.04 * std::sin(u * 23.0 + 1.0);
                const int grain = static_cast<int>(Hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y)) % 17) - 8;
                double r, g, b;
                if (v < hill) {
                    const double sun = std::exp(-((u - 0.7) * (u - 0.7) + (v - 0.25) * (v - 0.25)) * 60.0);
                    r = 60 + 180 * v + 120 * sun;
                    g = 80 + 120 * v + 110 * sun;
                    b = 170 - 60 * v + 40 * sun;
                } else {
                    const double shade = 0.6 + 0.4 * std::sin(u * 40.0 + v * 17.0);
                    r = 40 + 30 * shade;
                    g = 90 + 70 * shade;
                    b = 30 + 20 * shade;
                }
                p[0] = static_cast<unsigned char>(std::clamp(r + grain, 0.0, 255.0));
                p[1] = static_cast<unsigned char>(std::clamp(g + grain, 0.0, 255.0));
                p[2] = static_cast<unsigned char>(std::clamp(b + grain, 0.0, 255.0));
            }
        }
        const double cx = 0.5 * (ellipse.left + ellipse.right), cy = 0.5 * (ellipse.top + ellipse.bottom);
        const double rx = 0.5 * ellipse.Width(), ry = 0.5 * ellipse.Height();
        for (int32_t y = ellipse.top; y < ellipse.bottom; ++y) {
            unsigned char* m = mask.Row(y);
            for (int32_t x = ellipse.left; x < ellipse.right; ++x) {
                const double r = std::hypot((x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry);
                *m++ = static_cast<unsigned char>(std::clamp(127.5 + (1.0 - r) * 0.5 * rx * 255.0, 0.0, 255.0));
            }
        }
    }
    bool Ready() const { return pixels.HasRows() && mask.HasRows(); }
};

Document& SharedDocument() {
    static Document document;
    return document;
}

std::string PackFile(const char* name) { return std::string(DAPPLE_CONTENT_PACK) + "/" + name; }

// The effect of `kind` with its defaults, its content file named by its full path.
struct Effect {
    std::unique_ptr<Filter> filter;
    ParameterBlock block{};
};

Effect MakeEffect(int32_t kind) {
    Effect effect;
    ContentReference* file = nullptr;
    const char* name = nullptr;
    switch (kind) {
        case FilterKinds::BorderStamp:
            effect.filter = std::make_unique<BorderStamp>();
            effect.filter->WriteDefaults(effect.block);
            file = &effect.block.As<BorderStampParameters>().tubeFile;
            name = "Tubes/Stars.tub";
            break;
        case FilterKinds::FillStamp:
            effect.filter = std::make_unique<FillStamp>();
            effect.filter->WriteDefaults(effect.block);
            file = &effect.block.As<FillStampParameters>().tubeFile;
            name = "Tubes/Leaves.tub";
            break;
        default:
            effect.filter = std::make_unique<Frame>();
            effect.filter->WriteDefaults(effect.block);
            file = &effect.block.As<FrameParameters>().framePicture;
            name = "Frames/Wooden.rfr";
            break;
    }
    effect.filter->kind = kind;
    file->relative = 0;
    SetReferencePath(*file, PackFile(name));
    return effect;
}

void BM_StampsFullSize(benchmark::State& state) {
    Document& document = SharedDocument();
    if (!document.Ready()) {
        state.SkipWithError("out of memory");
        return;
    }
    const ChannelLayout layout(kColourModelRGB, 3, false);
    const Rect bounds = document.pixels.Bounds();
    RowImage output;
    if (output.Allocate(bounds, 3, 1).IsFailure()) {
        state.SkipWithError("out of memory");
        return;
    }
    const Image<unsigned char> inputView(document.pixels, layout);
    SingleChannelImage<unsigned char> maskView(document.mask);
    const int32_t kind = static_cast<int32_t>(state.range(0));
    NeverAborts never;
    for (auto _ : state) {
        Effect effect = MakeEffect(kind);
        const Rect area =
            Rect::Intersect(effect.filter->AffectedRect(document.mask.Bounds(), effect.block, 1.0), bounds);
        RowImage outputRows;
        if (outputRows.WrapRows(area, 3, 1, output.PixelAddress(area.left, area.top), output.RowDistance())
                .IsFailure()) {
            state.SkipWithError("no output");
            return;
        }
        Image<unsigned char> outputView(outputRows, layout);
        RenderContext context;
        context.documentBounds = bounds;
        context.area = area;
        context.maskBounds = document.mask.Bounds();
        context.fullSizeDocumentBounds = bounds;
        context.fullSizeMaskBounds = document.mask.Bounds();
        context.fullSizeMask = &maskView;
        context.input = &document.pixels;
        context.output = &outputRows;
        context.inputView = &inputView;
        context.outputView = &outputView;
        context.maskView = &maskView;
        context.parameters = &effect.block;
        context.abort = &never;
        ResultCode result = effect.filter->BeginRender(context);
        if (result.IsSuccess()) result = effect.filter->Render(context);
        effect.filter->EndRender(effect.block);
        if (result.IsFailure()) {
            state.SkipWithError("render failed");
            return;
        }
        benchmark::ClobberMemory();
    }
}

void SetSeed(Effect& effect, uint16_t seed) {
    if (effect.filter->kind == FilterKinds::BorderStamp) {
        effect.block.As<BorderStampParameters>().randomSeed = seed;
    } else if (effect.filter->kind == FilterKinds::FillStamp) {
        effect.block.As<FillStampParameters>().randomSeed = seed;
    }
}

// Second argument 0: a fresh effect and renderer for each preview, as for the
// dialog's first. 1: the dialog's later previews: one effect and renderer for
// the run and a new seed before each preview, so that the stamps are placed
// anew while the search of the full-size selection is kept.
void BM_StampsPreview4(benchmark::State& state) {
    Document& document = SharedDocument();
    if (!document.Ready()) {
        state.SkipWithError("out of memory");
        return;
    }
    const Image<unsigned char> image(document.pixels, ChannelLayout(kColourModelRGB, 3, false));
    const SingleChannelImage<unsigned char> mask(document.mask);
    PreviewDocument preview;
    preview.image = &image;
    preview.mask = &mask;
    const int32_t kind = static_cast<int32_t>(state.range(0));
    const bool kept = state.range(1) != 0;
    Effect effect = MakeEffect(kind);
    auto renderer = std::make_unique<PreviewRenderer>(preview);
    NeverAborts never;
    if (kept && renderer->Render(*effect.filter, effect.block, 4.0, Rect(), never, nullptr).IsFailure()) {
        state.SkipWithError("preview failed");
        return;
    }
    uint16_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        if (kept) {
            SetSeed(effect, ++seed);
        } else {
            effect = MakeEffect(kind);
            renderer = std::make_unique<PreviewRenderer>(preview);
        }
        state.ResumeTiming();
        if (renderer->Render(*effect.filter, effect.block, 4.0, Rect(), never, nullptr).IsFailure()) {
            state.SkipWithError("preview failed");
            return;
        }
        benchmark::DoNotOptimize(renderer->Preview().FirstPixel());
    }
}

// Kinds: 0 Border Stamp, 2 Fill Stamp, 3 Frame.
BENCHMARK(BM_StampsFullSize)->Arg(0)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StampsPreview4)
    ->ArgNames({"kind", "kept"})
    ->Args({0, 0})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({0, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
