// A colour as the host's colour services hold it: a colour-space code and
// four 16-bit components, with the one-line text form in which colours
// travel through scripting descriptors and named settings.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

// String resource with the unit written after a hue ("°").
constexpr int kHueUnitStringId = 10100;

// Components per space (c3 is used by CMYK only):
//   RGB   red, green, blue 0..255
//   HSB   hue in degrees 0..359, saturation 0..255, brightness 0..255
//   CMYK  cyan, magenta, yellow, black, each stored inverted: 255 is 0 % ink
//   Lab   lightness 0..255, a + 128, b + 128 (each 0..255)
//   Gray  level 0..255
//   HSL   hue in degrees 0..359, saturation 0..255, lightness 0..255
//   XYZ   X, Y, Z, not negative
// The struct stays trivial so that it can live inside a ParameterBlock.
struct ColorSpec {
    enum Space : int16_t { kRGB = 0, kHSB = 1, kCMYK = 2, kLab = 3, kGray = 4, kHSL = 5, kXYZ = 6 };

    int16_t space;
    int16_t c0;
    int16_t c1;
    int16_t c2;
    int16_t c3;

    // The name in parentheses: <windows.h> defines an RGB macro, which must
    // not swallow this declaration in files that include both.
    static constexpr ColorSpec(RGB)(int16_t red, int16_t green, int16_t blue) {
        return ColorSpec{kRGB, red, green, blue, 0};
    }

    // The text form, such as "RGB: 100.0% 50.2% 0.0% (255 128 0)" or
    // "HSB: 120° 50.2% 100.0%". Empty for a space code outside 0..6.
    // Numbers are written the same in every locale.
    std::string ToText() const;

    // Sets the colour from its text form. An empty text leaves it unchanged;
    // a text of fewer than two words makes it magenta RGB (255, 0, 255)
    // before the first word is looked at; a first word that names no space
    // leaves it at that. A component whose number is missing or unreadable
    // keeps its value. Components may land outside their ranges (a Lab
    // a = 500); Normalise brings them back.
    void FromText(const std::string& text);

    // Brings the colour into its legal ranges: a space code outside 0..6
    // becomes RGB, hues wrap into 0..359, other components are clamped, and
    // components the space does not use become 0.
    void Normalise();

    friend constexpr bool operator==(const ColorSpec& a, const ColorSpec& b) {
        return a.space == b.space && a.c0 == b.c0 && a.c1 == b.c1 && a.c2 == b.c2 && a.c3 == b.c3;
    }
    friend constexpr bool operator!=(const ColorSpec& a, const ColorSpec& b) { return !(a == b); }
};

static_assert(std::is_trivial_v<ColorSpec> && std::is_standard_layout_v<ColorSpec>);
static_assert(sizeof(ColorSpec) == 10);
