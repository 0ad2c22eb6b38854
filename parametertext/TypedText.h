// The small text forms the readers of typed values share.
#pragma once

#include <string>

#include "base/AsciiCase.h"

// `text` without blanks or tabs at either end.
std::string TrimmedBlanks(const std::string& text);
