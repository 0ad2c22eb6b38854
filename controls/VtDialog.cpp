#include "controls/VtDialog.h"

#include "controls/ToolkitInstance.h"

void VtDialog::Release(ResultCode& out) { out = ResultCode::Success(); }

INT_PTR VtDialog::RunModal(HWND parent, int templateId, HINSTANCE instance) {
    if (instance == nullptr) instance = ToolkitInstance();
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), parent, VtDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK VtDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<VtDialog*>(lparam);
        if (dialog == nullptr || !dialog->Bind(hwnd)) {
            if (dialog != nullptr) {
                ResultCode ignored;
                dialog->Release(ignored);
            }
            EndDialog(hwnd, -1);
            return 0;
        }
        ResultCode status;
        dialog->InitDialog(status);
        if (!status.IsSuccess()) EndDialog(hwnd, status.status);
        // 0: the dialog places the focus itself.
        return 0;
    }
    VtWindow* object = VtWindow::FromHandle(hwnd);
    if (object == nullptr) return 0;
    return object->DispatchDialogMessage(message, wparam, lparam);
}
