#include "filters/ColourConversion.h"

#include <algorithm>
#include <cmath>

namespace {

struct Linear {
    double r, g, b;  // sRGB components, 0..1, gamma-encoded
};

// D65 reference white.
constexpr double kWhiteX = 0.95047;
constexpr double kWhiteY = 1.0;
constexpr double kWhiteZ = 1.08883;

uint8_t ToByte(double value) { return static_cast<uint8_t>(std::clamp(std::floor(value + 0.5), 0.0, 255.0)); }
double Unit(int16_t component) { return std::clamp(static_cast<double>(component), 0.0, 255.0) / 255.0; }

double Encode(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}
double Decode(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

Linear FromXYZ(double x, double y, double z) {
    return Linear{Encode(3.2404542 * x - 1.5371385 * y - 0.4985314 * z),
                  Encode(-0.9692660 * x + 1.8760108 * y + 0.0415560 * z),
                  Encode(0.0556434 * x - 0.2040259 * y + 1.0572252 * z)};
}

Linear FromLab(const ColorSpec& c) {
    const double lightness = Unit(c.c0) * 100.0;
    const double a = std::clamp(static_cast<double>(c.c1), 0.0, 255.0) - 128.0;
    const double b = std::clamp(static_cast<double>(c.c2), 0.0, 255.0) - 128.0;
    const double fy = (lightness + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    constexpr double kDelta = 6.0 / 29.0;
    auto inverse = [](double t) { return t > kDelta ? t * t * t : 3.0 * kDelta * kDelta * (t - 4.0 / 29.0); };
    return FromXYZ(kWhiteX * inverse(fx), kWhiteY * inverse(fy), kWhiteZ * inverse(fz));
}

// Hue in degrees, the other two 0..1.
Linear FromHSB(double hue, double saturation, double brightness) {
    if (saturation <= 0.0) return Linear{brightness, brightness, brightness};
    const double h = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 60.0;
    const double sector = std::floor(h);
    const double f = h - sector;
    const double p = brightness * (1.0 - saturation);
    const double q = brightness * (1.0 - saturation * f);
    const double t = brightness * (1.0 - saturation * (1.0 - f));
    switch (static_cast<int>(sector)) {
        case 0: return Linear{brightness, t, p};
        case 1: return Linear{q, brightness, p};
        case 2: return Linear{p, brightness, t};
        case 3: return Linear{p, q, brightness};
        case 4: return Linear{t, p, brightness};
        default: return Linear{brightness, p, q};
    }
}

Linear FromHSL(double hue, double saturation, double lightness) {
    // HSL to HSB: the same hue, with brightness and saturation recomputed.
    const double brightness = lightness + saturation * std::min(lightness, 1.0 - lightness);
    const double hsbSaturation = brightness > 0.0 ? 2.0 * (1.0 - lightness / brightness) : 0.0;
    return FromHSB(hue, hsbSaturation, brightness);
}

Linear ToLinear(const ColorSpec& c) {
    switch (c.space) {
        case ColorSpec::kHSB: return FromHSB(c.c0, Unit(c.c1), Unit(c.c2));
        case ColorSpec::kCMYK: {
            // Inverted samples: a channel's light is the product of its own and black's.
            const double k = Unit(c.c3);
            return Linear{Unit(c.c0) * k, Unit(c.c1) * k, Unit(c.c2) * k};
        }
        case ColorSpec::kLab: return FromLab(c);
        case ColorSpec::kGray: return Linear{Unit(c.c0), Unit(c.c0), Unit(c.c0)};
        case ColorSpec::kHSL: return FromHSL(c.c0, Unit(c.c1), Unit(c.c2));
        case ColorSpec::kXYZ:
            // Components on the byte scale, 255 for the white's Y.
            return FromXYZ(std::max<double>(c.c0, 0.0) / 255.0, std::max<double>(c.c1, 0.0) / 255.0,
                           std::max<double>(c.c2, 0.0) / 255.0);
        default: return Linear{Unit(c.c0), Unit(c.c1), Unit(c.c2)};
    }
}

uint8_t GreyLevel(const ColorSpec& colour, const std::array<uint8_t, 3>& rgb) {
    if (colour.space == ColorSpec::kGray) return ToByte(std::clamp<double>(colour.c0, 0.0, 255.0));
    return ToByte(0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2]);
}

void PutCMYK(const ColorSpec& colour, const std::array<uint8_t, 3>& rgb, PixelSamples& out) {
    if (colour.space == ColorSpec::kCMYK) {
        const int16_t inks[4] = {colour.c0, colour.c1, colour.c2, colour.c3};
        for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = ToByte(std::clamp<double>(inks[i], 0.0, 255.0));
        return;
    }
    // Black takes what the brightest channel lacks; the rest is coloured ink.
    const int brightest = std::max({rgb[0], rgb[1], rgb[2]});
    for (std::size_t i = 0; i < 3; ++i) out[i] = brightest == 0 ? 255 : ToByte(255.0 * rgb[i] / brightest);
    out[3] = static_cast<uint8_t>(brightest);
}

void PutLab(const ColorSpec& colour, const std::array<uint8_t, 3>& rgb, PixelSamples& out) {
    if (colour.space == ColorSpec::kLab) {
        out[0] = ToByte(std::clamp<double>(colour.c0, 0.0, 255.0));
        out[1] = ToByte(std::clamp<double>(colour.c1, 0.0, 255.0));
        out[2] = ToByte(std::clamp<double>(colour.c2, 0.0, 255.0));
        return;
    }
    const double r = Decode(rgb[0] / 255.0), g = Decode(rgb[1] / 255.0), b = Decode(rgb[2] / 255.0);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / kWhiteX;
    const double y = (0.2126729 * r + 0.7151522 * g + 0.0721750 * b) / kWhiteY;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / kWhiteZ;
    constexpr double kDelta = 6.0 / 29.0;
    auto f = [](double t) {
        return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3.0 * kDelta * kDelta) + 4.0 / 29.0;
    };
    out[0] = ToByte((116.0 * f(y) - 16.0) * 2.55);
    out[1] = ToByte(500.0 * (f(x) - f(y)) + 128.0);
    out[2] = ToByte(200.0 * (f(y) - f(z)) + 128.0);
}

}  // namespace

std::array<uint8_t, 3> ColourToRGB(const ColorSpec& colour) {
    if (colour.space == ColorSpec::kRGB) {
        return {ToByte(std::clamp<double>(colour.c0, 0.0, 255.0)), ToByte(std::clamp<double>(colour.c1, 0.0, 255.0)),
                ToByte(std::clamp<double>(colour.c2, 0.0, 255.0))};
    }
    const Linear c = ToLinear(colour);
    return {ToByte(c.r * 255.0), ToByte(c.g * 255.0), ToByte(c.b * 255.0)};
}

PixelSamples ColourSamples(const ColorSpec& colour, const ChannelLayout& layout) {
    const std::array<uint8_t, 3> rgb = ColourToRGB(colour);
    const uint8_t grey = GreyLevel(colour, rgb);
    PixelSamples out(static_cast<std::size_t>(std::max(layout.channelCount, 4)), grey);
    if (layout.colourChannels == 1) {
        out[0] = grey;
    } else if (layout.colourModel == kColourModelCMYK) {
        PutCMYK(colour, rgb, out);
    } else if (layout.colourModel == kColourModelLab) {
        PutLab(colour, rgb, out);
    } else {
        std::copy(rgb.begin(), rgb.end(), out.begin());
    }
    if (layout.hasAlpha && layout.colourChannels >= 0) out[static_cast<std::size_t>(layout.colourChannels)] = 255;
    return out;
}
