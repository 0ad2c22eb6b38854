#include "plugins/core/AboutDialog_win32.h"

#include "controls/KeyboardHook.h"
#include "platform/TextEncoding.h"
#include "plugins/resources/ResourceIds.h"

void DappleAboutDialog::InitDialog(ResultCode& out) {
    SetDlgItemTextW(Hwnd(), kAboutVersionItemId, WideFromUtf8(productVersion_).c_str());
    out = ResultCode::Success();
}

LRESULT DappleAboutDialog::OnCommand(UINT, UINT id, HWND) {
    if (id == IDOK || id == IDCANCEL) EndDialog(Hwnd(), id);
    return 0;
}

void RunAboutDialog(void* parent, const std::string& productVersion) {
    DappleAboutDialog dialog(productVersion);
    // Keys typed into the about box are its own, also when the filter
    // dialog's hook is active behind it.
    const bool wasSuspended = KeyboardHook::suspended;
    KeyboardHook::suspended = true;
    dialog.RunModal(static_cast<HWND>(parent), 122);
    KeyboardHook::suspended = wasSuspended;
}
