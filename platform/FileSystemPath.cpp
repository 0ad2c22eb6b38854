#include "platform/FileSystemPath.h"

#include "platform/LocalPath.h"

std::filesystem::path PathFromUtf8(const std::string& path) { return std::filesystem::u8path(LocalPath(path)); }

// In C++17 u8string() is a std::string of UTF-8 bytes.
std::string Utf8FromPath(const std::filesystem::path& path) { return path.u8string(); }
