// A library of named values kept outside any one effect's settings (colour
// gradients, bevel profiles), as the editors see it. The settings layer
// implements it over its library folders; each entry is one file named as
// the user typed the name.
#pragma once

#include <string>
#include <vector>

#include "image/ResultCode.h"

template <class Value>
class ILibrary {
public:
    // The entries' names, sorted.
    virtual ResultCode List(std::vector<std::string>& names) = 0;
    virtual ResultCode Load(const std::string& name, Value& value) = 0;
    // Replaces an entry of that name.
    virtual ResultCode Save(const std::string& name, const Value& value) = 0;
    virtual ResultCode Delete(const std::string& name) = 0;
    virtual ResultCode Rename(const std::string& oldName, const std::string& newName) = 0;
    virtual ResultCode Exists(const std::string& name, bool& exists) = 0;

protected:
    ~ILibrary() = default;
};

// The resource strings of an editor's library messages.
struct LibraryTexts {
    int saveTitle;  // name prompt when saving
    int saveText;
    int saveFailed;
    int deleteFailed;  // also: nothing chosen to delete
    int renameFailed;  // formatted with the name
    int loadFailed;
};

// The same library seen by name only, with the editor's own value behind
// it: what an editor's library row works with.
class ILibraryEntries {
public:
    virtual ResultCode List(std::vector<std::string>& names) = 0;
    virtual ResultCode Exists(const std::string& name, bool& exists) = 0;
    // Saves the editor's value under `name`.
    virtual ResultCode SaveCurrent(const std::string& name) = 0;
    // Loads entry `name` into the editor (a change the user made).
    virtual ResultCode LoadCurrent(const std::string& name) = 0;
    virtual ResultCode Delete(const std::string& name) = 0;
    virtual ResultCode Rename(const std::string& oldName, const std::string& newName) = 0;

protected:
    ~ILibraryEntries() = default;
};
