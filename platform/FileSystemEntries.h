// Looking for, listing, making, renaming and deleting entries of the file
// system by path. Paths are UTF-8 and may separate folders with backslashes
// (platform/LocalPath.h).
#pragma once

#include <string>
#include <vector>

// True when there is a file or folder at `path` (a trailing separator is
// ignored).
bool PathExists(const std::string& path);

// Makes the folder at `path`; its parent folder must exist. True when a
// folder is there afterwards, also when it was there before; false when it
// cannot be made (no permission, no parent, a file in the way).
bool CreateFolder(const std::string& path);

// The names of the files in `folder` (not of its sub-folders), in no
// particular order. False, leaving `names` empty, when the folder cannot
// be read.
bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names);

// Gives the file at `from` the path `to`, inside the same folder. False,
// changing nothing, when `from` is missing or another entry has the path
// `to` (a different letter case of the same name is the same entry where
// the file system ignores case).
bool RenameFile(const std::string& from, const std::string& to);

// Deletes the file at `path`; false when there is none or it cannot be
// deleted.
bool DeleteFileAt(const std::string& path);
