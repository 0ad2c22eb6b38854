#include "controls/NumberText.h"

#include "filters/FixedText.h"
#include "filters/TextScanner.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips the leading blanks and reads the sign; true for a minus.
bool TakeSign(std::string_view& text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsTextBlank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    text.remove_prefix(pos);
    return negative;
}

}  // namespace

long long ParseLeadingInteger(std::string_view text) {
    const bool negative = TakeSign(text);
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long magnitude = 0;
    for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (magnitude > (kMax - digit) / 10) return negative ? std::numeric_limits<long long>::min() : kMax;
        magnitude = magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

double ParseLeadingDecimal(std::string_view text) {
    const bool negative = TakeSign(text);
    // from_chars reads no sign of its own here and stops where strtod would.
    std::size_t end = 0;
    while (end < text.size() && IsDigit(text[end])) ++end;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end])) ++end;
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

std::string FormatWhole(double value) {
    if (!std::isfinite(value)) return "0";
    constexpr double kLimit = 1e18;  // well inside long long
    return std::to_string(static_cast<long long>(std::trunc(std::fmax(-kLimit, std::fmin(value, kLimit)))));
}

std::string FormatHundredths(double value) {
    if (!std::isfinite(value)) value = 0.0;
    return FixedText(value, 2);
}
