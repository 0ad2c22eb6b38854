// Text form of ColorSpec. The reader follows the scanf patterns in which the
// form was first read ("%*s %lf%*1c ..."); numbers are parsed and printed
// without the C locale (filters/TextScanner.h).
#include "filters/ColorSpec.h"

#include "filters/FixedText.h"
#include "filters/TextScanner.h"
#include "platform/ResourceStrings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

int ClampComponent(int value) { return std::clamp(value, 0, 255); }

int16_t SaturateToInt16(long long value) {
    return static_cast<int16_t>(std::clamp<long long>(value, INT16_MIN, INT16_MAX));
}

// Percentage of a stored 0..255 component.
double Pct(int value) { return static_cast<double>(ClampComponent(value) * 100) * (1.0 / 255.0); }

// CMYK ink percentage of an inverted stored component.
double Ink(int value) { return static_cast<double>(25500 - ClampComponent(value) * 100) * (1.0 / 255.0); }

int FromPct(double percent) { return static_cast<int>(std::clamp(percent, 0.0, 100.0) * 255 * 0.01 + 0.5); }

int FromInk(double percent) { return static_cast<int>((100 - std::clamp(percent, 0.0, 100.0)) * 255 * 0.01 + 0.5); }

std::string Percent(double value) { return FixedText(value, 1) + "%"; }

// "%s %s %s %s %s": up to five blank-separated words.
int SplitWords(std::string_view text, std::array<std::string_view, 5>& words) {
    int count = 0;
    std::size_t pos = 0;
    while (count < static_cast<int>(words.size())) {
        while (pos < text.size() && IsTextBlank(text[pos])) ++pos;
        if (pos >= text.size()) break;
        const std::size_t start = pos;
        while (pos < text.size() && !IsTextBlank(text[pos])) ++pos;
        words[static_cast<std::size_t>(count++)] = text.substr(start, pos - start);
    }
    return count;
}

// Reads N numbers, each followed by one skipped character (the per-cent
// sign), after the first word.
template <std::size_t N>
std::array<bool, N> ReadPercentages(std::string_view text, std::array<double, N>& values) {
    std::array<bool, N> read{};
    TextScanner scanner(text);
    scanner.SkipWord();
    for (std::size_t i = 0; i < N; ++i) {
        scanner.SkipBlanks();
        read[i] = scanner.ReadDouble(values[i]);
        scanner.SkipChar();
    }
    return read;
}

void StoreIf(bool read, int16_t& component, long long value) {
    if (read) component = SaturateToInt16(value);
}

int16_t WrapHue(int hue) { return static_cast<int16_t>((hue % 360 + 360) % 360); }

int16_t ClampedComponent(int16_t value) { return static_cast<int16_t>(ClampComponent(value)); }

}  // namespace

std::string ColorSpec::ToText() const {
    const auto number = [](int value) { return std::to_string(value); };
    switch (space) {
        case kRGB:
            return "RGB: " + Percent(Pct(c0)) + " " + Percent(Pct(c1)) + " " + Percent(Pct(c2)) + " (" + number(c0) +
                   " " + number(c1) + " " + number(c2) + ")";
        case kHSB:
        case kHSL:
            return std::string(space == kHSB ? "HSB: " : "HSL: ") + number(c0) + LoadResourceString(kHueUnitStringId) +
                   " " + Percent(Pct(c1)) + " " + Percent(Pct(c2));
        case kCMYK:
            return "CMYK: " + Percent(Ink(c0)) + " " + Percent(Ink(c1)) + " " + Percent(Ink(c2)) + " " +
                   Percent(Ink(c3));
        case kLab: return "Lab: " + Percent(Pct(c0)) + " " + number(c1 - 128) + " " + number(c2 - 128);
        case kGray: return "Gray: " + Percent(Pct(c0)) + " (" + number(c0) + ")";
        case kXYZ: return "XYZ: " + number(c0) + " " + number(c1) + " " + number(c2);
        default: return std::string();
    }
}

