// Reads ProductVersion from the version block of the resource module's file,
// in the language of the block's first translation.
#include "platform/ProductVersion.h"

#include "platform/ModuleFileName_win32.h"
#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

#include <cwchar>
#include <vector>

namespace {

struct Translation {
    WORD language;
    WORD codePage;
};

}  // namespace

std::string ProductVersion() {
    const std::wstring file = ModuleFileName(static_cast<HMODULE>(ResourceModule()));
    if (file.empty()) return std::string();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return std::string();
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return std::string();

    void* translations = nullptr;
    UINT translationsSize = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translations, &translationsSize) ||
        translationsSize < sizeof(Translation))
        return std::string();
    const Translation first = *static_cast<const Translation*>(translations);

    wchar_t query[64] = {};
    std::swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\ProductVersion", first.language, first.codePage);
    void* value = nullptr;
    UINT valueLength = 0;
    if (!VerQueryValueW(block.data(), query, &value, &valueLength) || valueLength == 0) return std::string();
    const std::wstring version(static_cast<const wchar_t*>(value),
                               wcsnlen(static_cast<const wchar_t*>(value), valueLength));
    if (version.empty()) return std::string();
    return Utf8FromWide(version) + " Release";
}
