#include "controls/VtCheckboxControl.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"

ResultCode VtCheckboxControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::Checkbox), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    button_ = CreateChildWindow(L"BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                                RECT{0, 0, kButtonSize, kButtonSize}, Hwnd(), kButtonId, font);
    SIZE text{};
    if (button_ != nullptr && MeasureText(Hwnd(), font, label, text)) {
        // Level with the box, which the button centres in its 18 pixels.
        const int top = (kButtonSize - text.cy) / 2;
        const RECT labelRect{kButtonSize, top, std::max<int>(kButtonSize, Width(rect)), top + text.cy};
        // A label without SS_NOTIFY lets the mouse through to the container.
        label_ = CreateChildWindow(L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, labelRect, Hwnd(),
                                   kLabelId, font);
    }
    if (label_ == nullptr) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    return created;
}

bool VtCheckboxControl::IsChecked() { return SendMessageW(button_, BM_GETCHECK, 0, 0) != 0; }

void VtCheckboxControl::SetChecked(bool checked) {
    SendMessageW(button_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void VtCheckboxControl::Enable(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    EnableWindow(button_, on);
    EnableWindow(label_, on);
    EnableWindow(Hwnd(), on);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

LRESULT VtCheckboxControl::OnCommand(UINT notifyCode, UINT id, HWND) {
    if (id == kButtonId && notifyCode == BN_CLICKED && changeSink_ != nullptr) changeSink_->Notify();
    return 0;
}

LRESULT VtCheckboxControl::OnLButtonDown(WPARAM, int, int) {
    SetCapture(Hwnd());
    pressed_ = true;
    return 1;
}

LRESULT VtCheckboxControl::OnLButtonUp(WPARAM, int, int) {
    // Wherever the pointer is now: a press on the label is a click. (The
    // capture let go here is no loss of the mouse.)
    const bool clicked = pressed_;
    pressed_ = false;
    ReleaseCapture();
    if (clicked) {
        SetChecked(!IsChecked());
        if (changeSink_ != nullptr) changeSink_->Notify();
    }
    return 1;
}

LRESULT VtCheckboxControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    // A press whose mouse another window takes is no click.
    if (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lparam) != Hwnd()) pressed_ = false;
    return VtControl::OnMessage(message, wparam, lparam);
}
