#include "controls/NumberField.h"

#include "controls/ChildWindows.h"

void NumberField::Attach(HWND edit) {
    edit_ = edit;
    enterSink_.SetField(edit);
    if (edit == nullptr) {
        Detach();
        return;
    }
    enterKey_.Add();
    arrowKeys_.Add();
}

void NumberField::Detach() {
    enterKey_.Remove();
    arrowKeys_.Remove();
}

void NumberField::Show(double value) {
    const std::string text = owner_.FormatNumber(value);
    if (WindowTextUtf8(edit_) != text) SetWindowTextUtf8(edit_, text);
}

void NumberField::Left() {
    const std::string text = WindowTextUtf8(edit_);
    if (text == owner_.FormatNumber(owner_.CurrentNumber())) return;
    owner_.NumberTyped(owner_.ParseNumber(text));
}

void NumberField::ArrowKey() {
    const bool up = KeyGoesDownIn(edit_, VK_UP);
    if (!up && !KeyGoesDownIn(edit_, VK_DOWN)) return;
    // Swallowed, or the caret would move; a held key steps once.
    KeyboardHook::consumed = true;
    if (KeyboardHook::IsRepeat()) return;
    const double step = (GetKeyState(VK_SHIFT) & 0x8000) != 0 ? 10.0 : 1.0;
    owner_.NumberStepped(up ? step : -step);
}
