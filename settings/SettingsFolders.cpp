#include "settings/SettingsFolders.h"

#include "content/ContentFolders.h"
#include "content/FileSystemReference.h"

ResultCode RunningSettingsFolders::UserFolder(std::string& folder) const {
    WinFileSystemReference user;
    const ResultCode found = userDataFolder(user);
    if (found.IsFailure()) return found;
    folder = user.name();
    return ResultCode::Success();
}

ResultCode RunningSettingsFolders::PluginFolder(std::string& folder) const { return pluginFolder(folder); }

ResultCode GivenSettingsFolders::UserFolder(std::string& folder) const {
    const ResultCode made = WinFileSystemReference(user_).createDirectory();
    if (made.IsFailure()) return made;
    folder = user_;
    return ResultCode::Success();
}

ResultCode GivenSettingsFolders::PluginFolder(std::string& folder) const {
    if (plugin_.empty()) return ResultCode::Failure();
    folder = plugin_;
    return ResultCode::Success();
}

std::string ChildPath(const std::string& folder, const std::string& name) {
    WinFileSystemReference child;
    WinFileSystemReference(folder).child(name, child);
    return child.name();
}
