#include "platform/ModuleFolder.h"

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

namespace {

std::wstring ModulePath() {
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!GetModuleHandleExW(flags, reinterpret_cast<LPCWSTR>(&ModuleFolder), &module)) return std::wstring();
    // Long paths can exceed MAX_PATH: grow until the name fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(module, path.data(), size);
        if (length == 0) return std::wstring();
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return std::wstring();
}

}  // namespace

std::string ModuleFolder() {
    const std::wstring path = ModulePath();
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return std::string();
    return Utf8FromWide(path.substr(0, separator + 1));
}
