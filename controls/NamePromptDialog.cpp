#include "controls/NamePromptDialog.h"

#include <utility>

#include "controls/ChildWindows.h"
#include "platform/ResourceStrings.h"
#include "platform/Warning.h"

NamePromptDialog::NamePromptDialog(std::string title, std::string prompt, std::string name)
    : title_(std::move(title)), prompt_(std::move(prompt)), name_(std::move(name)) {}

void NamePromptDialog::AcceptOnly(std::function<bool(const std::string&)> accepts, int messageId) {
    accepts_ = std::move(accepts);
    refusalId_ = messageId;
}

bool NamePromptDialog::Ask(HWND owner, int templateId) { return RunModal(owner, templateId) == IDOK; }

void NamePromptDialog::InitDialog(ResultCode& out) {
    SetWindowTextUtf8(Hwnd(), title_);
    SetWindowTextUtf8(GetDlgItem(Hwnd(), kPromptItem), prompt_);
    SetWindowTextUtf8(GetDlgItem(Hwnd(), IDOK), LoadResourceString(kOkCaptionId));
    SetWindowTextUtf8(GetDlgItem(Hwnd(), IDCANCEL), LoadResourceString(kCancelCaptionId));
    HWND field = GetDlgItem(Hwnd(), kNameItem);
    SetWindowTextUtf8(field, name_);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);
    out = ResultCode::Success();
}

LRESULT NamePromptDialog::OnCommand(UINT, UINT id, HWND) {
    if (id == IDOK) {
        const std::string typed = WindowTextUtf8(GetDlgItem(Hwnd(), kNameItem), kMaxNameLength);
        if (accepts_ && !accepts_(typed)) {
            ShowWarning(LoadResourceString(refusalId_), Hwnd());
            return 0;
        }
        name_ = typed;
        EndDialog(Hwnd(), IDOK);
    } else if (id == IDCANCEL) {
        EndDialog(Hwnd(), IDCANCEL);
    }
    return 0;
}
