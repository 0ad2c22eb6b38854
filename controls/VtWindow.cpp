#include "controls/VtWindow.h"

#include <windowsx.h>

namespace {

constexpr wchar_t kObjectProperty[] = L"ptr";

bool IsToolkitMessage(UINT message) { return message >= kFirstToolkitMessage && message <= kLastToolkitMessage; }

int X(LPARAM lparam) { return GET_X_LPARAM(lparam); }
int Y(LPARAM lparam) { return GET_Y_LPARAM(lparam); }

}  // namespace

VtWindow::~VtWindow() {
    if (hwnd_ != nullptr && FromHandle(hwnd_) == this) RemovePropW(hwnd_, kObjectProperty);
}

BOOL VtWindow::Show(int command) { return ShowWindow(hwnd_, command); }

LRESULT VtWindow::OnCreate() { return 0; }
LRESULT VtWindow::OnLButtonDown(WPARAM, int, int) { return -1; }
LRESULT VtWindow::OnLButtonUp(WPARAM, int, int) { return -1; }
// A window without a meaning of its own for a double click takes its second
// click as a press, or that click would be lost.
LRESULT VtWindow::OnLButtonDblClk(WPARAM keys, int x, int y) { return OnLButtonDown(keys, x, y); }
LRESULT VtWindow::OnEraseBackground(HDC) { return 0; }
LRESULT VtWindow::OnMouseMove(WPARAM, int, int) { return -1; }
LRESULT VtWindow::OnPaint(const PAINTSTRUCT&) { return -1; }
LRESULT VtWindow::OnSize(UINT, unsigned, unsigned) { return -1; }
LRESULT VtWindow::OnSizing(UINT, RECT*) { return 0; }
LRESULT VtWindow::OnMoving(UINT, RECT*) { return 0; }
LRESULT VtWindow::OnTimer(UINT_PTR) { return -1; }

LRESULT VtWindow::OnSetFocus() {
    hasFocus_ = true;
    return 1;
}

LRESULT VtWindow::OnKillFocus() {
    hasFocus_ = false;
    return 1;
}

LRESULT VtWindow::OnEnterSizeMove() { return -1; }
LRESULT VtWindow::OnExitSizeMove() { return -1; }
LRESULT VtWindow::OnDrawItem(UINT, DRAWITEMSTRUCT*) { return 0; }
LRESULT VtWindow::OnCommand(UINT, UINT, HWND) { return 0; }
LRESULT VtWindow::OnNotify(NMHDR*) { return 0; }
LRESULT VtWindow::OnMessage(UINT, WPARAM, LPARAM) { return -1; }

bool VtWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    result = -1;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            BeginPaint(hwnd_, &paint);
            result = OnPaint(paint);
            EndPaint(hwnd_, &paint);
            return true;
        }
        case WM_ERASEBKGND:
            // Non-zero: the background counts as erased; controls paint all of
            // their area themselves.
            OnEraseBackground(reinterpret_cast<HDC>(wparam));
            result = -1;
            return true;
        case WM_CREATE: result = OnCreate(); return true;
        case WM_SIZE: result = OnSize(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam)); return true;
        case WM_SETFOCUS: result = OnSetFocus(); return true;
        case WM_KILLFOCUS: result = OnKillFocus(); return true;
        case WM_DRAWITEM:
            result = OnDrawItem(static_cast<UINT>(wparam), reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
            return true;
        case WM_NOTIFY: result = OnNotify(reinterpret_cast<NMHDR*>(lparam)); return true;
        case WM_COMMAND:
            result = OnCommand(HIWORD(wparam), LOWORD(wparam), reinterpret_cast<HWND>(lparam));
            return true;
        case WM_TIMER: result = OnTimer(static_cast<UINT_PTR>(wparam)); return true;
        case WM_MOUSEMOVE: result = OnMouseMove(wparam, X(lparam), Y(lparam)); return true;
        case WM_LBUTTONDOWN: result = OnLButtonDown(wparam, X(lparam), Y(lparam)); return true;
        case WM_LBUTTONUP: result = OnLButtonUp(wparam, X(lparam), Y(lparam)); return true;
        case WM_LBUTTONDBLCLK: result = OnLButtonDblClk(wparam, X(lparam), Y(lparam)); return true;
        case WM_SIZING: result = OnSizing(static_cast<UINT>(wparam), reinterpret_cast<RECT*>(lparam)); return true;
        case WM_MOVING: result = OnMoving(static_cast<UINT>(wparam), reinterpret_cast<RECT*>(lparam)); return true;
        case WM_ENTERSIZEMOVE:
            inSizeMove_ = true;
            result = OnEnterSizeMove();
            return true;
        case WM_EXITSIZEMOVE:
            inSizeMove_ = false;
            result = OnExitSizeMove();
            return true;
        default: result = OnMessage(message, wparam, lparam); return IsToolkitMessage(message);
    }
}

