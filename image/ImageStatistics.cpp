#include "image/ImageStatistics.h"

#include <algorithm>
#include <cstddef>

#include "image/Iterators.h"

namespace {

using ConstIterator = LeftToRightTopToBottomConstIterator<Image<unsigned char>>;

// Resets `out` to the image's layout with every byte 0; false when the
// layout cannot be held or the image has nothing to read.
bool PrepareOutput(const Image<unsigned char>& image, ColourPixel& out) {
    out = ColourPixel();
    out.layout = image.layout;
    const int32_t channels = image.layout.channelCount;
    return channels > 0 && channels <= ColourPixel::kMaxChannels && image.HasData();
}

unsigned char RoundedByte(double value) { return static_cast<unsigned char>(std::clamp(value + 0.5, 0.0, 255.0)); }

unsigned char ClampedByte(uint64_t value) { return static_cast<unsigned char>(std::min<uint64_t>(value, 255)); }

// The non-negative remainder of value / divisor (divisor > 0).
int64_t WrapOffset(int64_t value, int64_t divisor) {
    const int64_t r = value % divisor;
    return r < 0 ? r + divisor : r;
}

}  // namespace

Rect VisiblePixelBounds(const Image<unsigned char>& image) {
    const Rect& b = image.bounds;
    if (b.IsEmpty() || !image.HasData()) return Rect();
    if (!image.layout.hasAlpha) return Rect(b.top, b.left, b.bottom - 1, b.right - 1);

    const int32_t alphaIndex = image.layout.colourChannels;
    Rect box(b.bottom, b.right, b.top, b.left);  // inverted: any hit shrinks it
    bool found = false;
    ConstIterator it(image);
    for (it.BeginAll(); it.IsValid(); it.Next()) {
        if (it.Pixel()[alphaIndex] == 0) continue;
        found = true;
        box.left = std::min(box.left, it.X());
        box.top = std::min(box.top, it.Y());
        box.right = std::max(box.right, it.X());
        box.bottom = std::max(box.bottom, it.Y());
    }
    return found ? box : Rect();
}

bool MeanColour(const Image<unsigned char>& image, const Rect& rect, ColourPixel& out) {
    if (!PrepareOutput(image, out)) return false;
    const Rect area = Rect::Intersect(rect, image.bounds);
    if (area.IsEmpty()) return false;

    const ChannelLayout& layout = image.layout;
    const int32_t channels = layout.channelCount;
    double sums[ColourPixel::kMaxChannels] = {};
    double count = 0.0;
    ConstIterator it(image);
    if (!layout.hasAlpha) {
        for (it.Begin(area); it.IsValid(); it.Next(), count += 1.0)
            for (int32_t j = 0; j < channels; ++j) sums[j] += it.Pixel()[j];
        for (int32_t j = 0; j < channels; ++j) out.channels[j] = RoundedByte(sums[j] / count);
        return true;
    }

    const int32_t alphaIndex = layout.colourChannels;
    for (it.Begin(area); it.IsValid(); it.Next(), count += 1.0) {
        const unsigned char* p = it.Pixel();
        const double alpha = p[alphaIndex];
        sums[alphaIndex] += alpha;
        for (int32_t j = 0; j < alphaIndex; ++j) sums[j] += alpha * p[j];
    }
    out.channels[alphaIndex] = RoundedByte(sums[alphaIndex] / count);
    if (sums[alphaIndex] > 0.0)
        for (int32_t j = 0; j < alphaIndex; ++j) out.channels[j] = RoundedByte(sums[j] / sums[alphaIndex]);
    return true;
}

bool TiledMeanColour(const Image<unsigned char>& image, const Rect& wrap, const Rect& rect, ColourPixel& out) {
    if (!PrepareOutput(image, out)) return false;
    if (rect.IsEmpty() || wrap.IsEmpty() || Rect::Intersect(wrap, image.bounds) != wrap) return false;

    const ChannelLayout& layout = image.layout;
    const int32_t channels = layout.channelCount;
    const bool hasAlpha = layout.hasAlpha;
    const int32_t alphaIndex = layout.colourChannels;
    const int64_t wrapWidth = wrap.Width();
    const int64_t wrapHeight = wrap.Height();
    // 64-bit sums: alpha × byte reaches 65025 per pixel, so a 32-bit sum
    // overflows from about 33 000 opaque pixels (a 182 × 182 stamp) on.
    uint64_t sums[ColourPixel::kMaxChannels] = {};
    const int64_t firstColumn = WrapOffset(int64_t{rect.left} - wrap.left, wrapWidth);
    const std::ptrdiff_t pixelStride = image.pixelStride;

    for (int64_t y = rect.top; y < rect.bottom; ++y) {
        const int64_t row = wrap.top + WrapOffset(y - wrap.top, wrapHeight);
        const unsigned char* rowStart = image.data + (row - image.bounds.top) * image.rowStride +
                                        (int64_t{wrap.left} - image.bounds.left) * pixelStride;
        int64_t column = firstColumn;
        for (int64_t x = rect.left; x < rect.right; ++x) {
            const unsigned char* p = rowStart + column * pixelStride;
            if (hasAlpha) {
                const uint64_t alpha = p[alphaIndex];
                sums[alphaIndex] += alpha;
                for (int32_t j = 0; j < alphaIndex; ++j) sums[j] += alpha * p[j];
            } else {
                for (int32_t j = 0; j < channels; ++j) sums[j] += p[j];
            }
            if (++column == wrapWidth) column = 0;
        }
    }

    const uint64_t area =
        static_cast<uint64_t>(int64_t{rect.right} - rect.left) * static_cast<uint64_t>(int64_t{rect.bottom} - rect.top);
    if (!hasAlpha) {
        for (int32_t j = 0; j < channels; ++j) out.channels[j] = ClampedByte(sums[j] / area);
        return true;
    }
    const uint64_t alphaSum = sums[alphaIndex];
    out.channels[alphaIndex] = RoundedByte(static_cast<double>(alphaSum) / static_cast<double>(area));
    if (alphaSum > 0)
        for (int32_t j = 0; j < alphaIndex; ++j) out.channels[j] = ClampedByte(sums[j] / alphaSum);
    return true;
}
