#include "platform/FileSystemEntries.h"

#include "platform/LocalPath.h"
#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

namespace {

std::wstring WidePath(const std::string& path) {
    std::wstring wide = WideFromUtf8(LocalPath(path));
    // "C:\" keeps its separator: without it the path names the drive's current folder.
    while (wide.size() > 1 && (wide.back() == L'\\' || wide.back() == L'/') && wide[wide.size() - 2] != L':')
        wide.pop_back();
    return wide;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

struct FindHandle {
    HANDLE handle;
    ~FindHandle() {
        if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
    }
};

}  // namespace

bool PathExists(const std::string& path) {
    if (path.empty()) return false;
    const std::wstring wide = WidePath(path);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return true;
    }
    // A search finds nothing for a drive's root, which exists all the same.
    return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateFolder(const std::string& path) {
    if (path.empty()) return false;
    const std::wstring wide = WidePath(path);
    if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(wide);
}

bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    WIN32_FIND_DATAW found{};
    FindHandle search{FindFirstFileW((WidePath(folder) + L"\\*").c_str(), &found)};
    if (search.handle == INVALID_HANDLE_VALUE) return false;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        names.push_back(Utf8FromWide(found.cFileName));
    } while (FindNextFileW(search.handle, &found));
    return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), 0) != 0;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileW(WidePath(path).c_str()) != 0; }
