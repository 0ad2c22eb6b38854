#include "controls/VtButtonControl.h"

#include "controls/ControlClasses.h"
#include "controls/ToolkitInstance.h"
#include "platform/TextEncoding.h"

ResultCode VtButtonControl::Create(HWND parent, const RECT& rect, int id, bool isDefault, HFONT font) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::Button), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    // One pixel inside the outer window on every side.
    const int width = rect.right - rect.left - 2;
    const int height = rect.bottom - rect.top - 2;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (isDefault) style |= BS_DEFPUSHBUTTON;
    buttonHwnd_ =
        CreateWindowExW(0, L"BUTTON", nullptr, style, 0, 0, width, height, Hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInnerButtonId)), ToolkitInstance(), nullptr);
    if (buttonHwnd_ == nullptr) return ResultCode::Failure();
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(buttonHwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return ResultCode::Success();
}

void VtButtonControl::SetClickSink(EventNotifySink* sink) { clickSink_ = sink; }

void VtButtonControl::SetCaption(const std::string& text) { SetWindowTextW(buttonHwnd_, WideFromUtf8(text).c_str()); }

void VtButtonControl::Enable(bool enable) { EnableWindow(buttonHwnd_, enable ? TRUE : FALSE); }

LRESULT VtButtonControl::OnCommand(UINT, UINT id, HWND) {
    // Any notification of the inner button counts as a click.
    if (id == kInnerButtonId && clickSink_ != nullptr) clickSink_->Notify();
    return 0;
}
