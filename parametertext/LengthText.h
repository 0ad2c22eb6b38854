// Lengths as people type them: a number, then a unit by name or
// abbreviation (px, in, cm, mm, pt, pc; "pixels", "inches", ...), letter
// case and a blank between them as they come; a bare number is pixels. A
// number followed by % is a share of the picture's shorter side, which
// becomes pixels once the picture is known.
#pragma once

#include <string>

#include "filters/LengthValue.h"

struct TypedLength {
    double amount = 0.0;
    int32_t unit = kLengthPixels;  // a LengthUnit, when not `percent`
    bool percent = false;          // `amount` per cent of the shorter side
};

// False for a text that is no such length.
bool ParseLengthText(const std::string& text, TypedLength& length);

// The unit's abbreviation: "px", "in", ...; empty for an unknown unit.
const char* LengthUnitAbbreviation(int32_t unit);

// The length as it is typed back: "40px", "2.5in".
std::string LengthSetText(const LengthValue& length);
