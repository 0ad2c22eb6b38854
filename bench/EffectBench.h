// What the effects' benchmarks share: a 6000 x 4000 photograph-like RGB
// document with one of two selections, the effects as the factory makes them
// with their content named by its full path, and the two ways an effect
// renders the document: at full size (the affected area in one piece and the
// core's mask blend, as the full-size render drives them) and as a reduced
// preview (the preview renderer from the full-size source: reduction, render,
// blend).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "base/FilterKind.h"
#include "content/ContentFolders.h"
#include "content/ContentReference.h"
#include "dialog/PreviewRenderer.h"
#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/borderstamp/BorderStampParameters.h"
#include "filters/fillstamp/FillStampParameters.h"
#include "filters/frame/FrameParameters.h"
#include "filters/patchwork/PatchworkParameters.h"
#include "filters/resurface/ResurfaceParameters.h"
#include "host/FilterFactory.h"
#include "image/Image.h"
#include "image/MaskBlend.h"
#include "image/RowImage.h"

namespace effect_bench {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

// A small integer hash for grain that does not repeat.
inline uint32_t Hash(uint32_t x, uint32_t y) {
    uint32_t h = x * 374761393u + y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// A landscape: a sky gradient, rolling hills in two greens, a sun, and grain.
inline RowImage& Picture() {
    static RowImage pixels;
    if (pixels.HasRows() || pixels.Allocate(Rect(0, 0, kHeight, kWidth), 3, 1).IsFailure()) return pixels;
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
    return pixels;
}

enum class Selection {
    Everything,   // the constant mask of the whole picture
    SoftEllipse,  // an ellipse over most of the picture, its edge two pixels soft
};

inline RowImage& EverythingMask() {
    static RowImage mask;
    if (!mask.HasRows()) (void)mask.AllocateConstantMask(Rect(0, 0, kHeight, kWidth), 255);
    return mask;
}

inline RowImage& SoftEllipseMask() {
    static RowImage mask;
    const Rect ellipse(300, 400, kHeight - 300, kWidth - 400);
    if (mask.HasRows() || mask.Allocate(ellipse, 1, 1).IsFailure()) return mask;
    const double cx = 0.5 * (ellipse.left + ellipse.right), cy = 0.5 * (ellipse.top + ellipse.bottom);
    const double rx = 0.5 * ellipse.Width(), ry = 0.5 * ellipse.Height();
    for (int32_t y = ellipse.top; y < ellipse.bottom; ++y) {
        unsigned char* m = mask.Row(y);
        for (int32_t x = ellipse.left; x < ellipse.right; ++x) {
            const double r = std::hypot((x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry);
            *m++ = static_cast<unsigned char>(std::clamp(127.5 + (1.0 - r) * 0.5 * rx * 255.0, 0.0, 255.0));
        }
    }
    return mask;
}

inline RowImage& SelectionMask(Selection selection) {
    return selection == Selection::Everything ? EverythingMask() : SoftEllipseMask();
}

// An effect as the factory makes it, and its parameters.
struct BenchEffect {
    std::unique_ptr<Filter> filter;
    ParameterBlock block{};
};

// Makes the effect a benchmark renders, afresh for each render.
using EffectSetup = std::function<BenchEffect()>;

// The effect of `kind` at its defaults; no filter when this build lacks it.
inline BenchEffect AtDefaults(FilterKind kind) {
    BenchEffect effect;
    if (CreateFilter(kind, effect.filter).IsSuccess()) effect.filter->WriteDefaults(effect.block);
    return effect;
}

// The content file an effect's parameters name; none for Edges.
inline ContentReference* ContentOf(ParameterBlock& block) {
    switch (block.kind) {
        case FilterKinds::BorderStamp: return &block.As<BorderStampParameters>().tubeFile;
        case FilterKinds::FillStamp: return &block.As<FillStampParameters>().tubeFile;
        case FilterKinds::Frame: return &block.As<FrameParameters>().framePicture;
        case FilterKinds::Patchwork: return &block.As<PatchworkParameters>().library;
        case FilterKinds::Resurface: return &block.As<ResurfaceParameters>().texture;
        default: return nullptr;
    }
}

#ifdef DAPPLE_CONTENT_PACK
// The effect of `kind` at its defaults, its default content file named by
// its full path in the content pack the build draws: the benchmarks do not
// run beside the pack as the plug-ins do.
inline BenchEffect AtDefaultsWithPack(FilterKind kind) {
    BenchEffect effect = AtDefaults(kind);
    ContentReference* content = effect.filter ? ContentOf(effect.block) : nullptr;
    if (content == nullptr || content->relative == 0) return effect;
    const ContentFolders beside(std::filesystem::path(DAPPLE_CONTENT_PACK).parent_path().string());
    const std::string path = beside.resolve(*content);
    content->relative = 0;
    SetReferencePath(*content, path);
    return effect;
}
#endif

// False, with the error given to `state`, when the document or the effect is missing.
inline bool Ready(benchmark::State& state, Selection selection, const BenchEffect& effect) {
    if (!Picture().HasRows() || !SelectionMask(selection).HasRows()) {
        state.SkipWithError("out of memory");
        return false;
    }
    if (!effect.filter) {
        state.SkipWithError("effect not built");
        return false;
    }
    return true;
}

// Renders the affected area of the document at full size once per iteration.
inline void RenderFullSize(benchmark::State& state, Selection selection, const EffectSetup& setup) {
    RowImage& pixels = Picture();
    const RowImage& mask = SelectionMask(selection);
    if (!Ready(state, selection, setup())) return;
    const Rect bounds = pixels.Bounds();
    const ChannelLayout layout(kColourModelRGB, 3, false);
    RowImage output;
    if (output.Allocate(bounds, 3, 1).IsFailure()) {
        state.SkipWithError("out of memory");
        return;
    }
    const Image<unsigned char> inputView(pixels, layout);
    SingleChannelImage<unsigned char> maskView(mask);
    NeverAborts never;
    for (auto _ : state) {
        BenchEffect effect = setup();
        const Rect area = Rect::Intersect(effect.filter->AffectedRect(mask.Bounds(), effect.block, 1.0), bounds);
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
        context.maskBounds = mask.Bounds();
        context.fullSizeDocumentBounds = bounds;
        context.fullSizeMaskBounds = mask.Bounds();
        context.fullSizeMask = &maskView;
        context.input = &pixels;
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
        if (effect.filter->CoreAppliesMask()) BlendPiece(pixels, outputRows, mask, area, 3, false);
        benchmark::ClobberMemory();
    }
}

// The preview of the whole document at `scale`. Without `change`, a fresh
// effect and renderer for each preview, as for the dialog's first. With it,
// the dialog's later previews: one effect and renderer for the run, `change`
// applied to the parameters before each preview (not timed).
inline void RenderPreview(benchmark::State& state, Selection selection, const EffectSetup& setup, double scale,
                          const std::function<void(ParameterBlock&)>& change = nullptr) {
    BenchEffect effect = setup();
    if (!Ready(state, selection, effect)) return;
    const Image<unsigned char> image(Picture(), ChannelLayout(kColourModelRGB, 3, false));
    const SingleChannelImage<unsigned char> mask(SelectionMask(selection));
    PreviewDocument preview;
    preview.image = &image;
    preview.mask = &mask;
    auto renderer = std::make_unique<PreviewRenderer>(preview);
    NeverAborts never;
    if (change && renderer->Render(*effect.filter, effect.block, scale, Rect(), never, nullptr).IsFailure()) {
        state.SkipWithError("preview failed");
        return;
    }
    for (auto _ : state) {
        if (change) {
            state.PauseTiming();
            change(effect.block);
            state.ResumeTiming();
        } else {
            effect = setup();
            renderer = std::make_unique<PreviewRenderer>(preview);
        }
        if (renderer->Render(*effect.filter, effect.block, scale, Rect(), never, nullptr).IsFailure()) {
            state.SkipWithError("preview failed");
            return;
        }
        benchmark::DoNotOptimize(renderer->Preview().FirstPixel());
    }
}

}  // namespace effect_bench
