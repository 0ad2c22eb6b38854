// Strings come from the string table of the resource module; texts are
// handed on as UTF-8 like everywhere else in the core.
#include "platform/ResourceStrings.h"

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

#include <iterator>

std::string LoadResourceString(int id) {
    // String ids are 16-bit: a larger id must not wrap onto another string.
    if (id < 0 || id > 0xFFFF) return kLostString;
    wchar_t buffer[kMaxResourceStringLength + 1] = {};
    HINSTANCE module = static_cast<HINSTANCE>(ResourceModule());
    const int length = LoadStringW(module, static_cast<UINT>(id), buffer, static_cast<int>(std::size(buffer)));
    if (length <= 0) return kLostString;
    return ClipResourceText(Utf8FromWide(std::wstring_view(buffer, static_cast<std::size_t>(length))));
}
