#include "settings/EntryFolder.h"

#include <algorithm>

#include "platform/FileSystemEntries.h"
#include "platform/WholeFiles.h"
#include "settings/SettingNames.h"
#include "settings/SettingsFolders.h"
#include "settings/TextLines.h"

namespace {

ResultCode FromBool(bool done) { return done ? ResultCode::Success() : ResultCode::Failure(); }

}  // namespace

bool OpensWith(std::string_view text, std::string_view firstWord) { return FirstWord(FirstLine(text)) == firstWord; }

ResultCode EntryFolder::EntryPath(const std::string& name, std::string& path) const {
    if (!IsEntryName(name)) return ResultCode::Failure();
    path = ChildPath(path_, name);
    return ResultCode::Success();
}

ResultCode EntryFolder::List(std::string_view firstWord, std::vector<std::string>& names) const {
    names.clear();
    std::vector<std::string> files;
    if (!ListFolderFiles(path_, files)) return ResultCode::Failure();
    for (const std::string& file : files) {
        if (!file.empty() && file.front() == kTemporaryFilePrefix) {
            RemoveStaleTemporaryFile(ChildPath(path_, file));
            continue;
        }
        std::string text;
        if (Read(file, text).IsSuccess() && OpensWith(text, firstWord)) names.push_back(file);
    }
    std::sort(names.begin(), names.end());
    return ResultCode::Success();
}

ResultCode EntryFolder::Read(const std::string& name, std::string& text) const {
    std::string path;
    const ResultCode named = EntryPath(name, path);
    if (named.IsFailure()) return named;
    return FromBool(ReadWholeFile(path, kMaxEntryFileSize, text) == ReadFileStatus::kRead);
}

ResultCode EntryFolder::Write(const std::string& name, const std::string& text) const {
    std::string path;
    if (!IsValidName(name) || EntryPath(name, path).IsFailure()) return ResultCode::Failure();
    return FromBool(WriteFileAtomically(path, text));
}

ResultCode EntryFolder::Delete(const std::string& name) const {
    std::string path;
    const ResultCode named = EntryPath(name, path);
    if (named.IsFailure()) return named;
    return FromBool(DeleteFileAt(path));
}

ResultCode EntryFolder::Rename(const std::string& oldName, const std::string& newName) const {
    std::string from;
    std::string to;
    if (!IsValidName(newName) || EntryPath(oldName, from).IsFailure() || EntryPath(newName, to).IsFailure())
        return ResultCode::Failure();
    return FromBool(RenameFile(from, to));
}

bool EntryFolder::Exists(const std::string& name) const {
    std::string path;
    return EntryPath(name, path).IsSuccess() && PathExists(path);
}
