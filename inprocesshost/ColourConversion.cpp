#include "inprocesshost/ColourConversion.h"

#include <algorithm>
#include <cmath>

#include "pluginapi/PluginInterface.h"

namespace {

// Linear in 0..1 per channel; the sRGB values, not yet linearised.
struct Rgb {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
};

struct Xyz {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// D65 reference white.
constexpr double kWhiteX = 0.95047;
constexpr double kWhiteY = 1.0;
constexpr double kWhiteZ = 1.08883;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

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
double HueOf(const Rgb& c, double maximum, double minimum) {
    const double delta = maximum - minimum;
    if (delta <= 0.0) return 0.0;
    double hue = 0.0;
    if (maximum == c.r) {
        hue = (c.g - c.b) / delta;
    } else if (maximum == c.g) {
        hue = (c.b - c.r) / delta + 2.0;
    } else {
        hue = (c.r - c.g) / delta + 4.0;
    }
    hue *= 60.0;
    if (hue < 0.0) hue += 360.0;
    return hue;
}

// The RGB colour of hue `h` (degrees) with chroma `chroma`, lifted by `m`.
Rgb FromHueChroma(double h, double chroma, double m) {
    const double sector = h / 60.0;
    const double x = chroma * (1.0 - std::fabs(std::fmod(sector, 2.0) - 1.0));
    Rgb c;
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
    return Rgb{c.r + m, c.g + m, c.b + m};
}

void ToHsb(const Rgb& c, int16_t (&out)[4]) {
    const double maximum = std::max({c.r, c.g, c.b});
    const double minimum = std::min({c.r, c.g, c.b});
    const double saturation = maximum > 0.0 ? (maximum - minimum) / maximum : 0.0;
    out[0] = static_cast<int16_t>(static_cast<int>(std::floor(HueOf(c, maximum, minimum) + 0.5)) % 360);
    out[1] = RoundTo(saturation * 255.0, 0.0, 255.0);
    out[2] = RoundTo(maximum * 255.0, 0.0, 255.0);
    out[3] = 0;
}

Rgb FromHsb(const int16_t (&in)[4]) {
    const double value = Unit(in[2]);
    const double chroma = value * Unit(in[1]);
    return FromHueChroma(WrapHue(in[0]), chroma, value - chroma);
}

void ToHsl(const Rgb& c, int16_t (&out)[4]) {
    const double maximum = std::max({c.r, c.g, c.b});
    const double minimum = std::min({c.r, c.g, c.b});
    const double lightness = (maximum + minimum) / 2.0;
    const double delta = maximum - minimum;
    const double saturation = delta > 0.0 ? delta / (1.0 - std::fabs(2.0 * lightness - 1.0)) : 0.0;
    out[0] = static_cast<int16_t>(static_cast<int>(std::floor(HueOf(c, maximum, minimum) + 0.5)) % 360);
    out[1] = RoundTo(saturation * 255.0, 0.0, 255.0);
    out[2] = RoundTo(lightness * 255.0, 0.0, 255.0);
    out[3] = 0;
}

Rgb FromHsl(const int16_t (&in)[4]) {
    const double lightness = Unit(in[2]);
    const double chroma = (1.0 - std::fabs(2.0 * lightness - 1.0)) * Unit(in[1]);
    return FromHueChroma(WrapHue(in[0]), chroma, lightness - chroma / 2.0);
}

// --- CMYK and grey ---------------------------------------------------------------

void ToCmyk(const Rgb& c, int16_t (&out)[4]) {
    const double black = 1.0 - std::max({c.r, c.g, c.b});
    double inks[3] = {0.0, 0.0, 0.0};
    if (black < 1.0) {
        inks[0] = (1.0 - c.r - black) / (1.0 - black);
        inks[1] = (1.0 - c.g - black) / (1.0 - black);
        inks[2] = (1.0 - c.b - black) / (1.0 - black);
    }
    for (int i = 0; i < 3; ++i) out[i] = RoundTo((1.0 - inks[i]) * 255.0, 0.0, 255.0);
    out[3] = RoundTo((1.0 - black) * 255.0, 0.0, 255.0);
}

Rgb FromCmyk(const int16_t (&in)[4]) {
    // Stored inverted: the component is the share of paper left uncovered.
    const double keep = Unit(in[3]);
    return Rgb{Unit(in[0]) * keep, Unit(in[1]) * keep, Unit(in[2]) * keep};
}

double Luma(const Rgb& c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// --- CIE spaces -------------------------------------------------------------------

double Linearise(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }
double Compand(double v) { return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055; }

Xyz XyzFromRgb(const Rgb& c) {
    const double r = Linearise(c.r);
    const double g = Linearise(c.g);
    const double b = Linearise(c.b);
    return Xyz{0.4124564 * r + 0.3575761 * g + 0.1804375 * b, 0.2126729 * r + 0.7151522 * g + 0.0721750 * b,
               0.0193339 * r + 0.1191920 * g + 0.9503041 * b};
}

Rgb RgbFromXyz(const Xyz& v) {
    const double r = 3.2404542 * v.x - 1.5371385 * v.y - 0.4985314 * v.z;
    const double g = -0.9692660 * v.x + 1.8760108 * v.y + 0.0415560 * v.z;
    const double b = 0.0556434 * v.x - 0.2040259 * v.y + 1.0572252 * v.z;
    return Rgb{Clamp01(Compand(Clamp01(r))), Clamp01(Compand(Clamp01(g))), Clamp01(Compand(Clamp01(b)))};
}

constexpr double kLabEpsilon = 216.0 / 24389.0;  // (6/29)^3
constexpr double kLabKappa = 24389.0 / 27.0;

double LabF(double t) { return t > kLabEpsilon ? std::cbrt(t) : (kLabKappa * t + 16.0) / 116.0; }
double LabFInverse(double f) {
    const double cube = f * f * f;
    return cube > kLabEpsilon ? cube : (116.0 * f - 16.0) / kLabKappa;
}

void ToLab(const Xyz& v, int16_t (&out)[4]) {
    const double fx = LabF(v.x / kWhiteX);
    const double fy = LabF(v.y / kWhiteY);
    const double fz = LabF(v.z / kWhiteZ);
    out[0] = RoundTo((116.0 * fy - 16.0) * 2.55, 0.0, 255.0);
    out[1] = RoundTo(500.0 * (fx - fy) + 128.0, 0.0, 255.0);
    out[2] = RoundTo(200.0 * (fy - fz) + 128.0, 0.0, 255.0);
    out[3] = 0;
}

Xyz FromLab(const int16_t (&in)[4]) {
    const double lightness = std::clamp(static_cast<double>(in[0]), 0.0, 255.0) / 2.55;
    const double a = std::clamp(static_cast<double>(in[1]), 0.0, 255.0) - 128.0;
    const double b = std::clamp(static_cast<double>(in[2]), 0.0, 255.0) - 128.0;
    const double fy = (lightness + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    return Xyz{kWhiteX * LabFInverse(fx), kWhiteY * LabFInverse(fy), kWhiteZ * LabFInverse(fz)};
}

void ToXyzComponents(const Xyz& v, int16_t (&out)[4]) {
    out[0] = RoundTo(v.x * 255.0, 0.0, 32767.0);
    out[1] = RoundTo(v.y * 255.0, 0.0, 32767.0);
    out[2] = RoundTo(v.z * 255.0, 0.0, 32767.0);
    out[3] = 0;
}

Xyz FromXyzComponents(const int16_t (&in)[4]) {
    return Xyz{std::max<double>(in[0], 0.0) / 255.0, std::max<double>(in[1], 0.0) / 255.0,
               std::max<double>(in[2], 0.0) / 255.0};
}

bool IsCie(int16_t space) {
    return space == ps::plugIncolorServicesLabSpace || space == ps::plugIncolorServicesXYZSpace;
}

Xyz CieFrom(const HostColour& colour) {
    if (colour.space == ps::plugIncolorServicesLabSpace) return FromLab(colour.components);
    return FromXyzComponents(colour.components);
}

void CieTo(const Xyz& v, int16_t space, int16_t (&out)[4]) {
    if (space == ps::plugIncolorServicesLabSpace) {
        ToLab(v, out);
    } else {
        ToXyzComponents(v, out);
    }
}

Rgb RgbFrom(const HostColour& colour) {
    const int16_t(&c)[4] = colour.components;
    switch (colour.space) {
        case ps::plugIncolorServicesRGBSpace: return Rgb{Unit(c[0]), Unit(c[1]), Unit(c[2])};
        case ps::plugIncolorServicesHSBSpace: return FromHsb(c);
        case ps::plugIncolorServicesCMYKSpace: return FromCmyk(c);
        case ps::plugIncolorServicesGraySpace: return Rgb{Unit(c[0]), Unit(c[0]), Unit(c[0])};
        case ps::plugIncolorServicesHSLSpace: return FromHsl(c);
        default: return RgbFromXyz(CieFrom(colour));
    }
}

void RgbTo(const Rgb& c, int16_t space, int16_t (&out)[4]) {
    switch (space) {
        case ps::plugIncolorServicesRGBSpace:
            out[0] = RoundTo(c.r * 255.0, 0.0, 255.0);
            out[1] = RoundTo(c.g * 255.0, 0.0, 255.0);
            out[2] = RoundTo(c.b * 255.0, 0.0, 255.0);
            out[3] = 0;
            return;
        case ps::plugIncolorServicesHSBSpace: ToHsb(c, out); return;
        case ps::plugIncolorServicesCMYKSpace: ToCmyk(c, out); return;
        case ps::plugIncolorServicesGraySpace:
            out[0] = RoundTo(Luma(c) * 255.0, 0.0, 255.0);
            out[1] = out[2] = out[3] = 0;
            return;
        case ps::plugIncolorServicesHSLSpace: ToHsl(c, out); return;
        default: CieTo(XyzFromRgb(c), space, out); return;
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
