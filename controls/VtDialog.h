// VtDialog: the base of the toolkit's modal dialogs, run from a template
// with VtDialogProc. Each dialog builds its controls in InitDialog.
#pragma once

#include "base/ResultCode.h"
#include "controls/VtWindow.h"

class VtDialog : public VtWindow {
public:
    // Builds the dialog's controls; a non-zero status ends the dialog with
    // that status at once.
    virtual void InitDialog(ResultCode& out) = 0;
    // Called when a window was made but could not be bound.
    virtual void Release(ResultCode& out);

    // Runs the dialog modally from template `templateId` of `instance`
    // (the resource module when null); returns the EndDialog result, or -1
    // when the template cannot be found or the dialog cannot be made.
    INT_PTR RunModal(HWND parent, int templateId, HINSTANCE instance = nullptr);
};
