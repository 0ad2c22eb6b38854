// Letters compared and lowered without the C library's locale: names, keys,
// extensions and paths are matched on their ASCII letters only, and other
// bytes of UTF-8 text must match exactly.
#pragma once

#include <string>
#include <string_view>

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `text` with its ASCII letters in lower case.
inline std::string LowerCase(std::string text) {
    for (char& c : text) c = AsciiLower(c);
    return text;
}

inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

inline bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameIgnoringCase(text.substr(0, start.size()), start);
}
