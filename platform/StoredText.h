// Text that older files keep, read as UTF-8. Settings written on Windows by
// programs that used the system's code page hold paths in that code page;
// such a path is not valid UTF-8, and read as UTF-8 it would turn into
// replacement characters and name no file.
#pragma once

#include <string>
#include <string_view>

// `text` when it is valid UTF-8. Otherwise, on Windows, the text read in the
// system's code page and written as UTF-8; elsewhere, where no code page
// stands behind stored text, `text` as it is.
std::string Utf8FromStoredText(std::string_view text);

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);
