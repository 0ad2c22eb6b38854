// Numbers as the controls' edit fields show and read them, the same in
// every locale (a host may have set one with a decimal comma).
#pragma once

#include <string>
#include <string_view>

// Reads the text the way base-10 strtol does: leading blanks, an optional
// sign, then digits up to the first other character. No digits give 0; a
// number beyond the range of long long gives the nearest end of it.
long long ParseLeadingInteger(std::string_view text);

// The same for a decimal number with an optional fraction ("12.5", "-.25",
// "3abc"); no number gives 0.
double ParseLeadingDecimal(std::string_view text);

// "%d" of the whole part (truncated toward zero).
std::string FormatWhole(double value);
// "%.2f".
std::string FormatHundredths(double value);
