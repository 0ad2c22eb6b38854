#include "parametertext/ColourText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "parametertext/CssColours.h"
#include "parametertext/TypedText.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "#rgb" or "#rrggbb", in lower case.
bool ParseHex(const std::string& text, ColorSpec& colour) {
    if (text.size() != 4 && text.size() != 7) return false;
    if (text[0] != '#') return false;
    const bool shortForm = text.size() == 4;
    int16_t channels[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const int high = HexDigit(text[shortForm ? 1 + i : 1 + 2 * i]);
        const int low = shortForm ? high : HexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return false;
        channels[i] = static_cast<int16_t>(high * 16 + low);
    }
    colour = ColorSpec::RGB(channels[0], channels[1], channels[2]);
    return true;
}

// One channel of rgb(): 0 to 255, or 0% to 100%, rounded to the nearest level.
bool ParseChannel(const std::string& word, int16_t& channel) {
    const std::string text = TrimmedBlanks(word);
    if (text.empty()) return false;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    const std::string rest = TrimmedBlanks(end);
    if (end == text.c_str() || !std::isfinite(value)) return false;
    double level = value;
    if (rest == "%") {
        level = value * 255.0 / 100.0;
    } else if (!rest.empty()) {
        return false;
    }
    if (level < 0.0 || level > 255.0) return false;
    channel = static_cast<int16_t>(std::lround(level));
    return true;
}

// "rgb(r, g, b)", commas or blanks between the channels.
bool ParseRgbFunction(const std::string& text, ColorSpec& colour) {
    if (text.compare(0, 4, "rgb(") != 0 || text.back() != ')') return false;
    std::string inner = text.substr(4, text.size() - 5);
    for (char& c : inner) {
        if (c == ',') c = ' ';
    }
    std::istringstream words(inner);
    std::vector<std::string> channels;
    std::string word;
    while (words >> word) channels.push_back(word);
    if (channels.size() != 3) return false;
    int16_t levels[3];
    for (std::size_t i = 0; i < 3; ++i) {
        if (!ParseChannel(channels[i], levels[i])) return false;
    }
    colour = ColorSpec::RGB(levels[0], levels[1], levels[2]);
    return true;
}

bool ParseName(const std::string& text, ColorSpec& colour) {
    const CssColour* named = FindCssColour(text);
    if (named == nullptr) return false;
    colour = ColorSpec::RGB(static_cast<int16_t>(named->rgb >> 16), static_cast<int16_t>((named->rgb >> 8) & 0xFF),
                            static_cast<int16_t>(named->rgb & 0xFF));
    return true;
}

// How many components the space's text form gives.
int ComponentsOf(int16_t space) {
    switch (space) {
        case ColorSpec::kGray: return 1;
        case ColorSpec::kCMYK: return 4;
        default: return 3;
    }
}

// The colour's own text form, read completely: starting from two different
// colours, the text sets the same space and the same components.
bool ParseTextForm(const std::string& text, ColorSpec& colour) {
    std::istringstream words(text);
    std::string first;
    if (!(words >> first)) return false;
    bool named = false;
    for (const char* word : {"RGB:", "HSB:", "HSL:", "CMYK:", "Lab:", "Gray:", "XYZ:"}) {
        if (first == word) named = true;
    }
    if (!named) return false;
    ColorSpec a{ColorSpec::kXYZ, 1, 2, 3, 4};
    ColorSpec b{ColorSpec::kXYZ, 5, 6, 7, 8};
    a.FromText(text);
    b.FromText(text);
    if (a.space != b.space) return false;
    const int16_t ca[4] = {a.c0, a.c1, a.c2, a.c3};
    const int16_t cb[4] = {b.c0, b.c1, b.c2, b.c3};
    for (int i = 0; i < ComponentsOf(a.space); ++i) {
        if (ca[i] != cb[i]) return false;
    }
    a.Normalise();
    colour = a;
    return true;
}

}  // namespace

bool ParseColourText(const std::string& text, ColorSpec& colour) {
    const std::string trimmed = TrimmedBlanks(text);
    if (trimmed.empty()) return false;
    if (ParseTextForm(trimmed, colour)) return true;
    const std::string lower = LowerCase(trimmed);
    return ParseHex(lower, colour) || ParseRgbFunction(lower, colour) || ParseName(lower, colour);
}

std::string ColourSetText(const ColorSpec& colour) {
    if (colour.space != ColorSpec::kRGB) return colour.ToText();
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.c0 & 0xFF, colour.c1 & 0xFF, colour.c2 & 0xFF);
    return text;
}
