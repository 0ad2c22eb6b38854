#include "controls/VtControl.h"

#include "controls/ToolkitInstance.h"

void VtControl::OnAttach() {}

void VtControl::Release(ResultCode& out) { out = ResultCode::Success(); }

void VtControl::GetClientRect(RECT& out) { ::GetClientRect(Hwnd(), &out); }

void VtControl::SetRect(const RECT& rect) {
    SetWindowPos(Hwnd(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void VtControl::GetWindowRect(RECT& out) { ::GetWindowRect(Hwnd(), &out); }

void VtControl::Redraw() {
    InvalidateRect(Hwnd(), nullptr, FALSE);
    UpdateWindow(Hwnd());
}

void VtControl::GetHelpText(std::string& out) { out = helpText_; }

void VtControl::SetHelpText(const std::string& text) { helpText_ = text; }

void VtControl::Enable(bool enable) { EnableWindow(Hwnd(), enable ? TRUE : FALSE); }

int VtControl::SetFocus() {
    ::SetFocus(Hwnd());
    return 1;
}

ResultCode VtControl::CreateControlWindow(ATOM atom, HWND parent, const RECT& rect, int id, DWORD extendedStyle) {
    if (atom == 0) return ResultCode::Failure();
    HWND hwnd = CreateWindowExW(extendedStyle, MAKEINTATOM(atom), nullptr, WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ToolkitInstance(), nullptr);
    if (hwnd == nullptr) return ResultCode::Failure();
    if (!Bind(hwnd)) {
        ResultCode ignored;
        Release(ignored);
        // An unbound control would be a window nobody answers for.
        DestroyWindow(hwnd);
        return ResultCode::Failure();
    }
    OnAttach();
    return ResultCode::Success();
}

void VtControl::ClipChildren() {
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, GetWindowLongPtrW(Hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
}
