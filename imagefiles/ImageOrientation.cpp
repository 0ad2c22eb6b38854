#include "imagefiles/ImageOrientation.h"

#include <cstring>

RasterImage OrientedAsShown(const RasterImage& stored, int orientation) {
    if (orientation < 2 || orientation > 8) return stored;
    const int32_t w = stored.width;
    const int32_t h = stored.height;
    const bool turned = orientation >= 5;
    RasterImage shown(turned ? h : w, turned ? w : h, stored.channels);
    const auto pixelBytes = static_cast<std::size_t>(stored.channels);
    for (int32_t y = 0; y < shown.height; ++y) {
        uint8_t* out = shown.Row(y);
        for (int32_t x = 0; x < shown.width; ++x, out += pixelBytes) {
            // The stored pixel shown at (x, y).
            int32_t sx = x;
            int32_t sy = y;
            switch (orientation) {
                case 2: sx = w - 1 - x; break;
                case 3: sx = w - 1 - x, sy = h - 1 - y; break;
                case 4: sy = h - 1 - y; break;
                case 5: sx = y, sy = x; break;
                case 6: sx = y, sy = h - 1 - x; break;
                case 7: sx = w - 1 - y, sy = h - 1 - x; break;
                default: sx = w - 1 - y, sy = x; break;  // 8
            }
            std::memcpy(out, stored.Row(sy) + static_cast<std::size_t>(sx) * pixelBytes, pixelBytes);
        }
    }
    return shown;
}
