// What the effects' benchmarks share: a 6000 x 4000 RGB document with
// everything selected, and the two ways an effect renders it: at full size
// (the render and the core's mask blend, as the full-size render runs them)
// and as a reduced preview (the preview renderer from the full-size source:
// reduction, render, blend).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <benchmark/benchmark.h>

#include "dialog/PreviewRenderer.h"
#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "image/Image.h"
#include "image/MaskBlend.h"
#include "image/RowImage.h"

namespace effect_bench {

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

inline Document& SharedDocument() {
    static Document document;
    return document;
}

using EffectMaker = std::function<std::unique_ptr<Filter>()>;

template <typename Effect>
std::unique_ptr<Filter> Make() {
    return std::make_unique<Effect>();
}

// The effect's defaults.
template <typename Effect>
ParameterBlock Defaults() {
    ParameterBlock block{};
    Effect().WriteDefaults(block);
    return block;
}

// Renders the whole document at full size once per iteration.
inline void RenderFullSize(benchmark::State& state, const EffectMaker& make, ParameterBlock block) {
    Document& document = SharedDocument();
    const Rect bounds = document.pixels.Bounds();
    const ChannelLayout layout(kColourModelRGB, 3, false);
    RowImage output;
    if (!document.Ready() || output.Allocate(bounds, 3, 1).IsFailure()) {
        state.SkipWithError("out of memory");
        return;
    }
    const Image<unsigned char> inputView(document.pixels, layout);
    Image<unsigned char> outputView(output, layout);
    SingleChannelImage<unsigned char> maskView(document.mask);
    NeverAbort never;
    for (auto _ : state) {
        std::unique_ptr<Filter> effect = make();
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
        ResultCode result = effect->BeginRender(context);
        if (result.IsSuccess()) result = effect->Render(context);
        effect->EndRender(block);
        if (result.IsFailure()) {
            state.SkipWithError("render failed");
            return;
        }
        BlendPiece(document.pixels, output, document.mask, bounds, 3, false);
        benchmark::ClobberMemory();
    }
}

// Renders the preview of the whole document at `scale` once per iteration.
inline void RenderPreview(benchmark::State& state, const EffectMaker& make, ParameterBlock block, double scale) {
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
    NeverAbort never;
    for (auto _ : state) {
        std::unique_ptr<Filter> effect = make();
        PreviewRenderer renderer(preview);
        if (renderer.Render(*effect, block, scale, Rect(), never, nullptr).IsFailure()) {
            state.SkipWithError("preview failed");
            return;
        }
        benchmark::DoNotOptimize(renderer.Preview().FirstPixel());
    }
}

}  // namespace effect_bench
