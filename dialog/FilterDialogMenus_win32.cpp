// The filter dialog's menus: filling the effect and settings menus below
// their fixed items, item states, and what each command does.
#include <algorithm>

#include "platform/WinApi.h"

#include <shellapi.h>

#include "controls/ChildWindows.h"
#include "controls/KeyboardSinks.h"
#include "dialog/FilterDialog_win32.h"
#include "dialog/PreviewModel.h"
#include "host/AboutBox.h"
#include "platform/ModuleFolder.h"
#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"
#include "platform/Warning.h"

namespace {

enum Command : UINT {
    kCommandOk = 1,
    kCommandCancel = 2,
    kFirstEffectCommand = 4000,
    kFirstUserSettingCommand = 6000,
    kFirstFactorySettingCommand = 7000,
    kNextEffect = 10010,
    kPreviousEffect = 10011,
    kZoomIn = 10012,
    kZoomOut = 10013,
    kActualSize = 10014,
    kSaveSettings = 10015,
    kManageSettings = 10016,
    kRestoreLastUsed = 10017,
    kUndo = 10018,
    kRedo = 10019,
    kCut = 10020,
    kCopy = 10021,
    kPaste = 10022,
    kResetToDefaults = 10025,
    kHelp = 10026,
    kAbout = 10027,
    kViewOption = 10028,
};

// The help document, beside the plug-in modules.
constexpr int kHelpDocumentId = 11400;
constexpr int kHelpMissingId = 11401;

void ClearBelow(HMENU menu, int keep) {
    if (menu == nullptr) return;
    while (GetMenuItemCount(menu) > keep) DeleteMenu(menu, static_cast<UINT>(keep), MF_BYPOSITION);
}

void AppendItem(HMENU menu, UINT id, const std::string& text) {
    AppendMenuW(menu, MF_STRING, id, WideFromUtf8(text).c_str());
}

void EnableItem(HMENU menu, UINT id, bool enable) {
    if (menu != nullptr) EnableMenuItem(menu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

HMENU FilterDialog::Submenu(int index) const {
    HMENU bar = GetMenu(Hwnd());
    return bar != nullptr ? GetSubMenu(bar, index) : nullptr;
}

void FilterDialog::SetEffectMenu(const std::vector<EffectEntry>& list) {
    HMENU menu = Submenu(kEffectMenu);
    if (menu == nullptr) return;
    ClearBelow(menu, kEffectMenuFixedItems);
    for (const EffectEntry& entry : list)
        AppendItem(menu, kFirstEffectCommand + static_cast<UINT>(entry.kind), entry.name);
}

void FilterDialog::SetSettingsMenu(const std::vector<std::string>& first, const std::vector<std::string>& second) {
    HMENU menu = Submenu(kSettingsMenu);
    settingNames_.clear();
    if (menu == nullptr) return;
    ClearBelow(menu, kSettingsMenuFixedItems);
    for (std::size_t i = 0; i < first.size(); ++i) {
        const UINT id = kFirstUserSettingCommand + static_cast<UINT>(i);
        AppendItem(menu, id, first[i]);
        settingNames_[id] = first[i];
    }
    if (!first.empty() && !second.empty()) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < second.size(); ++i) {
        const UINT id = kFirstFactorySettingCommand + static_cast<UINT>(i);
        AppendItem(menu, id, second[i]);
        settingNames_[id] = second[i];
    }
}

bool FilterDialog::SettingOfCommand(UINT id, std::string& name, bool& fromUser) const {
    const auto found = settingNames_.find(id);
    if (found == settingNames_.end()) return false;
    name = found->second;
    fromUser = id < kFirstFactorySettingCommand;
    return true;
}

void FilterDialog::EnableUndo(bool enable) { EnableItem(GetMenu(Hwnd()), kUndo, enable); }

void FilterDialog::EnableRedo(bool enable) { EnableItem(GetMenu(Hwnd()), kRedo, enable); }

ResultCode FilterDialog::EnableEffect(FilterKind kind, bool enable) {
    HMENU bar = GetMenu(Hwnd());
    if (bar == nullptr) return ResultCode::Failure();
    EnableItem(bar, kFirstEffectCommand + static_cast<UINT>(kind), enable);
    return ResultCode::Success();
}

void FilterDialog::CheckEffect(FilterKind kind, bool check) {
    HMENU bar = GetMenu(Hwnd());
    if (bar != nullptr) {
        CheckMenuItem(bar, kFirstEffectCommand + static_cast<UINT>(kind),
                      MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
    }
}

void FilterDialog::EnableEffectStepping(bool enable) {
    EnableItem(GetMenu(Hwnd()), kNextEffect, enable);
    EnableItem(GetMenu(Hwnd()), kPreviousEffect, enable);
}

void FilterDialog::CheckViewOption(bool check) {
    HMENU bar = GetMenu(Hwnd());
    if (bar != nullptr) CheckMenuItem(bar, kViewOption, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

void FilterDialog::EnableRestoreLastUsed(bool enable) { EnableItem(GetMenu(Hwnd()), kRestoreLastUsed, enable); }

LRESULT FilterDialog::OnCommand(UINT notifyCode, UINT id, HWND control) {
    if (model_ == nullptr || model_->Destroyed()) return 0;
    if (DeferUntilHostAnswered([this, notifyCode, id, control] { OnCommand(notifyCode, id, control); })) return 0;
    RunCommand(id);
    return 0;
}

void FilterDialog::SwitchEffect(ResultCode (FilterDialogModel::*step)(), FilterKind kind) {
    ShowWindow(Hwnd(), SW_HIDE);
    const ResultCode result = step != nullptr ? (model_.get()->*step)() : model_->SelectEffect(kind);
    ShowWindow(Hwnd(), SW_SHOW);
    if (result.IsFailure() && model_->Preview() != nullptr) model_->Preview()->StopWorker();
    // The keys go on working without a click, and a refused page is explained.
    model_->AfterEffectSwitch();
}

void FilterDialog::RunCommand(UINT id) {
    if (id >= kFirstEffectCommand && id < kFirstEffectCommand + FilterKinds::Count) {
        SwitchEffect(nullptr, static_cast<FilterKind>(id - kFirstEffectCommand));
        return;
    }
    std::string name;
    bool fromUser = false;
    if (SettingOfCommand(id, name, fromUser)) {
        model_->LoadSetting(name, fromUser);
        return;
    }
    switch (id) {
        case kCommandOk: model_->OK(); break;
        case kCommandCancel: model_->Cancel(); break;
        case kNextEffect: SwitchEffect(&FilterDialogModel::NextEffect, FilterKinds::None); break;
        case kPreviousEffect: SwitchEffect(&FilterDialogModel::PreviousEffect, FilterKinds::None); break;
        case kZoomIn: model_->ZoomIn(); break;
        case kZoomOut: model_->ZoomOut(); break;
        case kActualSize: model_->ZoomCommand(); break;
        case kSaveSettings: model_->SaveSettings(); break;
        case kManageSettings: model_->ManageSettings(); break;
        case kRestoreLastUsed: model_->RestoreLastUsed(); break;
        case kUndo: model_->Undo(); break;
        case kRedo: model_->Redo(); break;
        case kCut: EditCommand(WM_CUT); break;
        case kCopy: EditCommand(WM_COPY); break;
        case kPaste: EditCommand(WM_PASTE); break;
        case kResetToDefaults: model_->ResetToDefaults(); break;
        case kHelp: OpenHelp(); break;
        case kAbout: ShowAbout(); break;
        case kViewOption: {
            HMENU bar = GetMenu(Hwnd());
            const bool checked = bar != nullptr && (GetMenuState(bar, kViewOption, MF_BYCOMMAND) & MF_CHECKED) != 0;
            CheckViewOption(!checked);
            model_->SetViewOption(!checked);
            break;
        }
        default: break;
    }
}

void FilterDialog::EditCommand(UINT message) {
    // The edit fields of the controls do the clipboard work themselves.
    HWND focus = GetFocus();
    if (focus == nullptr) return;
    wchar_t className[16] = {};
    GetClassNameW(focus, className, 16);
    if (lstrcmpiW(className, L"Edit") != 0) return;
    SendMessageW(focus, message, 0, 0);
}

void FilterDialog::OpenHelp() {
    const std::string folder = ModuleFolder();
    const std::string document = folder.empty() ? std::string() : folder + LoadResourceString(kHelpDocumentId);
    const DWORD attributes =
        document.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(WideFromUtf8(document).c_str());
    SuspendedKeyboardHook quiet;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ShowWarning(LoadResourceString(kHelpMissingId), Hwnd());
        return;
    }
    ShellExecuteW(Hwnd(), L"open", WideFromUtf8(document).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void FilterDialog::ShowAbout() {
    SuspendedKeyboardHook quiet;
    ShowAboutBox(Hwnd());
}
