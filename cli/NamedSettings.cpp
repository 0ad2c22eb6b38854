#include "cli/NamedSettings.h"

#include "platform/FileSystemEntries.h"
#include "platform/WholeFiles.h"
#include "settings/SettingNames.h"

namespace {

bool FindInFolder(const SettingsArchiver& archiver, const Filter& effect, const std::string& name, bool fromUser,
                  NamedSetting& found) {
    EntryFolder folder;
    if (!IsEntryName(name) || archiver.SettingsFolder(effect, fromUser, folder).IsFailure() || !folder.Exists(name))
        return false;
    std::string text;
    if (folder.Read(name, text).IsFailure()) return false;
    found.text = std::move(text);
    found.description = std::string(fromUser ? "user" : "factory") + " setting '" + name + "'";
    found.fromUser = fromUser;
    return true;
}

}  // namespace

bool FindNamedSetting(const SettingsArchiver& archiver, const Filter& effect, const std::string& name,
                      NamedSetting& found, std::string& problem) {
    if (FindInFolder(archiver, effect, name, true, found) || FindInFolder(archiver, effect, name, false, found))
        return true;
    if (!name.empty() && PathExists(name)) {
        std::string text;
        if (ReadWholeFile(name, kMaxEntryFileSize, text) != ReadFileStatus::kRead) {
            problem = "cannot read the settings file " + name;
            return false;
        }
        found.text = std::move(text);
        found.description = "file " + name;
        found.fromUser = false;
        return true;
    }
    problem = "no setting '" + name + "' for " + effect.InternalName() + " (see dapple settings list " +
              effect.InternalName() + ") and no file of that name";
    return false;
}
