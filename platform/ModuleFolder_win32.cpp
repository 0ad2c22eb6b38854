#include "platform/ModuleFolder.h"

#include "platform/ModuleFileName_win32.h"
#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

namespace {

std::wstring ModulePath() {
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!GetModuleHandleExW(flags, reinterpret_cast<LPCWSTR>(&ModuleFolder), &module)) return std::wstring();
    return ModuleFileName(module);
}

}  // namespace

std::string ModuleFolder() {
    const std::wstring path = ModulePath();
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return std::string();
    return Utf8FromWide(path.substr(0, separator + 1));
}
