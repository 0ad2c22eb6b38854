#include "platform/FolderEntries.h"

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

namespace {

struct FindHandle {
    HANDLE handle;
    ~FindHandle() {
        if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
    }
};

DWORD Attributes(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(WideFromUtf8(path).c_str());
}

}  // namespace

bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    WIN32_FIND_DATAW found{};
    FindHandle search{FindFirstFileW(WideFromUtf8(folder + "\\*").c_str(), &found)};
    if (search.handle == INVALID_HANDLE_VALUE) return false;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        names.push_back(Utf8FromWide(found.cFileName));
    } while (FindNextFileW(search.handle, &found));
    return true;
}

bool EntryExists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool FolderExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolder(const std::string& path) {
    if (path.empty()) return false;
    if (CreateDirectoryW(WideFromUtf8(path).c_str(), nullptr)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && FolderExists(path);
}

bool RenameFile(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(), 0) != 0;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileW(WideFromUtf8(path).c_str()) != 0; }
