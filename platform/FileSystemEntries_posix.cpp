#include "platform/FileSystemEntries.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <memory>

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

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

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

bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    const std::string local = LocalPath(folder);
    std::unique_ptr<DIR, DirectoryCloser> directory(opendir(local.c_str()));
    if (!directory) return false;
    while (const dirent* entry = readdir(directory.get())) {
        const std::string name = entry->d_name;
        struct stat info {};
        // Links count as what they lead to.
        if (stat((local + "/" + name).c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) names.push_back(name);
    }
    return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
    const std::string source = LocalPath(from);
    const std::string target = LocalPath(to);
    // A hard link is refused when `to` exists, so a file another program
    // puts there meanwhile is never replaced.
    if (link(source.c_str(), target.c_str()) == 0) {
        unlink(source.c_str());
        return true;
    }
    if (errno == EEXIST || errno == ENOENT) return false;
    // File systems without hard links: the check and the move, a moment apart.
    if (!PathExists(from) || PathExists(to)) return false;
    return std::rename(source.c_str(), target.c_str()) == 0;
}

bool DeleteFileAt(const std::string& path) { return unlink(LocalPath(path).c_str()) == 0; }
