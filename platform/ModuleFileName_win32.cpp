#include "platform/ModuleFileName_win32.h"

std::wstring ModuleFileName(HMODULE module) {
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
