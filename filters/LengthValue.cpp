#include "filters/LengthValue.h"

#include "filters/FixedText.h"
#include "filters/TextScanner.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace {

constexpr std::array<const char*, 6> kUnitWords = {"pixels", "inches", "centimeters", "millimeters", "points", "picas"};

bool IsKnownUnit(int32_t unit) { return unit >= kLengthPixels && unit <= kLengthPicas; }

double EffectiveResolution(double pixelsPerInch) {
    return pixelsPerInch > 0.0 && std::isfinite(pixelsPerInch) ? pixelsPerInch : kDefaultPixelsPerInch;
}

double ToPixels(double v, int32_t unit, double r) {
    switch (unit) {
        case kLengthPixels: return v;
        case kLengthInches: return v * r;
        case kLengthCentimeters: return v * r * 0.39370078740157477;
        case kLengthMillimeters: return v * r * 0.03937007874015748;
        case kLengthPoints: return v * r * 0.013888888888888888;
        case kLengthPicas: return v * r * 0.16666666666666666;
        default: return 0.0;
    }
}

double FromPixels(double p, int32_t unit, double r) {
    switch (unit) {
        case kLengthPixels: return p;
        case kLengthInches: return p / r;
        case kLengthCentimeters: return p / r * 2.54;
        case kLengthMillimeters: return p / r * 25.4;
        case kLengthPoints: return p / r * 72;
        case kLengthPicas: return p / r * 6;
        default: return 0.0;
    }
}

// The next blank-separated word at or after `pos`; empty at the end.
std::string_view NextWord(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsTextBlank(text[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !IsTextBlank(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

// The longest number at the start of `word`, as strtod reads it; 0 when
// there is none.
double LeadingNumber(std::string_view word) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    double number = 0.0;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), number);
    return result.ec == std::errc() ? number : 0.0;
}

}  // namespace

double LengthValue::In(int32_t target, double pixelsPerInch) const {
    if (target == unit) return value;
    if (!IsKnownUnit(unit) || !IsKnownUnit(target)) return 0.0;
    const double r = EffectiveResolution(pixelsPerInch);
    return FromPixels(ToPixels(value, unit, r), target, r);
}

std::string LengthValue::ToText() const {
    if (!IsKnownUnit(unit)) return std::string();
    std::string text = FixedText(value, 2);
    text += ' ';
    text += kUnitWords[static_cast<std::size_t>(unit)];
    return text;
}

void LengthValue::FromText(const std::string& text) {
    Set(0.0, kLengthPixels);
    std::size_t pos = 0;
    const std::string_view number = NextWord(text, pos);
    const std::string_view word = NextWord(text, pos);
    if (word.empty()) return;
    for (std::size_t u = 0; u < kUnitWords.size(); ++u) {
        if (word != kUnitWords[u]) continue;
        const double parsed = LeadingNumber(number);
        if (std::isfinite(parsed)) Set(parsed, static_cast<int32_t>(u));
        return;
    }
}
