// The small text forms the readers of typed values share.
#pragma once

#include <string>

// `text` with its ASCII letters in lower case.
std::string LowerCase(std::string text);

// `text` without blanks or tabs at either end.
std::string TrimmedBlanks(const std::string& text);
