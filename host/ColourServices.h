// The host's colour services: the host's colour picker, and the grey-to-CMYK
// table that effects use to paint grey levels into CMYK images.
#pragma once

#include <array>
#include <cstdint>

#include "base/ResultCode.h"
#include "filters/ColorSpec.h"

// Lets the user choose a colour in the host's picker, starting from
// `colour`. A colour chosen in HSB, Lab, HSL or XYZ is converted to RGB; RGB,
// CMYK and grey stay as chosen. 1 (colour unchanged) when the host has no
// picker, the user cancels or an answer is unusable.
ResultCode PickColour(ColorSpec& colour);

// C, M, Y, K bytes for one grey level, in the host's CMYK form (255 is no ink).
using CmykBytes = std::array<uint8_t, 4>;
using GreyToCmykTable = std::array<CmykBytes, 256>;

// The table for grey levels 0 to 255, made on first use and kept for the
// life of the process: each level converted by the host, or, when the host
// has no colour services or its first conversion fails, by
// FixedGreyToCmyk.
const GreyToCmykTable& GreyToCmyk();

// The mapping used without the host: black ink only, K = 255 − level, so
// that cyan, magenta and yellow hold 255 and K holds the level itself.
CmykBytes FixedGreyToCmyk(int level);
