#include "controls/NamePromptDialog.h"

#include <utility>

#include "controls/ChildWindows.h"

NamePromptDialog::NamePromptDialog(std::string title, std::string prompt, std::string name)
    : title_(std::move(title)), prompt_(std::move(prompt)), name_(std::move(name)) {}

bool NamePromptDialog::Ask(HWND owner, int templateId) { return RunModal(owner, templateId) == IDOK; }

void NamePromptDialog::InitDialog(ResultCode& out) {
    SetWindowTextUtf8(Hwnd(), title_);
    SetWindowTextUtf8(GetDlgItem(Hwnd(), kPromptItem), prompt_);
    HWND field = GetDlgItem(Hwnd(), kNameItem);
    SetWindowTextUtf8(field, name_);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);
    out = ResultCode::Success();
}

LRESULT NamePromptDialog::OnCommand(UINT, UINT id, HWND) {
    if (id == IDOK) {
        name_ = WindowTextUtf8(GetDlgItem(Hwnd(), kNameItem), 1023);
        EndDialog(Hwnd(), IDOK);
    } else if (id == IDCANCEL) {
        EndDialog(Hwnd(), IDCANCEL);
    }
    return 0;
}
