// Colours as people type them: "#f80", "#ff8800", "rgb(255, 136, 0)" (or
// with percentages), a CSS colour name ("tomato"), or the colour's own text
// form ("RGB: 100.0% 53.3% 0.0% (255 136 0)", "HSB: 120° 50.0% 100.0%").
#pragma once

#include <string>

#include "filters/ColorSpec.h"

// False for a text that is none of these.
bool ParseColourText(const std::string& text, ColorSpec& colour);

// The colour as it is typed back: "#rrggbb" for an RGB colour, else its text form.
std::string ColourSetText(const ColorSpec& colour);
