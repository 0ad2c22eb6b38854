#include "platform/UserDataFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {

const char kDataSubfolder[] = "Mornebrook/Dapple/";

std::string NonEmptyEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// The home folder: $HOME, else the password database's entry.
std::string HomeFolder() {
    std::string home = NonEmptyEnvironment("HOME");
    if (!home.empty()) return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::string();
    return found->pw_dir != nullptr ? std::string(found->pw_dir) : std::string();
}

// The folder that holds applications' data folders, without a trailing '/'
// (except for "/" itself). Relative values of $XDG_DATA_HOME are ignored, as
// the base directory rules ask.
std::string DataHome() {
    std::string base = NonEmptyEnvironment("XDG_DATA_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = HomeFolder();
        if (home.empty() || home.front() != '/') return std::string();
        base = home + "/.local/share";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// mkdir -p: every missing folder on the way is made, private to the user.
bool MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        const std::string step = folder.substr(0, slash);
        if (mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return IsFolder(folder);
}

}  // namespace

std::string UserDataFolder() {
    const std::string base = DataHome();
    if (base.empty()) return std::string();
    return (base == "/" ? base : base + "/") + kDataSubfolder;
}

ResultCode CreateUserDataFolder() {
    const std::string folder = UserDataFolder();
    if (folder.empty() || !MakeFolders(folder)) return ResultCode::Failure();
    return ResultCode::Success();
}
