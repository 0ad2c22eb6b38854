// A folder of entries, each one file named exactly as the entry: the named
// settings of an effect, a gradient or bevel library. An entry's file is
// read whole and replaced atomically; a folder is listed by the word that
// opens its entries.
//
// Every name is checked before it reaches the file system: a name to write
// under must be valid (settings/SettingNames.h); any other must at least
// stay inside the folder. Result codes: 0, or -1 for a name that cannot be
// used, a file that cannot be read, written, renamed or deleted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/ResultCode.h"

// Larger files are not entries of ours; they are refused unread.
inline constexpr std::size_t kMaxEntryFileSize = std::size_t{4} << 20;

// True when the first word of the first line of `text` (settings/TextLines.h)
// is `firstWord`, letter case included.
bool OpensWith(std::string_view text, std::string_view firstWord);

class EntryFolder {
public:
    EntryFolder() = default;
    explicit EntryFolder(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    // The path of the entry `name`; -1 for a name that leaves the folder.
    ResultCode EntryPath(const std::string& name, std::string& path) const;

    // The names of the files that open with `firstWord`, sorted by byte
    // (upper case before lower case). Files an atomic write leaves while it
    // works are passed over, and removed once a day old (a save cut off). -1, with no names, when the folder cannot be
    // read.
    ResultCode List(std::string_view firstWord, std::vector<std::string>& names) const;
    // -1 when the file cannot be read or is larger than kMaxEntryFileSize.
    ResultCode Read(const std::string& name, std::string& text) const;
    // Replaces the entry with `text`, or makes it.
    ResultCode Write(const std::string& name, const std::string& text) const;
    ResultCode Delete(const std::string& name) const;
    // -1, changing nothing, when `newName` is taken.
    ResultCode Rename(const std::string& oldName, const std::string& newName) const;
    // Whether the folder holds a file or folder `name`.
    bool Exists(const std::string& name) const;

private:
    std::string path_;
};
