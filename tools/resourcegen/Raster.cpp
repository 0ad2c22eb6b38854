#include "tools/resourcegen/Raster.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int size) : size_(size), pixels_(static_cast<size_t>(size * size)) {}

void Canvas::Fill(const Shape& shape, Rgba colour) {
    constexpr int kSamples = 4;
    const double unitsPerPixel = 32.0 / size_;
    for (int y = 0; y < size_; ++y) {
        for (int x = 0; x < size_; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double ux = (x + (sx + 0.5) / kSamples) * unitsPerPixel;
                    const double uy = (y + (sy + 0.5) / kSamples) * unitsPerPixel;
                    if (shape(ux, uy) <= 0) ++covered;
                }
            }
            if (covered == 0) continue;
            // Source over destination, straight (not premultiplied) alpha.
            const double source = colour.a / 255.0 * covered / (kSamples * kSamples);
            Rgba& pixel = pixels_[static_cast<size_t>(y * size_ + x)];
            const double destination = pixel.a / 255.0;
            const double alpha = source + destination * (1 - source);
            auto mix = [&](uint8_t s, uint8_t d) {
                return static_cast<uint8_t>(std::lround((s * source + d * destination * (1 - source)) / alpha));
            };
            pixel = {mix(colour.r, pixel.r), mix(colour.g, pixel.g), mix(colour.b, pixel.b),
                     static_cast<uint8_t>(std::lround(alpha * 255))};
        }
    }
}

void Canvas::FillOutlined(const Shape& shape, Rgba fill, Rgba outline, double width) {
    Fill(Grown(shape, width), outline);
    Fill(shape, fill);
}
