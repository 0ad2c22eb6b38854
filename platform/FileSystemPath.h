// std::filesystem paths for our UTF-8 path strings. On Windows a path made
// from a narrow string, and path::string(), use the ANSI code page, which
// cannot hold every file name; these go through UTF-8 on every system.
#pragma once

#include <filesystem>
#include <string>

// `path` (UTF-8; folders may be separated by backslashes, platform/LocalPath.h).
std::filesystem::path PathFromUtf8(const std::string& path);

// `path` as UTF-8 text.
std::string Utf8FromPath(const std::filesystem::path& path);
