// What the colour controls ask of the host: its colour picker, its
// foreground and background colours, and the colour format of the image
// being filtered (a colour taken from the screen is put into that format).
#pragma once

#include "base/ResultCode.h"
#include "filters/ColorSpec.h"
#include "platform/WinApi.h"

// An RGB colour. (ColorSpec::RGB cannot be named where <windows.h> defines
// its RGB macro.)
inline ColorSpec RgbSpec(int red, int green, int blue) {
    return ColorSpec{ColorSpec::kRGB, static_cast<int16_t>(red), static_cast<int16_t>(green),
                     static_cast<int16_t>(blue), 0};
}

class IColourSource {
public:
    // Lets the user choose a colour starting from `colour`: 0 when a colour
    // was chosen (and stored in `colour`), 1 when the user cancelled or no
    // picker is there (`colour` unchanged).
    virtual ResultCode PickColour(ColorSpec& colour) = 0;
    virtual ColorSpec Foreground() = 0;
    virtual ColorSpec Background() = 0;
    // A screen pixel in the colour format of the image being filtered.
    virtual ColorSpec FromScreen(COLORREF pixel) = 0;

protected:
    ~IColourSource() = default;
};
