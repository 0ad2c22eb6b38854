#include "platform/UserDataFolder.h"

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

#include <shlobj.h>

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring WideUserDataFolder() {
    wchar_t base[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)) || base[0] == L'\0')
        return std::wstring();
    std::wstring folder = base;
    if (folder.back() != L'\\') folder += L'\\';
    return folder + L"Mornebrook\\Dapple\\";
}

}  // namespace

std::string UserDataFolder() { return Utf8FromWide(WideUserDataFolder()); }

ResultCode CreateUserDataFolder() {
    const std::wstring folder = WideUserDataFolder();
    if (folder.empty()) return ResultCode::Failure();
    // The application-data folder exists; make the two levels below it.
    for (std::size_t separator = folder.find(L'\\'); separator != std::wstring::npos;
         separator = folder.find(L'\\', separator + 1)) {
        const std::wstring step = folder.substr(0, separator);
        if (step.size() > 2 && !IsFolder(step)) CreateDirectoryW(step.c_str(), nullptr);
    }
    return IsFolder(folder) ? ResultCode::Success() : ResultCode::Failure();
}
