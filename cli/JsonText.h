// The pieces of the commands' --json output: JSON strings and numbers.
#pragma once

#include <string>

// `text` as a JSON string, quotes included: quotes, backslashes and control
// characters escaped, every other byte as it is (UTF-8 stays UTF-8).
std::string JsonString(const std::string& text);

// A number that reads back as the same double; null for one that is not finite.
std::string JsonNumber(double value);
