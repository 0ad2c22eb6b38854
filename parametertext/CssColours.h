// The named colours of CSS (CSS Color Module Level 4), such as "tomato" or
// "rebeccapurple", with "grey" beside every "gray".
#pragma once

#include <cstdint>
#include <string_view>

struct CssColour {
    const char* name;  // lower case
    uint32_t rgb;      // 0xRRGGBB
};

// The colour named `name` (lower case), or null.
const CssColour* FindCssColour(std::string_view name);
