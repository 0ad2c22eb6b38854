// Small images, masks and a render driver shared by the effects' tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/Progress.h"
#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "image/Image.h"

namespace effect_test {

inline ChannelLayout RGB() { return ChannelLayout(kColourModelRGB, 3, false); }
inline ChannelLayout RGBA() { return ChannelLayout(kColourModelRGB, 3, true); }
inline ChannelLayout Grey() { return ChannelLayout(kColourModelGrey, 1, false); }

// An owning image whose samples are set by `sample(x, y, channel)`.
inline Image<unsigned char> MakeImage(const ChannelLayout& layout, const Rect& bounds,
                                      const std::function<uint8_t(int, int, int)>& sample) {
    ResultCode result;
    Image<unsigned char> image(layout, bounds, result);
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x)
            for (int c = 0; c < image.layout.channelCount; ++c) image.PixelAddress(Point{x, y})[c] = sample(x, y, c);
    return image;
}

// A mask over `bounds`: 255 inside `selected`, 0 elsewhere.
inline SingleChannelImage<unsigned char> RectMask(const Rect& bounds, const Rect& selected) {
    ResultCode result;
    SingleChannelImage<unsigned char> mask(bounds, result);
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x)
            *mask.PixelAddress(Point{x, y}) = selected.Contains(Point{x, y}) ? 255 : 0;
    return mask;
}

class CountingAbort : public Abort_Tester {
public:
    explicit CountingAbort(int answerYesFrom = -1) : yesFrom_(answerYesFrom) {}
    bool IsAborted() override { return yesFrom_ >= 0 && calls++ >= yesFrom_; }
    int calls = 0;

private:
    int yesFrom_;
};

class RecordingProgress : public ProgressUpdateSink {
public:
    void Update(double fraction) override { values.push_back(fraction); }
    std::vector<double> values;
};

struct RenderOutcome {
    ResultCode status;
    Image<unsigned char> output;
};

// What a render is given besides the effect, its parameters and the source.
struct RenderOptions {
    SingleChannelImage<unsigned char>* mask = nullptr;
    double scale = 1.0;
    Abort_Tester* abort = nullptr;
    ProgressUpdateSink* progress = nullptr;
    Rect area;  // the source's bounds when empty
};

// Runs BeginRender, Render and EndRender of `effect` with `block` on a copy
// of `source` over the area; the input is the effect's needed input rect
// within the source.
inline RenderOutcome RenderEffect(Filter& effect, ParameterBlock& block, const Image<unsigned char>& source,
                                  const RenderOptions& options = RenderOptions()) {
    const Rect area = options.area.IsEmpty() ? source.bounds : options.area;
    ResultCode made;
    Image<unsigned char> output(source.layout, source.bounds, made);
    for (int y = source.bounds.top; y < source.bounds.bottom; ++y)
        for (int x = source.bounds.left; x < source.bounds.right; ++x)
            for (int c = 0; c < source.layout.channelCount; ++c)
                output.PixelAddress(Point{x, y})[c] = source.PixelAddress(Point{x, y})[c];
    Image<unsigned char>& sourceParent = const_cast<Image<unsigned char>&>(source);
    const Image<unsigned char> input(
        sourceParent, Rect::Intersect(effect.NeededInputRect(area, block, options.scale), source.bounds));
    Image<unsigned char> outputWindow(output, area);

    RenderContext context;
    context.documentBounds = source.bounds;
    context.area = area;
    context.maskBounds = options.mask != nullptr ? options.mask->bounds : source.bounds;
    context.inputView = &input;
    context.outputView = &outputWindow;
    context.maskView = options.mask;
    context.parameters = &block;
    context.outputHasAlpha = source.layout.hasAlpha;
    context.scale = options.scale;
    context.abort = options.abort;
    context.progress = options.progress;
    ResultCode status = effect.BeginRender(context);
    if (status.IsSuccess()) status = effect.Render(context);
    effect.EndRender(block);
    return RenderOutcome{status, std::move(output)};
}

inline const uint8_t* At(const Image<unsigned char>& image, int x, int y) { return image.PixelAddress(Point{x, y}); }

inline bool SamePixel(const Image<unsigned char>& a, const Image<unsigned char>& b, int x, int y) {
    for (int c = 0; c < a.layout.channelCount; ++c)
        if (At(a, x, y)[c] != At(b, x, y)[c]) return false;
    return true;
}

inline bool SameImage(const Image<unsigned char>& a, const Image<unsigned char>& b) {
    if (a.bounds != b.bounds || a.layout != b.layout) return false;
    for (int y = a.bounds.top; y < a.bounds.bottom; ++y)
        for (int x = a.bounds.left; x < a.bounds.right; ++x)
            if (!SamePixel(a, b, x, y)) return false;
    return true;
}

// A colourful source: each channel a different slow ramp, never equal to 255.
inline Image<unsigned char> Ramp(const ChannelLayout& layout, const Rect& bounds, uint8_t alpha = 200) {
    return MakeImage(layout, bounds, [&](int x, int y, int c) -> uint8_t {
        if (layout.hasAlpha && c == layout.colourChannels) return alpha;
        return static_cast<uint8_t>((x * 3 + y * 5 + c * 40) % 200 + 10);
    });
}

}  // namespace effect_test
