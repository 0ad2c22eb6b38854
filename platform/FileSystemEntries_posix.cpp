#include "platform/FileSystemEntries.h"

#include <sys/stat.h>
#include <cerrno>

#include "platform/LocalPath.h"

namespace {

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool PathExists(const std::string& path) {
    if (path.empty()) return false;
    struct stat info {};
    return lstat(WithoutTrailingSeparators(LocalPath(path)).c_str(), &info) == 0;
}

bool CreateFolder(const std::string& path) {
    if (path.empty()) return false;
    const std::string local = WithoutTrailingSeparators(LocalPath(path));
    if (mkdir(local.c_str(), 0777) == 0) return true;
    return errno == EEXIST && IsFolder(local);
}
