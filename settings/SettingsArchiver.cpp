#include "settings/SettingsArchiver.h"

#include <algorithm>

#include "content/FileSystemReference.h"
#include "filters/Filter.h"
#include "filters/ParameterSet.h"
#include "platform/ResourceStrings.h"
#include "platform/WholeFiles.h"
#include "platform/YesNoQuestion.h"
#include "settings/ParameterLines.h"
#include "settings/SettingNames.h"
#include "settings/TextLines.h"

namespace {

ResultCode Confirm(void* owner, int captionId, int textId, const std::string& name) {
    if (owner == nullptr) return ResultCode::Failure();
    const bool yes = AskYesNo(owner, LoadResourceString(captionId), WithName(LoadResourceString(textId), name));
    return yes ? ResultCode::Success() : ResultCode::Failure();
}

// Every line after the header has a key and a value; else `why` names the
// first that has none.
bool EveryLineHasAValue(std::string_view text, std::string& why) {
    LineReader reader(text);
    std::string_view line;
    reader.Next(line);
    while (reader.Next(line)) {
        if (line.find(' ') == std::string_view::npos) {
            why = "a line holds a key without a value: " + std::string(line.substr(0, 40));
            return false;
        }
    }
    return true;
}

}  // namespace

ResultCode SettingsArchiver::SettingsFolder(const Filter& effect, bool fromUser, EntryFolder& folder) const {
    std::string base;
    const ResultCode found = fromUser ? folders_.UserFolder(base) : folders_.PluginFolder(base);
    if (found.IsFailure()) return found;
    if (!fromUser) base = ChildPath(base, kSettingsFolderName);
    const WinFileSystemReference effectFolder(ChildPath(base, effect.InternalName()));
    // The user's folder is made; the factory's is shipped, or there is none.
    const bool there = fromUser ? effectFolder.createDirectory().IsSuccess() : effectFolder.exists();
    if (!there) return ResultCode::Failure();
    folder = EntryFolder(effectFolder.name());
    return ResultCode::Success();
}

ResultCode SettingsArchiver::Save(const Filter& effect, const ParameterSet& set, const std::string& name) {
    EntryFolder folder;
    std::string text;
    ResultCode result = WriteSettingsText(effect.InternalName(), set, text);
    if (result.IsSuccess()) result = SettingsFolder(effect, true, folder);
    return result.IsFailure() ? result : folder.Write(name, text);
}

ResultCode SettingsArchiver::Load(const Filter& effect, ParameterSet& set, const std::string& name, bool fromUser) {
    EntryFolder folder;
    std::string text;
    ResultCode result = SettingsFolder(effect, fromUser, folder);
    if (result.IsSuccess()) result = folder.Read(name, text);
    return result.IsFailure() ? result : ReadSettingsText(effect.InternalName(), set, text);
}

ResultCode SettingsArchiver::LoadFile(const Filter& effect, ParameterSet& set, const std::string& path) {
    std::string text;
    if (ReadWholeFile(path, kMaxEntryFileSize, text) != ReadFileStatus::kRead) return ResultCode::Failure();
    return ReadSettingsText(effect.InternalName(), set, text);
}

ResultCode SettingsArchiver::ListSettings(const Filter& effect, bool fromUser, std::vector<std::string>& names) {
    names.clear();
    EntryFolder folder;
    ResultCode result = SettingsFolder(effect, fromUser, folder);
    if (result.IsFailure()) return result;
    result = folder.List(effect.InternalName(), names);
    const std::string lastUsed = LoadResourceString(kLastUsedNameId);
    names.erase(std::remove(names.begin(), names.end(), lastUsed), names.end());
    return result;
}

bool SettingsArchiver::IsValidName(const std::string& name) { return ::IsValidName(name); }

bool SettingsArchiver::Exists(const Filter& effect, const std::string& name) {
    EntryFolder folder;
    return SettingsFolder(effect, true, folder).IsSuccess() && folder.Exists(name);
}

