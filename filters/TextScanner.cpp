#include "filters/TextScanner.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace {

// What strtod gives for a number too large or too small for a double:
// infinity on overflow, zero on underflow (a negative exponent).
double OutOfRangeValue(std::string_view number) {
    const bool negative = !number.empty() && number.front() == '-';
    const std::size_t exponent = number.find_first_of("eE");
    const bool underflow =
        exponent != std::string_view::npos && exponent + 1 < number.size() && number[exponent + 1] == '-';
    const double magnitude = underflow ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -magnitude : magnitude;
}

}  // namespace

void TextScanner::SkipWord() {
    SkipBlanks();
    if (!ok_ || AtEnd() || IsTextBlank(text_[pos_])) {
        ok_ = false;
        return;
    }
    while (!AtEnd() && !IsTextBlank(text_[pos_])) ++pos_;
}

void TextScanner::SkipBlanks() {
    while (ok_ && !AtEnd() && IsTextBlank(text_[pos_])) ++pos_;
}

void TextScanner::SkipChar() {
    if (!ok_ || AtEnd()) {
        ok_ = false;
        return;
    }
    ++pos_;
}

void TextScanner::SkipUnit(std::string_view unit) {
    if (ok_ && !unit.empty() && text_.substr(pos_, unit.size()) == unit) {
        pos_ += unit.size();
        return;
    }
    SkipChar();
}

bool TextScanner::ReadDouble(double& value) {
    SkipBlanks();
    if (!ok_) return false;
    std::size_t start = pos_;
    if (!AtEnd() && text_[start] == '+') {
        ++start;
        if (start < text_.size() && (text_[start] == '-' || text_[start] == '+')) return Fail();
    }
    double parsed = 0.0;
    const char* first = text_.data() + start;
    const auto result = std::from_chars(first, text_.data() + text_.size(), parsed);
    if (result.ec == std::errc::result_out_of_range)
        parsed = OutOfRangeValue(std::string_view(first, static_cast<std::size_t>(result.ptr - first)));
    else if (result.ec != std::errc())
        return Fail();
    if (std::isnan(parsed)) return Fail();
    pos_ = static_cast<std::size_t>(result.ptr - text_.data());
    value = parsed;
    return true;
}

bool TextScanner::ReadInt(int& value) {
    SkipBlanks();
    if (!ok_) return false;
    std::size_t at = pos_;
    bool negative = false;
    if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) negative = text_[at++] == '-';
    const std::size_t digitsStart = at;
    long long magnitude = 0;
    while (at < text_.size() && text_[at] >= '0' && text_[at] <= '9') {
        magnitude = std::min<long long>(magnitude * 10 + (text_[at] - '0'), 1LL + INT_MAX);
        ++at;
    }
    if (at == digitsStart) return Fail();
    pos_ = at;
    value = static_cast<int>(std::clamp<long long>(negative ? -magnitude : magnitude, INT_MIN, INT_MAX));
    return true;
}

bool TextScanner::ReadShort(int16_t& value) {
    int wide = 0;
    if (!ReadInt(wide)) return false;
    value = static_cast<int16_t>(std::clamp(wide, INT16_MIN, INT16_MAX));
    return true;
}

bool TextScanner::Fail() {
    ok_ = false;
    return false;
}
