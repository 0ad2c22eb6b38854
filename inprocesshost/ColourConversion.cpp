#include "inprocesshost/ColourConversion.h"

#include <algorithm>
#include <cmath>

#include "image/CieColour.h"
#include "pluginapi/PluginInterface.h"

namespace {

// Colours pass between the spaces as gamma-encoded sRGB, 0..1 per channel,
// or, between Lab and XYZ, as XYZ.

int16_t RoundTo(double v, double low, double high) {
    return static_cast<int16_t>(std::floor(std::clamp(v, low, high) + 0.5));
}

double Unit(int16_t component) { return std::clamp(static_cast<double>(component), 0.0, 255.0) / 255.0; }

double WrapHue(int16_t hue) {
    double h = std::fmod(static_cast<double>(hue), 360.0);
    if (h < 0.0) h += 360.0;
    return h;
}

// --- Cylindrical spaces --------------------------------------------------------

// Hue in degrees of an RGB colour, and its largest and smallest channel.
double HueOf(const RGBColour& c, double maximum, double minimum) {
    const double delta = maximum - minimum;
    if (delta <= 0.0) return 0.0;
    double hue = 0.0;
    if (maximum == c.red) {
        hue = (c.green - c.blue) / delta;
    } else if (maximum == c.green) {
        hue = (c.blue - c.red) / delta + 2.0;
    } else {
        hue = (c.red - c.green) / delta + 4.0;
    }
    hue *= 60.0;
    if (hue < 0.0) hue += 360.0;
    return hue;
}

// The RGB colour of hue `h` (degrees) with chroma `chroma`, lifted by `m`.
RGBColour FromHueChroma(double h, double chroma, double m) {
    const double sector = h / 60.0;
    const double x = chroma * (1.0 - std::fabs(std::fmod(sector, 2.0) - 1.0));
    RGBColour c;
    if (sector < 1.0) {
        c = {chroma, x, 0.0};
    } else if (sector < 2.0) {
        c = {x, chroma, 0.0};
    } else if (sector < 3.0) {
        c = {0.0, chroma, x};
    } else if (sector < 4.0) {
        c = {0.0, x, chroma};
    } else if (sector < 5.0) {
        c = {x, 0.0, chroma};
    } else {
        c = {chroma, 0.0, x};
    }
    return RGBColour{c.red + m, c.green + m, c.blue + m};
}

void ToHsb(const RGBColour& c, int16_t (&out)[4]) {
    const double maximum = std::max({c.red, c.green, c.blue});
    const double minimum = std::min({c.red, c.green, c.blue});
    const double saturation = maximum > 0.0 ? (maximum - minimum) / maximum : 0.0;
    out[0] = static_cast<int16_t>(static_cast<int>(std::floor(HueOf(c, maximum, minimum) + 0.5)) % 360);
    out[1] = RoundTo(saturation * 255.0, 0.0, 255.0);
    out[2] = RoundTo(maximum * 255.0, 0.0, 255.0);
    out[3] = 0;
}

RGBColour FromHsb(const int16_t (&in)[4]) {
    const double value = Unit(in[2]);
    const double chroma = value * Unit(in[1]);
    return FromHueChroma(WrapHue(in[0]), chroma, value - chroma);
}

void ToHsl(const RGBColour& c, int16_t (&out)[4]) {
    const double maximum = std::max({c.red, c.green, c.blue});
    const double minimum = std::min({c.red, c.green, c.blue});
    const double lightness = (maximum + minimum) / 2.0;
    const double delta = maximum - minimum;
    const double saturation = delta > 0.0 ? delta / (1.0 - std::fabs(2.0 * lightness - 1.0)) : 0.0;
    out[0] = static_cast<int16_t>(static_cast<int>(std::floor(HueOf(c, maximum, minimum) + 0.5)) % 360);
    out[1] = RoundTo(saturation * 255.0, 0.0, 255.0);
    out[2] = RoundTo(lightness * 255.0, 0.0, 255.0);
    out[3] = 0;
}

RGBColour FromHsl(const int16_t (&in)[4]) {
    const double lightness = Unit(in[2]);
    const double chroma = (1.0 - std::fabs(2.0 * lightness - 1.0)) * Unit(in[1]);
    return FromHueChroma(WrapHue(in[0]), chroma, lightness - chroma / 2.0);
}

// --- CMYK and grey ---------------------------------------------------------------

void ToCmyk(const RGBColour& c, int16_t (&out)[4]) {
    const double black = 1.0 - std::max({c.red, c.green, c.blue});
    double inks[3] = {0.0, 0.0, 0.0};
    if (black < 1.0) {
        inks[0] = (1.0 - c.red - black) / (1.0 - black);
        inks[1] = (1.0 - c.green - black) / (1.0 - black);
        inks[2] = (1.0 - c.blue - black) / (1.0 - black);
    }
    for (int i = 0; i < 3; ++i) out[i] = RoundTo((1.0 - inks[i]) * 255.0, 0.0, 255.0);
    out[3] = RoundTo((1.0 - black) * 255.0, 0.0, 255.0);
}

RGBColour FromCmyk(const int16_t (&in)[4]) {
    // Stored inverted: the component is the share of paper left uncovered.
    const double keep = Unit(in[3]);
    return RGBColour{Unit(in[0]) * keep, Unit(in[1]) * keep, Unit(in[2]) * keep};
}

double Luma(const RGBColour& c) { return 0.299 * c.red + 0.587 * c.green + 0.114 * c.blue; }

// --- CIE spaces -------------------------------------------------------------------

void ToLab(const XYZColour& v, int16_t (&out)[4]) {
    const LabColour lab = LabFromXYZ(v);
    out[0] = RoundTo(lab.lightness * 2.55, 0.0, 255.0);
    out[1] = RoundTo(lab.a + 128.0, 0.0, 255.0);
    out[2] = RoundTo(lab.b + 128.0, 0.0, 255.0);
    out[3] = 0;
}

XYZColour FromLab(const int16_t (&in)[4]) {
    const double lightness = std::clamp(static_cast<double>(in[0]), 0.0, 255.0) / 2.55;
    const double a = std::clamp(static_cast<double>(in[1]), 0.0, 255.0) - 128.0;
    const double b = std::clamp(static_cast<double>(in[2]), 0.0, 255.0) - 128.0;
    return XYZFromLab(LabColour{lightness, a, b});
}

void ToXyzComponents(const XYZColour& v, int16_t (&out)[4]) {
    out[0] = RoundTo(v.x * 255.0, 0.0, 32767.0);
    out[1] = RoundTo(v.y * 255.0, 0.0, 32767.0);
    out[2] = RoundTo(v.z * 255.0, 0.0, 32767.0);
    out[3] = 0;
}

XYZColour FromXyzComponents(const int16_t (&in)[4]) {
    return XYZColour{std::max<double>(in[0], 0.0) / 255.0, std::max<double>(in[1], 0.0) / 255.0,
                     std::max<double>(in[2], 0.0) / 255.0};
}

bool IsCie(int16_t space) {
    return space == ps::plugIncolorServicesLabSpace || space == ps::plugIncolorServicesXYZSpace;
}

XYZColour CieFrom(const HostColour& colour) {
    if (colour.space == ps::plugIncolorServicesLabSpace) return FromLab(colour.components);
    return FromXyzComponents(colour.components);
}

void CieTo(const XYZColour& v, int16_t space, int16_t (&out)[4]) {
    if (space == ps::plugIncolorServicesLabSpace) {
        ToLab(v, out);
    } else {
        ToXyzComponents(v, out);
    }
}

RGBColour RgbFrom(const HostColour& colour) {
    const int16_t(&c)[4] = colour.components;
    switch (colour.space) {
        case ps::plugIncolorServicesRGBSpace: return RGBColour{Unit(c[0]), Unit(c[1]), Unit(c[2])};
        case ps::plugIncolorServicesHSBSpace: return FromHsb(c);
        case ps::plugIncolorServicesCMYKSpace: return FromCmyk(c);
        case ps::plugIncolorServicesGraySpace: return RGBColour{Unit(c[0]), Unit(c[0]), Unit(c[0])};
        case ps::plugIncolorServicesHSLSpace: return FromHsl(c);
        default: return SrgbFromXYZ(CieFrom(colour));
    }
}

void RgbTo(const RGBColour& c, int16_t space, int16_t (&out)[4]) {
    switch (space) {
        case ps::plugIncolorServicesRGBSpace:
            out[0] = RoundTo(c.red * 255.0, 0.0, 255.0);
            out[1] = RoundTo(c.green * 255.0, 0.0, 255.0);
            out[2] = RoundTo(c.blue * 255.0, 0.0, 255.0);
            out[3] = 0;
            return;
        case ps::plugIncolorServicesHSBSpace: ToHsb(c, out); return;
        case ps::plugIncolorServicesCMYKSpace: ToCmyk(c, out); return;
        case ps::plugIncolorServicesGraySpace:
            out[0] = RoundTo(Luma(c) * 255.0, 0.0, 255.0);
            out[1] = out[2] = out[3] = 0;
            return;
        case ps::plugIncolorServicesHSLSpace: ToHsl(c, out); return;
        default: CieTo(XYZFromSrgb(c), space, out); return;
    }
}

}  // namespace

bool IsColourServicesSpace(int16_t space) {
    return space >= ps::plugIncolorServicesRGBSpace && space <= ps::plugIncolorServicesXYZSpace;
}

bool ConvertHostColour(const HostColour& colour, int16_t target, HostColour& converted) {
    if (!IsColourServicesSpace(colour.space) || !IsColourServicesSpace(target)) return false;
    HostColour result;
    result.space = target;
    if (colour.space == target) {
        result = colour;
    } else if (IsCie(colour.space) && IsCie(target)) {
        CieTo(CieFrom(colour), target, result.components);
    } else {
        RgbTo(RgbFrom(colour), target, result.components);
    }
    converted = result;
    return true;
}

HostColour RgbInSpace(uint8_t red, uint8_t green, uint8_t blue, int16_t target) {
    HostColour rgb;
    rgb.space = ps::plugIncolorServicesRGBSpace;
    rgb.components[0] = red;
    rgb.components[1] = green;
    rgb.components[2] = blue;
    HostColour converted = rgb;
    ConvertHostColour(rgb, target, converted);
    return converted;
}
