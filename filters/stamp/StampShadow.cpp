#include "filters/stamp/StampShadow.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "filters/stamp/StampCompositing.h"
#include "image/Blur.h"

namespace {

// Whole pixels as an int32, for offsets and margins that stay far inside it.
int32_t WholePixels(double value) {
    if (!(value > -1e6)) return -1000000;
    return static_cast<int32_t>(std::min(value, 1e6));
}

Rect Moved(const Rect& rect, int32_t dx, int32_t dy) {
    return Rect(rect.top + dy, rect.left + dx, rect.bottom + dy, rect.right + dx);
}

}  // namespace

Rect ShadowedRect(const Rect& stamp, const ShadowSettings& shadow) {
    const int32_t dx = WholePixels(std::ceil(shadow.distance * std::cos(shadow.angle)));
    const int32_t dy = WholePixels(std::ceil(shadow.distance * -std::sin(shadow.angle)));
    Rect grown = Rect::Union(stamp, Moved(stamp, dx, dy));
    const int32_t margin = WholePixels(std::ceil(std::max(shadow.blur, 0.0)));
    grown.Inflate(margin, margin);
    return grown;
}

ResultCode AddDropShadow(const ShadowSettings& shadow, std::unique_ptr<Image<unsigned char>>& stamp,
                         Abort_Tester* abort) {
    const Image<unsigned char>& original = *stamp;
    if (original.layout.channelCount != 4 || !original.HasData()) return ResultCode::Failure();
    const Rect rect = ShadowedRect(original.bounds, shadow);
    ResultCode result;
    std::unique_ptr<Image<unsigned char>> shadowed(new (std::nothrow)
                                                       Image<unsigned char>(original.layout, rect, result));
    if (shadowed == nullptr) return ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;
    SingleChannelImage<unsigned char> mask(rect, result);
    if (result.IsFailure()) return result;

    const int32_t ox = static_cast<int32_t>(shadow.distance * std::cos(shadow.angle) + 0.5);
    const int32_t oy = static_cast<int32_t>(shadow.distance * -std::sin(shadow.angle) + 0.5);
    const Rect& from = original.bounds;
    const int32_t alpha = original.layout.colourChannels;
    for (int32_t y = from.top; y < from.bottom; ++y) {
        std::copy_n(original.PixelAddress(Point{from.left, y}), static_cast<std::size_t>(from.Width()) * 4,
                    shadowed->PixelAddress(Point{from.left, y}));
    }
    const Rect masked = Rect::Intersect(Moved(from, ox, oy), rect);
    for (int32_t y = masked.top; y < masked.bottom; ++y) {
        const unsigned char* source = original.PixelAddress(Point{masked.left - ox, y - oy});
        unsigned char* target = mask.PixelAddress(Point{masked.left, y});
        for (int32_t x = masked.left; x < masked.right; ++x, source += original.pixelStride) *target++ = source[alpha];
    }
    if (shadow.blur > 0.0) {
        result = Blur(mask, shadow.blur, abort, true, nullptr, 0.0, 1.0);
        if (result.IsFailure()) return result;
    }

    const OverPair* table = OverTable();
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        if (abort != nullptr && abort->IsAborted()) return ResultCode::Cancelled();
        const unsigned char* level = mask.PixelAddress(Point{rect.left, y});
        unsigned char* pixel = shadowed->PixelAddress(Point{rect.left, y});
        for (int32_t x = rect.left; x < rect.right; ++x, ++level, pixel += 4) {
            const double shadowAlpha = std::clamp(*level * shadow.opacity + 0.5, 0.0, 255.0);
            uint8_t under[4] = {shadow.colour[0], shadow.colour[1], shadow.colour[2],
                                static_cast<uint8_t>(shadowAlpha)};
            CompositeOver(table, pixel, under, 3, true);
            std::copy_n(under, 4, pixel);
        }
    }
    stamp = std::move(shadowed);
    return ResultCode::Success();
}
