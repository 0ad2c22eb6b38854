// The dialog's named settings: the settings menu, loading and saving under a
// name, the settings manager, the last used settings, and the options the
// dialog keeps between runs (its window and the view option).
#include <cstring>
#include <new>

#include "controls/KeyboardSinks.h"
#include "dialog/FilterDialogModel_win32.h"
#include "dialog/ManageSettingsDialog_win32.h"
#include "filters/Filter.h"
#include "platform/ResourceStrings.h"
#include "platform/Warning.h"

namespace {

// Resource strings: the name prompt's title and text, and what is said
// when a save fails, a load fails.
constexpr int kSaveTitleId = 10750;
constexpr int kSavePromptId = 10753;
constexpr int kSaveFailedId = 10016;
constexpr int kLoadFailedId = 10019;

std::string LastUsedName() { return LoadResourceString(SettingsArchiver::kLastUsedNameId); }

}  // namespace

void FilterDialogModel::RefreshSettingsMenu() {
    std::vector<std::string> own;
    std::vector<std::string> factory;
    archiver_.ListSettings(*Current().filter, true, own);
    archiver_.ListSettings(*Current().filter, false, factory);
    dialog_.SetSettingsMenu(own, factory);
    dialog_.EnableRestoreLastUsed(archiver_.Exists(*Current().filter, LastUsedName()));
}

ResultCode FilterDialogModel::ReadSetting(const std::string& name, bool fromUser, ParameterBlock& block) {
    block = *Current().block;
    ParameterSet set;
    ResultCode result = Current().filter->BuildParameters(set, block);
    if (result.IsSuccess()) result = archiver_.Load(*Current().filter, set, name, fromUser);
    return result;
}

void FilterDialogModel::LoadSetting(const std::string& name, bool fromUser) {
    if (destroyed_ || current_ == nullptr) return;
    preview_->StopWorker();
    std::unique_ptr<ParameterBlock> read(new (std::nothrow) ParameterBlock);
    if (read == nullptr || ReadSetting(name, fromUser, *read).IsFailure()) {
        SuspendedKeyboardHook quiet;
        ShowWarning(WithName(LoadResourceString(kLoadFailedId), name), dialog_.Window());
        return;
    }
    // A setting taken is a change the user made.
    ChangeParameters([&read](ParameterBlock& block) { block = *read; });
    FocusFirstControl();
}

void FilterDialogModel::StartFromLastUsed(EffectSession& session) {
    ParameterBlock read = *session.block;
    ParameterSet set;
    if (session.filter->BuildParameters(set, read).IsFailure()) return;
    if (archiver_.Load(*session.filter, set, LastUsedName(), true).IsSuccess()) *session.block = read;
}

void FilterDialogModel::RestoreLastUsed() { LoadSetting(LastUsedName(), true); }

void FilterDialogModel::SaveSettings() {
    if (destroyed_ || current_ == nullptr) return;
    std::string name;
    if (!AskSettingName(dialog_.Window(), kSaveTitleId, kSavePromptId, name)) return;
    SuspendedKeyboardHook quiet;
    if (archiver_.Exists(*Current().filter, name) &&
        SettingsArchiver::ConfirmReplace(dialog_.Window(), name).IsFailure()) {
        return;
    }
    if (archiver_.Save(*Current().filter, parameters_, name).IsFailure()) {
        ShowWarning(LoadResourceString(kSaveFailedId), dialog_.Window());
    }
    RefreshSettingsMenu();
}

void FilterDialogModel::ManageSettings() {
    if (destroyed_ || current_ == nullptr) return;
    ManageSettingsDialog manager(archiver_, *Current().filter);
    manager.Run(dialog_.Window());
    RefreshSettingsMenu();
}

void FilterDialogModel::RestoreOptions() {
    OptionsRecord options;
    if (archiver_.LoadOptions(options).IsFailure()) return;
    viewOptionChecked_ = options.flag != 0;
    dialog_.PlaceWindow(RECT{options.left, options.top, options.right, options.bottom});
}

void FilterDialogModel::KeepOptions() {
    const RECT window = dialog_.WindowBounds();
    OptionsRecord options;
    options.left = window.left;
    options.top = window.top;
    options.right = window.right;
    options.bottom = window.bottom;
    options.flag = viewOptionChecked_ ? 1 : 0;
    archiver_.SaveOptions(options);
}
