// sRGB and the CIE spaces XYZ and L*a*b*, by the textbook formulas (sRGB
// primaries and transfer curve, D65 white). The effects' colour values and
// the in-process host's colour services both convert through these, so the
// two sides of the interface agree on every colour; each keeps its own
// component scales and rounding.
#pragma once

#include "image/HueSaturationValue.h"

// Y of the white is 1.
struct XYZColour {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// L* 0..100; a* and b* about -128..127 for the colours of sRGB.
struct LabColour {
    double lightness = 0.0;
    double a = 0.0;
    double b = 0.0;
};

inline constexpr XYZColour kD65White{0.95047, 1.0, 1.08883};

// Gamma-encoded sRGB, each channel 0..1, to XYZ; and back, each channel
// clipped to 0..1 (colours outside the gamut lose what sRGB cannot show).
XYZColour XYZFromSrgb(const RGBColour& colour);
RGBColour SrgbFromXYZ(const XYZColour& colour);

LabColour LabFromXYZ(const XYZColour& colour);
XYZColour XYZFromLab(const LabColour& colour);
