#include "settings/SettingsFolders.h"

#include "platform/FolderEntries.h"
#include "platform/ModuleFolder.h"
#include "platform/UserDataFolder.h"

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
    return path;
}

}  // namespace

ResultCode RunningSettingsFolders::UserFolder(std::string& folder) const {
    const ResultCode made = CreateUserDataFolder();
    if (made.IsFailure()) return made;
    folder = WithoutTrailingSeparators(UserDataFolder());
    return ResultCode::Success();
}

ResultCode RunningSettingsFolders::PluginFolder(std::string& folder) const {
    const std::string found = ModuleFolder();
    if (found.empty()) return ResultCode::Failure();
    folder = WithoutTrailingSeparators(found);
    return ResultCode::Success();
}

ResultCode GivenSettingsFolders::UserFolder(std::string& folder) const {
    if (!MakeFolder(user_)) return ResultCode::Failure();
    folder = WithoutTrailingSeparators(user_);
    return ResultCode::Success();
}

ResultCode GivenSettingsFolders::PluginFolder(std::string& folder) const {
    if (plugin_.empty()) return ResultCode::Failure();
    folder = WithoutTrailingSeparators(plugin_);
    return ResultCode::Success();
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return IsSeparator(folder.back()) ? folder + name : folder + "/" + name;
}
