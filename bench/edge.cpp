// The Edges effect on a 6000 x 4000 RGB image with everything selected, each
// treatment at full size (the render and the core's mask blend, as the
// full-size render runs them) and as a preview at reduction 4 (the preview
// renderer from the full-size source: reduction, render, blend).
#include <cstdint>
#include <memory>

#include <benchmark/benchmark.h>

#include "dialog/PreviewRenderer.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/edge/Edge.h"
#include "image/Image.h"
#include "image/MaskBlend.h"
#include "image/RowImage.h"

namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

class NeverAbort : public Abort_Tester {
public:
    bool IsAborted() override { return false; }
};

// The document: a colour gradient and the constant mask of a full selection.
struct Document {
    RowImage pixels;
    RowImage mask;
    Document() {
        const Rect bounds(0, 0, kHeight, kWidth);
        if (pixels.Allocate(bounds, 3, 1).IsFailure() || mask.AllocateConstantMask(bounds, 255).IsFailure()) return;
        for (int32_t y = 0; y < kHeight; ++y) {
            unsigned char* p = pixels.Row(y);
            for (int32_t x = 0; x < kWidth; ++x, p += 3) {
                p[0] = static_cast<unsigned char>(x * 255 / kWidth);
                p[1] = static_cast<unsigned char>(y * 255 / kHeight);
                p[2] = static_cast<unsigned char>((x + y) & 255);
            }
        }
    }
    bool Ready() const { return pixels.HasRows() && mask.HasRows(); }
};

Document& SharedDocument() {
    static Document document;
    return document;
}

ParameterBlock DefaultsFor(int32_t type) {
    ParameterBlock block{};
    Edge edge;
    edge.WriteDefaults(block);
    block.As<EdgeParameters>().edgeType = type;
    return block;
}

void BM_EdgeFullSize(benchmark::State& state) {
    Document& document = SharedDocument();
    if (!document.Ready()) {
        state.SkipWithError("out of memory");
        return;
    }
    ParameterBlock block = DefaultsFor(static_cast<int32_t>(state.range(0)));
    const Rect bounds = document.pixels.Bounds();
    const ChannelLayout layout(kColourModelRGB, 3, false);
    RowImage output;
    if (output.Allocate(bounds, 3, 1).IsFailure()) {
        state.SkipWithError("out of memory");
        return;
    }
    const Image<unsigned char> inputView(document.pixels, layout);
    Image<unsigned char> outputView(output, layout);
    SingleChannelImage<unsigned char> maskView(document.mask);
    NeverAbort never;
    for (auto _ : state) {
        Edge edge;
        RenderContext context;
        context.documentBounds = bounds;
        context.area = bounds;
        context.maskBounds = bounds;
        context.input = &document.pixels;
        context.output = &output;
        context.inputView = &inputView;
        context.outputView = &outputView;
        context.maskView = &maskView;
        context.parameters = &block;
        context.abort = &never;
        ResultCode result = edge.BeginRender(context);
        if (result.IsSuccess()) result = edge.Render(context);
        edge.EndRender(block);
        if (result.IsFailure()) {
            state.SkipWithError("render failed");
            return;
        }
        BlendPiece(document.pixels, output, document.mask, bounds, 3, false);
        benchmark::ClobberMemory();
    }
}

void BM_EdgePreview4(benchmark::State& state) {
    Document& document = SharedDocument();
    if (!document.Ready()) {
        state.SkipWithError("out of memory");
        return;
    }
    ParameterBlock block = DefaultsFor(static_cast<int32_t>(state.range(0)));
    const Image<unsigned char> image(document.pixels, ChannelLayout(kColourModelRGB, 3, false));
    const SingleChannelImage<unsigned char> mask(document.mask);
    PreviewDocument preview;
    preview.image = &image;
    preview.mask = &mask;
    NeverAbort never;
    for (auto _ : state) {
        Edge edge;
        PreviewRenderer renderer(preview);
        if (renderer.Render(edge, block, 4.0, Rect(), never, nullptr).IsFailure()) {
            state.SkipWithError("preview failed");
            return;
        }
        benchmark::DoNotOptimize(renderer.Preview().FirstPixel());
    }
}

// Edge types: 0 distress, 1 fBm distress, 2 halftone dots, 3 halftone lines,
// 4 pixelizer, 5 torn paper.
BENCHMARK(BM_EdgeFullSize)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EdgePreview4)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
