#include "tools/contentpack/Picture.h"

#include <cmath>

namespace {

// A fixed value in -0.5..0.5 per pixel and channel: a hash, so the dither
// is the same on every run and has no pattern the eye picks up.
double Dither(int32_t x, int32_t y, int channel) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
                 static_cast<uint32_t>(channel) * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffffu) / 65536.0 - 0.5;
}

uint8_t ToByte(double value, double dither) {
    const double scaled = std::floor(Clamp01(value) * 255.0 + 0.5 + dither);
    return static_cast<uint8_t>(std::clamp(scaled, 0.0, 255.0));
}

}  // namespace

void Picture::Place(const Picture& part, int32_t left, int32_t top) {
    for (int32_t y = 0; y < part.Height(); ++y) {
        for (int32_t x = 0; x < part.Width(); ++x) At(left + x, top + y) = part.At(x, y);
    }
}

RasterImage Picture::ToRaster(bool grey) const {
    RasterImage raster(width_, height_, grey ? 1 : 4);
    uint8_t* out = raster.pixels.data();
    for (int32_t y = 0; y < height_; ++y) {
        for (int32_t x = 0; x < width_; ++x) {
            const Colour& c = At(x, y);
            if (grey) {
                *out++ = ToByte(c.r, Dither(x, y, 0));
                continue;
            }
            // Fully transparent pixels carry no colour; dithering their alpha
            // would make a faint haze around every stamp.
            const uint8_t alpha = c.a <= 0.5 / 255.0 ? 0 : ToByte(c.a, c.a >= 1.0 ? 0.0 : Dither(x, y, 3));
            *out++ = alpha == 0 ? 0 : ToByte(c.r, Dither(x, y, 0));
            *out++ = alpha == 0 ? 0 : ToByte(c.g, Dither(x, y, 1));
            *out++ = alpha == 0 ? 0 : ToByte(c.b, Dither(x, y, 2));
            *out++ = alpha;
        }
    }
    return raster;
}

Picture Paint(int32_t width, int32_t height, int samples, const PaintFunction& paint) {
    Picture picture(width, height);
    const double weight = 1.0 / (samples * samples);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            double r = 0.0, g = 0.0, b = 0.0, a = 0.0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Colour c = paint(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            Colour& pixel = picture.At(x, y);
            pixel.a = a * weight;
            if (a > 0.0) pixel = Colour{r / a, g / a, b / a, a * weight};
        }
    }
    return picture;
}
