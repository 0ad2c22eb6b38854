#include "filters/ColourConversion.h"

#include <algorithm>
#include <cmath>

#include "image/CieColour.h"

namespace {

uint8_t ToByte(double value) { return static_cast<uint8_t>(std::clamp(std::floor(value + 0.5), 0.0, 255.0)); }
double Unit(int16_t component) { return std::clamp(static_cast<double>(component), 0.0, 255.0) / 255.0; }

RGBColour FromLab(const ColorSpec& c) {
    const double lightness = Unit(c.c0) * 100.0;
    const double a = std::clamp(static_cast<double>(c.c1), 0.0, 255.0) - 128.0;
    const double b = std::clamp(static_cast<double>(c.c2), 0.0, 255.0) - 128.0;
    return SrgbFromXYZ(XYZFromLab(LabColour{lightness, a, b}));
}

// Hue in degrees, the other two 0..1.
RGBColour FromHSB(double hue, double saturation, double brightness) {
    if (saturation <= 0.0) return RGBColour{brightness, brightness, brightness};
    const double h = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 60.0;
    const double sector = std::floor(h);
    const double f = h - sector;
    const double p = brightness * (1.0 - saturation);
    const double q = brightness * (1.0 - saturation * f);
    const double t = brightness * (1.0 - saturation * (1.0 - f));
    switch (static_cast<int>(sector)) {
        case 0: return RGBColour{brightness, t, p};
        case 1: return RGBColour{q, brightness, p};
        case 2: return RGBColour{p, brightness, t};
        case 3: return RGBColour{p, q, brightness};
        case 4: return RGBColour{t, p, brightness};
        default: return RGBColour{brightness, p, q};
    }
}

RGBColour FromHSL(double hue, double saturation, double lightness) {
    // HSL to HSB: the same hue, with brightness and saturation recomputed.
    const double brightness = lightness + saturation * std::min(lightness, 1.0 - lightness);
    const double hsbSaturation = brightness > 0.0 ? 2.0 * (1.0 - lightness / brightness) : 0.0;
    return FromHSB(hue, hsbSaturation, brightness);
}

RGBColour ToRGBColour(const ColorSpec& c) {
    switch (c.space) {
        case ColorSpec::kHSB: return FromHSB(c.c0, Unit(c.c1), Unit(c.c2));
        case ColorSpec::kCMYK: {
            // Inverted samples: a channel's light is the product of its own and black's.
            const double k = Unit(c.c3);
            return RGBColour{Unit(c.c0) * k, Unit(c.c1) * k, Unit(c.c2) * k};
        }
        case ColorSpec::kLab: return FromLab(c);
        case ColorSpec::kGray: return RGBColour{Unit(c.c0), Unit(c.c0), Unit(c.c0)};
        case ColorSpec::kHSL: return FromHSL(c.c0, Unit(c.c1), Unit(c.c2));
        case ColorSpec::kXYZ:
            // Components on the byte scale, 255 for the white's Y.
            return SrgbFromXYZ(XYZColour{std::max<double>(c.c0, 0.0) / 255.0, std::max<double>(c.c1, 0.0) / 255.0,
                                         std::max<double>(c.c2, 0.0) / 255.0});
        default: return RGBColour{Unit(c.c0), Unit(c.c1), Unit(c.c2)};
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
    const LabColour lab = LabFromXYZ(XYZFromSrgb(RGBColour{rgb[0] / 255.0, rgb[1] / 255.0, rgb[2] / 255.0}));
    out[0] = ToByte(lab.lightness * 2.55);
    out[1] = ToByte(lab.a + 128.0);
    out[2] = ToByte(lab.b + 128.0);
}

}  // namespace

std::array<uint8_t, 3> ColourToRGB(const ColorSpec& colour) {
    if (colour.space == ColorSpec::kRGB) {
        return {ToByte(std::clamp<double>(colour.c0, 0.0, 255.0)), ToByte(std::clamp<double>(colour.c1, 0.0, 255.0)),
                ToByte(std::clamp<double>(colour.c2, 0.0, 255.0))};
    }
    const RGBColour c = ToRGBColour(colour);
    return {ToByte(c.red * 255.0), ToByte(c.green * 255.0), ToByte(c.blue * 255.0)};
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
