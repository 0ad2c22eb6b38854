// Where settings are kept: the user's own data folder (named settings of
// each effect, the options file) and the plug-in folder, whose "Settings"
// folder holds the factory settings of each effect and the gradient and
// bevel libraries. The archiver and the libraries ask for these folders
// before every operation, so tests can put them anywhere. Folders below
// them are reached as file-system references (content/FileSystemReference.h).
#pragma once

#include <string>
#include <utility>

#include "base/ResultCode.h"

// The folder below the plug-in folder with factory settings and libraries.
inline constexpr char kSettingsFolderName[] = "Settings";

class ISettingsFolders {
public:
    virtual ~ISettingsFolders() = default;

    // The user's data folder, made with any missing level above it. -1 when
    // it cannot be found or made.
    virtual ResultCode UserFolder(std::string& folder) const = 0;
    // The plug-in folder; -1 when it cannot be found.
    virtual ResultCode PluginFolder(std::string& folder) const = 0;
};

// The folders of the running plug-in: the user data folder and the plug-in
// folder of the content folders.
class RunningSettingsFolders final : public ISettingsFolders {
public:
    ResultCode UserFolder(std::string& folder) const override;
    ResultCode PluginFolder(std::string& folder) const override;
};

// Folders given by path. The user folder is made when it is missing (its
// parent must exist).
class GivenSettingsFolders final : public ISettingsFolders {
public:
    GivenSettingsFolders(std::string userFolder, std::string pluginFolder)
        : user_(std::move(userFolder)), plugin_(std::move(pluginFolder)) {}

    ResultCode UserFolder(std::string& folder) const override;
    ResultCode PluginFolder(std::string& folder) const override;

private:
    std::string user_;
    std::string plugin_;
};

// The path of `name` inside `folder`, as a file-system reference makes it.
std::string ChildPath(const std::string& folder, const std::string& name);
