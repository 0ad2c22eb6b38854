#include "filters/FixedText.h"

#include <array>
#include <charconv>

std::string FixedText(double value, int decimals) {
    std::array<char, 400> buffer{};  // the longest double in fixed notation with a few decimals fits
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return std::string();
    return std::string(buffer.data(), result.ptr);
}
