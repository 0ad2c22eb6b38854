#include "platform/StoredText.h"

std::string Utf8FromStoredText(std::string_view text) { return std::string(text); }
