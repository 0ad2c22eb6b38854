// Looking for and making entries of the file system by path. Paths are UTF-8
// and may separate folders with backslashes (platform/LocalPath.h).
#pragma once

#include <string>

// True when there is a file or folder at `path` (a trailing separator is
// ignored).
bool PathExists(const std::string& path);

// Makes the folder at `path`; its parent folder must exist. True when a
// folder is there afterwards, also when it was there before; false when it
// cannot be made (no permission, no parent, a file in the way).
bool CreateFolder(const std::string& path);
