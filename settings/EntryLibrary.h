// A library of named values kept outside any one effect's settings: one
// folder beside the plug-in ("Settings" then the library's folder), one
// file per entry, named exactly as the entry and holding the value's text
// form on one line without a line end. A file is an entry of the library
// when the first word of its first line is the library's word (white
// space before it, blank lines included, is passed over).
//
// Before every operation the folder is looked up and made when missing;
// only its last level is made, so without a "Settings" folder every
// operation fails. Result codes: 0, or -1 for a folder that cannot be
// found or made, a name that cannot be used, a file that cannot be read,
// written, renamed or deleted.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/ResultCode.h"
#include "settings/EntryFolder.h"
#include "settings/SettingsFolders.h"

class EntryLibrary {
public:
    EntryLibrary(const ISettingsFolders& folders, std::string folderName, std::string entryWord)
        : folders_(folders), folderName_(std::move(folderName)), entryWord_(std::move(entryWord)) {}

    // The names of the entries, sorted by byte (upper case before lower
    // case). Files that are not entries are left out, and left alone.
    ResultCode List(std::vector<std::string>& names) const;
    // 0 when the file `name` is an entry of the library.
    ResultCode Validate(const std::string& name) const;
    // The first line of the entry `name` (at most 4999 characters); -1 for
    // a file that is not an entry.
    ResultCode LoadText(const std::string& name, std::string& line) const;
    // Writes `text` as the entry `name`, replacing one of that name. -1 for
    // a name that settings/SettingNames.h does not take as valid.
    ResultCode SaveText(const std::string& name, const std::string& text) const;
    ResultCode Delete(const std::string& name) const;
    // -1, changing nothing, when `newName` is not valid or is taken.
    ResultCode Rename(const std::string& oldName, const std::string& newName) const;
    // `exists` tells whether the folder holds a file or folder `name`; the
    // result reports only a folder or name that cannot be used.
    ResultCode Exists(const std::string& name, bool& exists) const;

    // The library's folder, made when missing.
    ResultCode Folder(EntryFolder& folder) const;

private:
    const ISettingsFolders& folders_;
    std::string folderName_;
    std::string entryWord_;
};

// A library of values of one kind, read and written through their text
// forms (Value::ToText, Value::FromText) in the folder Value::kLibraryFolder,
// its entries marked by Value::kLibraryWord.
template <class Value>
class ValueLibrary : public EntryLibrary {
public:
    explicit ValueLibrary(const ISettingsFolders& folders)
        : EntryLibrary(folders, Value::kLibraryFolder, Value::kLibraryWord) {}

    // -1, leaving `value` as it was, when the entry cannot be read.
    ResultCode Load(const std::string& name, Value& value) const {
        std::string line;
        const ResultCode result = LoadText(name, line);
        if (result.IsSuccess()) value.FromText(line);
        return result;
    }
    ResultCode Save(const std::string& name, const Value& value) const { return SaveText(name, value.ToText()); }
};
