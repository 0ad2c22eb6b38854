// Colour conversions of the in-process host's colour services, between the
// colour-services spaces with textbook formulas; sRGB, XYZ and Lab through
// image/CieColour.h, as the effects convert them. Components are 16-bit
// integers as the colour-services record holds them:
//   RGB   red, green, blue 0..255 (sRGB)
//   HSB   hue 0..359 degrees, saturation 0..255, brightness 0..255
//   CMYK  cyan, magenta, yellow, black 0..255, stored inverted (255 is no ink)
//   Lab   L* * 2.55, a* + 128, b* + 128, each 0..255 (D65 white)
//   Gray  luma 0..255 (0.299 R + 0.587 G + 0.114 B)
//   HSL   hue 0..359 degrees, saturation 0..255, lightness 0..255
//   XYZ   CIE X, Y, Z * 255 (D65 white is 242, 255, 278)
// Colours outside the RGB gamut are clipped whenever a conversion passes
// through RGB; Lab and XYZ convert into each other directly.
#pragma once

#include <cstdint>

struct HostColour {
    int16_t space = 0;  // a plugIncolorServices...Space code, 0..6
    int16_t components[4] = {0, 0, 0, 0};
};

// True for the spaces 0..6.
bool IsColourServicesSpace(int16_t space);

// Converts `colour` to `target`. False (and `converted` untouched) when
// either space is not one of 0..6.
bool ConvertHostColour(const HostColour& colour, int16_t target, HostColour& converted);

// Convenience: an 8-bit RGB colour in `target` space.
HostColour RgbInSpace(uint8_t red, uint8_t green, uint8_t blue, int16_t target);
