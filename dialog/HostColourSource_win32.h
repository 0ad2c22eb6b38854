// The colour source of a filter run: the host's colour services and the
// colours and image mode of the host's filter record.
#pragma once

#include "controls/ColourSource.h"

class HostColourSource final : public IColourSource {
public:
    // Runs the host's picker; a colour chosen in HSB, Lab, HSL or XYZ comes
    // back as RGB.
    ResultCode PickColour(ColorSpec& colour) override;
    // RGB from the high bytes of the record's colour components; black and
    // white outside a run.
    ColorSpec Foreground() override;
    ColorSpec Background() override;
    // Grey images take the pixel's grey level, CMYK images its inks, Lab
    // images its Lab value; all others RGB.
    ColorSpec FromScreen(COLORREF pixel) override;
};
