// Paths as the core keeps them and as the operating system takes them.
//
// Content references and the folders made from them keep backslashes between
// folders, the way Windows writes them, so that named settings and presets
// stay usable when they move between Windows and other systems. Every place
// that hands a path to the operating system passes it through LocalPath.
#pragma once

#include <string>

// `path` with each backslash turned into this system's folder separator: '/'
// on systems other than Windows; on Windows, which takes both '\\' and '/',
// the path as it is.
std::string LocalPath(const std::string& path);
