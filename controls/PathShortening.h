// How the content chooser shows a path: inside the content folder, from
// there on; too long for its name field, the start of the path, an
// ellipsis, and as many of the last folders before the file name as fit.
// The file name itself is never cut.
#pragma once

#include <functional>
#include <string>

// `fits` says whether a text fits the field. The path is shown whole when
// it fits. Otherwise, for a path with backslashes, the head is the drive
// ("C:\", when the path holds a ':') or the server ("\\server\", up to the
// third backslash), followed by "...\"; then whole leading folders are
// dropped from the rest until the text fits, or only the file name is left.
// A path without backslashes is treated the same with ':' as its separator
// ("Disk:...:Folder:file").
std::string ShortenedPath(const std::string& path, const std::function<bool(const std::string&)>& fits);

// `path` from `folder` on when it lies inside it (the folder's name compared
// without regard to case, with or without a backslash at its end), else
// `path` as it is.
std::string PathWithin(const std::string& path, const std::string& folder);
