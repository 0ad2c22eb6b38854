// Hue, saturation and value of red, green and blue (all 0..1), and back.
// Hue is a fraction of a turn from red (0) through green (1/3) and blue
// (2/3); a grey has hue and saturation 0. The two conversions are each
// other's inverse up to rounding.
#pragma once

struct HSVColour {
    double hue = 0.0;
    double saturation = 0.0;
    double value = 0.0;
};

struct RGBColour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

HSVColour ToHSV(const RGBColour& colour);
RGBColour ToRGB(const HSVColour& colour);
