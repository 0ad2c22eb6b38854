// The entries of a folder by UTF-8 path: listed, looked up, made, renamed
// and deleted. Named settings, the options file and the gradient and bevel
// libraries keep one file per entry in such folders.
#pragma once

#include <string>
#include <vector>

// The names of the files in `folder` (not of its sub-folders), in no
// particular order. False, leaving `names` empty, when the folder cannot
// be read.
bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names);

// True when a file or folder is at `path`.
bool EntryExists(const std::string& path);
// True when a folder is at `path`.
bool FolderExists(const std::string& path);

// Makes the folder `path`; its parent must exist. True when a folder is
// there afterwards, also when it was there before.
bool MakeFolder(const std::string& path);

// Gives the file at `from` the path `to`, inside the same folder. False,
// changing nothing, when `from` is missing or another entry has the path
// `to` (a different letter case of the same name is the same entry where
// the file system ignores case).
bool RenameFile(const std::string& from, const std::string& to);

// Deletes the file at `path`; false when there is none or it cannot be
// deleted.
bool DeleteFileAt(const std::string& path);
