// Conversions between our UTF-8 strings and the UTF-16 text of the wide
// Windows API. Invalid input is replaced, never rejected.
#pragma once

#include <string>
#include <string_view>

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
