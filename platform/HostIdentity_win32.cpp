#include "platform/HostIdentity.h"

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

std::string HostExecutablePath() {
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) return std::string();
        if (length < size) {
            path.resize(length);
            return Utf8FromWide(path);
        }
    }
    return std::string();
}
