#include "image/CieColour.h"

#include <algorithm>
#include <cmath>

namespace {

double LinearFromSrgb(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double SrgbFromLinear(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

// L*a*b*'s curve, a cube root above (6/29)^3 and a straight line below.
constexpr double kLabDelta = 6.0 / 29.0;

double LabCurve(double t) {
    return t > kLabDelta * kLabDelta * kLabDelta ? std::cbrt(t) : t / (3.0 * kLabDelta * kLabDelta) + 4.0 / 29.0;
}

double InverseLabCurve(double f) { return f > kLabDelta ? f * f * f : 3.0 * kLabDelta * kLabDelta * (f - 4.0 / 29.0); }

}  // namespace

XYZColour XYZFromSrgb(const RGBColour& colour) {
    const double r = LinearFromSrgb(colour.red);
    const double g = LinearFromSrgb(colour.green);
    const double b = LinearFromSrgb(colour.blue);
    return XYZColour{0.4124564 * r + 0.3575761 * g + 0.1804375 * b, 0.2126729 * r + 0.7151522 * g + 0.0721750 * b,
                     0.0193339 * r + 0.1191920 * g + 0.9503041 * b};
}

RGBColour SrgbFromXYZ(const XYZColour& c) {
    return RGBColour{SrgbFromLinear(3.2404542 * c.x - 1.5371385 * c.y - 0.4985314 * c.z),
                     SrgbFromLinear(-0.9692660 * c.x + 1.8760108 * c.y + 0.0415560 * c.z),
                     SrgbFromLinear(0.0556434 * c.x - 0.2040259 * c.y + 1.0572252 * c.z)};
}

LabColour LabFromXYZ(const XYZColour& colour) {
    const double fx = LabCurve(colour.x / kD65White.x);
    const double fy = LabCurve(colour.y / kD65White.y);
    const double fz = LabCurve(colour.z / kD65White.z);
    return LabColour{116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

XYZColour XYZFromLab(const LabColour& colour) {
    const double fy = (colour.lightness + 16.0) / 116.0;
    const double fx = fy + colour.a / 500.0;
    const double fz = fy - colour.b / 200.0;
    return XYZColour{kD65White.x * InverseLabCurve(fx), kD65White.y * InverseLabCurve(fy),
                     kD65White.z * InverseLabCurve(fz)};
}