ResultCode SettingsArchiver::Rename(const Filter& effect, const std::string& oldName, const std::string& newName) {
    EntryFolder folder;
    const ResultCode found = SettingsFolder(effect, true, folder);
    return found.IsFailure() ? found : folder.Rename(oldName, newName);
}

ResultCode SettingsArchiver::Delete(const Filter& effect, const std::string& name) {
    EntryFolder folder;
    const ResultCode found = SettingsFolder(effect, true, folder);
    return found.IsFailure() ? found : folder.Delete(name);
}

ResultCode SettingsArchiver::ConfirmReplace(void* owner, const std::string& name) {
    return Confirm(owner, kReplaceCaptionId, kReplaceTextId, name);
}

ResultCode SettingsArchiver::ConfirmDelete(void* owner, const std::string& name) {
    return Confirm(owner, kDeleteCaptionId, kDeleteTextId, name);
}

ResultCode SettingsArchiver::SaveOptions(const OptionsRecord& options) {
    std::string user;
    const ResultCode found = folders_.UserFolder(user);
    return found.IsFailure() ? found : EntryFolder(user).Write(kOptionsFileName, OptionsText(options));
}

ResultCode SettingsArchiver::LoadOptions(OptionsRecord& options) {
    std::string user;
    std::string text;
    ResultCode result = folders_.UserFolder(user);
    if (result.IsSuccess()) result = EntryFolder(user).Read(kOptionsFileName, text);
    if (result.IsFailure()) return result;
    return ReadOptionsText(text, options) ? ResultCode::Success() : ResultCode::Failure();
}

ResultCode SettingsArchiver::WriteSettingsText(const std::string& internalName, const ParameterSet& set,
                                               std::string& text) {
    std::string written;
    AppendLine(written, internalName);
    for (std::size_t i = 0; i < set.Count(); ++i) {
        const FilterParameter& parameter = *set.At(i);
        const LineOutcome outcome = WriteParameterLines(parameter, written);
        if (outcome == LineOutcome::kUnwritable) return ResultCode::Failure();
        if (outcome == LineOutcome::kUnknownClass && SaveExtra(written, parameter).IsFailure())
            return ResultCode::Failure();
    }
    text = std::move(written);
    return ResultCode::Success();
}

ResultCode SettingsArchiver::ReadSettingsText(const std::string& internalName, ParameterSet& set,
                                              std::string_view text) {
    std::string why;
    return ReadSettingsText(internalName, set, text, why);
}

ResultCode SettingsArchiver::ReadSettingsText(const std::string& internalName, ParameterSet& set, std::string_view text,
                                              std::string& why) {
    if (!OpensWith(text, internalName)) {
        why = "it is not a setting of " + internalName + " (its first line does not name it)";
        return ResultCode::Failure();
    }
    if (!EveryLineHasAValue(text, why)) return ResultCode::Failure();
    LineReader reader(text);
    std::string_view line;
    reader.Next(line);
    while (reader.Next(line)) {
        uint32_t key = 0;
        std::string_view value;
        SplitKeyLine(line, key, value);
        for (std::size_t i = 0; i < set.Count(); ++i) {
            FilterParameter& parameter = *set.At(i);
            if (parameter.HasKey(key) && ReadParameterLine(parameter, key, value) == LineOutcome::kUnknownClass &&
                LoadExtra(parameter, value, key, why).IsFailure()) {
                return ResultCode::Failure();
            }
            parameter.Validate();
        }
    }
    return ResultCode::Success();
}

ResultCode SettingsArchiver::SaveExtra(std::string& /*text*/, const FilterParameter& /*parameter*/) {
    return ResultCode::Success();
}

ResultCode SettingsArchiver::LoadExtra(FilterParameter& /*parameter*/, std::string_view /*value*/, uint32_t /*key*/,
                                       std::string& /*why*/) {
    return ResultCode::Success();
}