void ColorSpec::FromText(const std::string& text) {
    if (text.empty()) return;
    std::array<std::string_view, 5> words{};
    if (SplitWords(text, words) < 2) *this = RGB(255, 0, 255);
    const std::string_view first = words[0];

    if (first == "RGB:") {
        space = kRGB;
        std::array<double, 3> values{};
        const auto read = ReadPercentages(text, values);
        StoreIf(read[0], c0, FromPct(values[0]));
        StoreIf(read[1], c1, FromPct(values[1]));
        StoreIf(read[2], c2, FromPct(values[2]));
    } else if (first == "HSB:" || first == "HSL:") {
        space = first == "HSB:" ? kHSB : kHSL;
        TextScanner scanner(text);
        scanner.SkipWord();
        scanner.SkipBlanks();
        int hue = 0;
        const bool hueRead = scanner.ReadInt(hue);
        scanner.SkipUnit(LoadResourceString(kHueUnitStringId));
        std::array<double, 2> values{};
        std::array<bool, 2> read{};
        for (std::size_t i = 0; i < values.size(); ++i) {
            scanner.SkipBlanks();
            read[i] = scanner.ReadDouble(values[i]);
            scanner.SkipChar();
        }
        StoreIf(hueRead, c0, hue);
        StoreIf(read[0], c1, FromPct(values[0]));
        StoreIf(read[1], c2, FromPct(values[1]));
    } else if (first == "CMYK:") {
        space = kCMYK;
        std::array<double, 4> values{};
        const auto read = ReadPercentages(text, values);
        StoreIf(read[0], c0, FromInk(values[0]));
        StoreIf(read[1], c1, FromInk(values[1]));
        StoreIf(read[2], c2, FromInk(values[2]));
        StoreIf(read[3], c3, FromInk(values[3]));
    } else if (first == "Lab:") {
        space = kLab;
        TextScanner scanner(text);
        scanner.SkipWord();
        scanner.SkipBlanks();
        double lightness = 0.0;
        int a = 0;
        int b = 0;
        const bool lightnessRead = scanner.ReadDouble(lightness);
        scanner.SkipChar();
        scanner.SkipBlanks();
        const bool aRead = scanner.ReadInt(a);
        scanner.SkipBlanks();
        const bool bRead = scanner.ReadInt(b);
        StoreIf(lightnessRead, c0, FromPct(lightness));
        StoreIf(aRead, c1, static_cast<long long>(a) + 128);
        StoreIf(bRead, c2, static_cast<long long>(b) + 128);
    } else if (first == "Gray:") {
        space = kGray;
        double level = 0.0;
        if (TextScanner(words[1]).ReadDouble(level)) c0 = SaturateToInt16(FromPct(level));
    } else if (first == "XYZ:") {
        space = kXYZ;
        int16_t* components[] = {&c0, &c1, &c2};
        for (std::size_t i = 0; i < 3; ++i) {
            int value = 0;
            if (TextScanner(words[i + 1]).ReadInt(value)) *components[i] = SaturateToInt16(value);
        }
    }
}

void ColorSpec::Normalise() {
    if (space < kRGB || space > kXYZ) space = kRGB;
    switch (space) {
        case kHSB:
        case kHSL:
            c0 = WrapHue(c0);
            c1 = ClampedComponent(c1);
            c2 = ClampedComponent(c2);
            c3 = 0;
            break;
        case kCMYK:
            c0 = ClampedComponent(c0);
            c1 = ClampedComponent(c1);
            c2 = ClampedComponent(c2);
            c3 = ClampedComponent(c3);
            break;
        case kGray:
            c0 = ClampedComponent(c0);
            c1 = c2 = c3 = 0;
            break;
        case kXYZ:
            c0 = std::max<int16_t>(c0, 0);
            c1 = std::max<int16_t>(c1, 0);
            c2 = std::max<int16_t>(c2, 0);
            c3 = 0;
            break;
        default:  // RGB and Lab: three 0..255 components
            c0 = ClampedComponent(c0);
            c1 = ClampedComponent(c1);
            c2 = ClampedComponent(c2);
            c3 = 0;
            break;
    }
}
