// The filter dialog's shortcuts. The dialog's keyboard sink sees every key
// through the hook wherever the focus is; a shortcut's first press is
// swallowed there and posted to the dialog, whose WM_KEYDOWN handler acts.
#include "controls/KeyboardHook.h"
#include "dialog/FilterDialog_win32.h"
#include "dialog/PreviewModel.h"

namespace {

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool IsFirstPress(LPARAM flags) { return (flags & (LPARAM{1} << 30)) == 0 && (flags & (LPARAM{1} << 31)) == 0; }

// Keys that make a shortcut with Ctrl held.
bool IsCtrlShortcutKey(WPARAM key) {
    switch (key) {
        case VK_INSERT:
        case '0':
        case 'L':
        case 'Y':
        case VK_ADD:
        case VK_SUBTRACT:
        case VK_OEM_PLUS:
        case VK_OEM_MINUS:
        case VK_OEM_4:  // "["
        case VK_OEM_6:  // "]"
            return true;
        default: return false;
    }
}

bool IsShortcut(WPARAM key) {
    const bool ctrl = Held(VK_CONTROL);
    if (key == VK_F5) return true;
    if (ctrl && IsCtrlShortcutKey(key)) return true;
    // The command line of the current parameters.
    if (ctrl && Held(VK_SHIFT) && key == 'C') return true;
    return !Held(VK_MENU) && (key == 'A' || key == 'H' || key == 'Z');
}

}  // namespace

void FilterDialog::KeyEvent() {
    const WPARAM key = KeyboardHook::keyCode;
    const LPARAM flags = KeyboardHook::keyFlags;
    if (!IsFirstPress(flags) || !IsShortcut(key)) return;
    PostMessageW(Hwnd(), WM_KEYDOWN, key, flags);
    KeyboardHook::consumed = true;
}

void FilterDialog::OnKeyDown(WPARAM key, LPARAM flags) {
    if (!IsFirstPress(flags) || model_ == nullptr || model_->Destroyed()) return;
    const bool ctrl = Held(VK_CONTROL);
    const bool alt = Held(VK_MENU);
    const bool shift = Held(VK_SHIFT);
    if (key == VK_F5) model_->ResetToDefaults();
    if (ctrl && key == VK_OEM_4) SwitchEffect(&FilterDialogModel::PreviousEffect, FilterKinds::None);
    if (ctrl && key == VK_OEM_6) SwitchEffect(&FilterDialogModel::NextEffect, FilterKinds::None);
    if (ctrl && (key == VK_OEM_PLUS || key == VK_ADD)) model_->ZoomIn();
    if (ctrl && (key == VK_OEM_MINUS || key == VK_SUBTRACT)) model_->ZoomOut();
    if (ctrl && alt && (key == '0' || key == VK_INSERT)) model_->ZoomCommand();
    if (ctrl && key == 'L') model_->RestoreLastUsed();
    if (ctrl && key == 'Y') model_->Redo();
    if (ctrl && key == 'Z') model_->Undo();
    if (ctrl && shift && key == 'C') CopyCommandLine();
    if (!alt && key == 'A') model_->SetPreviewTool(kPreviewToolEffect);
    if (!alt && key == 'H') model_->SetPreviewTool(kPreviewToolPan);
    if (!alt && key == 'Z') model_->SetPreviewTool(kPreviewToolZoom);
}