LRESULT VtWindow::DispatchDialogMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    // Only the handlers whose answer the dialog manager reads return their
    // value; for the rest 0 lets the dialog manager's default run.
    switch (message) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_DESTROY: Unbind(); return 0;
        case WM_SIZE: return OnSize(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            BeginPaint(hwnd_, &paint);
            const LRESULT result = OnPaint(paint);
            EndPaint(hwnd_, &paint);
            return result;
        }
        case WM_TIMER: return OnTimer(static_cast<UINT_PTR>(wparam));
        case WM_MOUSEMOVE: return OnMouseMove(wparam, X(lparam), Y(lparam));
        case WM_LBUTTONDOWN: return OnLButtonDown(wparam, X(lparam), Y(lparam));
        case WM_LBUTTONUP: return OnLButtonUp(wparam, X(lparam), Y(lparam));
        case WM_LBUTTONDBLCLK: return OnLButtonDblClk(wparam, X(lparam), Y(lparam));
        case WM_SIZING: return OnSizing(static_cast<UINT>(wparam), reinterpret_cast<RECT*>(lparam));
        case WM_MOVING: return OnMoving(static_cast<UINT>(wparam), reinterpret_cast<RECT*>(lparam));
        case WM_ERASEBKGND: OnEraseBackground(reinterpret_cast<HDC>(wparam)); return 0;
        case WM_DRAWITEM: OnDrawItem(static_cast<UINT>(wparam), reinterpret_cast<DRAWITEMSTRUCT*>(lparam)); return 0;
        case WM_COMMAND: {
            // Enter on a focused button makes the dialog manager send the
            // button's command to the dialog itself, even for a button inside
            // a compound control, whose id means nothing here: the control
            // that holds the button hears it as it hears a click.
            HWND from = reinterpret_cast<HWND>(lparam);
            HWND holder = from != nullptr ? GetParent(from) : nullptr;
            if (holder != nullptr && holder != hwnd_ && IsChild(hwnd_, from)) {
                SendMessageW(holder, WM_COMMAND, wparam, lparam);
                return 0;
            }
            OnCommand(HIWORD(wparam), LOWORD(wparam), from);
            return 0;
        }
        case WM_ENTERSIZEMOVE:
            inSizeMove_ = true;
            OnEnterSizeMove();
            return 0;
        case WM_EXITSIZEMOVE:
            inSizeMove_ = false;
            OnExitSizeMove();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_NOTIFY: return 0;
        default: {
            const LRESULT result = OnMessage(message, wparam, lparam);
            if (!IsToolkitMessage(message)) return 0;
            // The toolkit's own messages carry an answer (a host call relayed
            // from another thread, for one): a dialog procedure hands it back
            // through the message-result slot, or the sender would read 0.
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
}

VtWindow* VtWindow::ParentObject() const {
    HWND parent = hwnd_ != nullptr ? GetParent(hwnd_) : nullptr;
    return parent != nullptr ? FromHandle(parent) : nullptr;
}

BOOL VtWindow::SetPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return SetWindowPos(hwnd_, insertAfter, x, y, cx, cy, flags);
}

LRESULT VtWindow::Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(hwnd_, message, wparam, lparam);
}

void VtWindow::Refresh(bool invalidate) {
    if (invalidate) InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void VtWindow::Enable() { EnableWindow(hwnd_, TRUE); }
void VtWindow::Disable() { EnableWindow(hwnd_, FALSE); }

VtWindow* VtWindow::FromHandle(HWND hwnd) { return static_cast<VtWindow*>(GetPropW(hwnd, kObjectProperty)); }

bool VtWindow::Bind(HWND hwnd) {
    if (!SetPropW(hwnd, kObjectProperty, this)) return false;
    hwnd_ = hwnd;
    return true;
}

void VtWindow::Unbind() {
    if (hwnd_ != nullptr) RemovePropW(hwnd_, kObjectProperty);
}

LRESULT CALLBACK VtControlWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    // Creation messages arrive before CreateWindowEx returns and the object
    // is bound; creation must go on without it.
    if (message == WM_NCCREATE) return 1;
    if (message == WM_CREATE) return 0;
    VtWindow* object = VtWindow::FromHandle(hwnd);
    if (object == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
    if (message == WM_DESTROY) object->Unbind();
    LRESULT result = -1;
    if (object->HandleMessage(message, wparam, lparam, result)) return result;
    return DefWindowProcW(hwnd, message, wparam, lparam);
}
