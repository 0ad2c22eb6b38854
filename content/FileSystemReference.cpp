#include "content/FileSystemReference.h"

#include "platform/FileSystemEntries.h"
#include "platform/UserDataFolder.h"

bool WinFileSystemReference::exists() const { return PathExists(path_); }

ResultCode WinFileSystemReference::createDirectory() const {
    return CreateFolder(path_) ? ResultCode::Success() : ResultCode::Failure();
}

ResultCode WinFileSystemReference::child(const std::string& name, IFileSystemReference& other) const {
    auto* reference = dynamic_cast<WinFileSystemReference*>(&other);
    if (reference == nullptr) return ResultCode::Failure();
    reference->path_ = path_ + "\\" + name;
    return ResultCode::Success();
}

ResultCode WinFileSystemReference::childFolder(const std::string& name, IFileSystemReference& other) const {
    return child(name, other);
}

ResultCode userDataFolder(WinFileSystemReference& folder) {
    const ResultCode made = CreateUserDataFolder();
    if (made.IsFailure()) return made;
    std::string path = UserDataFolder();
    while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    folder = WinFileSystemReference(path);
    return ResultCode::Success();
}
