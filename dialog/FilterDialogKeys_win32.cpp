// The filter dialog's shortcuts. The dialog's keyboard sink sees every key
// through the hook wherever the focus is; a shortcut's first press is
// swallowed there and posted to the dialog, whose WM_KEYDOWN handler acts.
// Keys that are text or a field's own commands where the focus is (an edit
// field or a list) are left to the focused window.
#include "controls/KeyboardHook.h"
#include "dialog/FilterDialog_win32.h"
#include "dialog/PreviewModel.h"

namespace {

enum class Shortcut {
    None,
    ResetToDefaults,
    PreviousEffect,
    NextEffect,
    ZoomIn,
    ZoomOut,
    ActualSize,
    RestoreLastUsed,
    SelectAllText,
    Redo,
    Undo,
    CopyCommandLine,
    EffectTool,
    PanTool,
    ZoomTool,
};

// What the focused window does with keys of its own.
enum class FocusTakes { Nothing, Text, Choice };

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool IsFirstPress(LPARAM flags) { return (flags & (LPARAM{1} << 30)) == 0 && (flags & (LPARAM{1} << 31)) == 0; }

FocusTakes FocusedWindowTakes() {
    HWND focus = GetFocus();
    if (focus == nullptr) return FocusTakes::Nothing;
    wchar_t className[16] = {};
    GetClassNameW(focus, className, 16);
    if (lstrcmpiW(className, L"Edit") == 0) return FocusTakes::Text;
    if (lstrcmpiW(className, L"ComboBox") == 0 || lstrcmpiW(className, L"ListBox") == 0 ||
        lstrcmpiW(className, L"ComboLBox") == 0) {
        return FocusTakes::Choice;
    }
    return FocusTakes::Nothing;
}

// A field with typing of its own to take back undoes it on Ctrl+Z.
bool FocusedFieldCanUndo() { return SendMessageW(GetFocus(), EM_CANUNDO, 0, 0) != 0; }

Shortcut ShortcutOf(WPARAM key) {
    const bool ctrl = Held(VK_CONTROL);
    const bool alt = Held(VK_MENU);
    if (key == VK_F5) return Shortcut::ResetToDefaults;
    if (ctrl) {
        switch (key) {
            case VK_OEM_4: return Shortcut::PreviousEffect;  // "["
            case VK_OEM_6: return Shortcut::NextEffect;      // "]"
            case VK_OEM_PLUS:
            case VK_ADD: return Shortcut::ZoomIn;
            case VK_OEM_MINUS:
            case VK_SUBTRACT: return Shortcut::ZoomOut;
            // Ctrl+Insert alone copies in a field.
            case '0':
            case VK_INSERT: return alt ? Shortcut::ActualSize : Shortcut::None;
            // Not every system's edit field selects all on Ctrl+A itself.
            case 'A': return FocusedWindowTakes() == FocusTakes::Text ? Shortcut::SelectAllText : Shortcut::None;
            case 'L': return Shortcut::RestoreLastUsed;
            case 'Y': return Shortcut::Redo;
            case 'Z':
                return FocusedWindowTakes() == FocusTakes::Text && FocusedFieldCanUndo() ? Shortcut::None
                                                                                         : Shortcut::Undo;
            case 'C': return Held(VK_SHIFT) ? Shortcut::CopyCommandLine : Shortcut::None;
            default: return Shortcut::None;
        }
    }
    // The tool keys only where they cannot be text or a list's type-ahead.
    if (alt || FocusedWindowTakes() != FocusTakes::Nothing) return Shortcut::None;
    switch (key) {
        case 'A': return Shortcut::EffectTool;
        case 'H': return Shortcut::PanTool;
        case 'Z': return Shortcut::ZoomTool;
        default: return Shortcut::None;
    }
}

}  // namespace

void FilterDialog::KeyEvent() {
    const WPARAM key = KeyboardHook::keyCode;
    const LPARAM flags = KeyboardHook::keyFlags;
    if (!IsFirstPress(flags) || ShortcutOf(key) == Shortcut::None) return;
    PostMessageW(Hwnd(), WM_KEYDOWN, key, flags);
    KeyboardHook::consumed = true;
}

void FilterDialog::OnKeyDown(WPARAM key, LPARAM flags) {
    if (!IsFirstPress(flags) || model_ == nullptr || model_->Destroyed()) return;
    switch (ShortcutOf(key)) {
        case Shortcut::ResetToDefaults: model_->ResetToDefaults(); break;
        case Shortcut::PreviousEffect: SwitchEffect(&FilterDialogModel::PreviousEffect, FilterKinds::None); break;
        case Shortcut::NextEffect: SwitchEffect(&FilterDialogModel::NextEffect, FilterKinds::None); break;
        case Shortcut::ZoomIn: model_->ZoomIn(); break;
        case Shortcut::ZoomOut: model_->ZoomOut(); break;
        case Shortcut::ActualSize: model_->ZoomCommand(); break;
        case Shortcut::RestoreLastUsed: model_->RestoreLastUsed(); break;
        case Shortcut::SelectAllText: SendMessageW(GetFocus(), EM_SETSEL, 0, -1); break;
        case Shortcut::Redo: model_->Redo(); break;
        case Shortcut::Undo: model_->Undo(); break;
        case Shortcut::CopyCommandLine: CopyCommandLine(); break;
        case Shortcut::EffectTool: model_->SetPreviewTool(kPreviewToolEffect); break;
        case Shortcut::PanTool: model_->SetPreviewTool(kPreviewToolPan); break;
        case Shortcut::ZoomTool: model_->SetPreviewTool(kPreviewToolZoom); break;
        case Shortcut::None: break;
    }
}
