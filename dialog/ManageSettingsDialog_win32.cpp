#include "dialog/ManageSettingsDialog_win32.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/KeyboardSinks.h"
#include "controls/NamePromptDialog.h"
#include "filters/Filter.h"
#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"
#include "platform/Warning.h"
#include "settings/SettingNames.h"
#include "settings/SettingsArchiver.h"

namespace {

// Resource strings of the name prompt: its template and what it says about
// a name that cannot be used.
constexpr int kNamePromptTemplate = 10034;
constexpr int kInvalidNameId = 10017;

}  // namespace

bool AskSettingName(HWND owner, int titleId, int promptId, std::string& name) {
    SuspendedKeyboardHook quiet;
    NamePromptDialog prompt(LoadResourceString(titleId), LoadResourceString(promptId), name);
    prompt.AcceptOnly(IsValidName, kInvalidNameId);
    if (!prompt.Ask(owner, kNamePromptTemplate)) return false;
    name = prompt.Name();
    return true;
}

void ManageSettingsDialog::Run(HWND owner) {
    SuspendedKeyboardHook quiet;
    RunModal(owner, kTemplateId);
}

void ManageSettingsDialog::InitDialog(ResultCode& out) {
    out = ResultCode::Success();
    SetWindowTextUtf8(Hwnd(), LoadResourceString(kTitleId));
    SetWindowTextUtf8(GetDlgItem(Hwnd(), kRenameButton), LoadResourceString(kRenameCaptionId));
    SetWindowTextUtf8(GetDlgItem(Hwnd(), kDeleteButton), LoadResourceString(kDeleteCaptionId));
    SetWindowTextUtf8(GetDlgItem(Hwnd(), IDCANCEL), LoadResourceString(NamePromptDialog::kCancelCaptionId));
    FillList();
    UpdateButtons();
}

void ManageSettingsDialog::FillList() {
    HWND list = GetDlgItem(Hwnd(), kList);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    std::vector<std::string> names;
    archiver_.ListSettings(effect_, true, names);
    for (const std::string& name : names) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(name).c_str()));
    }
}

int ManageSettingsDialog::Chosen() const {
    const LRESULT index = SendMessageW(GetDlgItem(Hwnd(), kList), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

std::string ManageSettingsDialog::NameAt(int index) const {
    HWND list = GetDlgItem(Hwnd(), kList);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return Utf8FromWide(text);
}

std::vector<std::string> ManageSettingsDialog::ListedNames() const {
    std::vector<std::string> names;
    const LRESULT count = SendMessageW(GetDlgItem(Hwnd(), kList), LB_GETCOUNT, 0, 0);
    for (int i = 0; i < static_cast<int>(count); ++i) names.push_back(NameAt(i));
    return names;
}

void ManageSettingsDialog::Select(int index) {
    SendMessageW(GetDlgItem(Hwnd(), kList), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    UpdateButtons();
}

void ManageSettingsDialog::UpdateButtons() {
    const BOOL chosen = Chosen() >= 0 ? TRUE : FALSE;
    EnableWindow(GetDlgItem(Hwnd(), kRenameButton), chosen);
    EnableWindow(GetDlgItem(Hwnd(), kDeleteButton), chosen);
}

void ManageSettingsDialog::Rename() {
    const int index = Chosen();
    if (index < 0) return;
    const std::string oldName = NameAt(index);
    std::string newName = oldName;
    if (!AskSettingName(Hwnd(), kRenameTitleId, kRenamePromptId, newName) || newName == oldName) return;
    if (archiver_.Rename(effect_, oldName, newName).IsFailure()) {
        ShowWarning(WithName(LoadResourceString(kRenameFailedId), newName), Hwnd());
        return;
    }
    HWND list = GetDlgItem(Hwnd(), kList);
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(WideFromUtf8(newName).c_str()));
    Select(index);
}

void ManageSettingsDialog::Delete() {
    const int index = Chosen();
    if (index < 0) return;
    const std::string name = NameAt(index);
    if (SettingsArchiver::ConfirmDelete(Hwnd(), name).IsFailure()) return;
    if (archiver_.Delete(effect_, name).IsFailure()) {
        ShowWarning(WithName(LoadResourceString(kDeleteFailedId), name), Hwnd());
        return;
    }
    HWND list = GetDlgItem(Hwnd(), kList);
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    const int remaining = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    Select(remaining == 0 ? -1 : std::min(index, remaining - 1));
}

LRESULT ManageSettingsDialog::OnCommand(UINT notifyCode, UINT id, HWND) {
    switch (id) {
        case kList:
            if (notifyCode == LBN_SELCHANGE) UpdateButtons();
            break;
        case kRenameButton: Rename(); break;
        case kDeleteButton: Delete(); break;
        case IDCANCEL: EndDialog(Hwnd(), 1); break;
        default: break;
    }
    return 0;
}
