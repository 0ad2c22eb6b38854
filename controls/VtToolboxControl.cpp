#include "controls/VtToolboxControl.h"

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/ToolkitInstance.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr DWORD kButtonStyle = WS_CHILD | BS_PUSHLIKE | BS_ICON | BS_AUTORADIOBUTTON;

}  // namespace

ResultCode VtToolboxControl::Create(HWND parent, const RECT& rect, IPreviewToolChoice* choice) {
    choice_ = choice;
    for (std::size_t i = 0; i < icons_.size(); ++i) {
        icons_[i].Reset(static_cast<HICON>(
            LoadImageW(ToolkitInstance(), MAKEINTRESOURCEW(kIconIds[i]), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
        if (!icons_[i]) return ResultCode::Failure();
    }
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::Toolbox), parent, rect, 0, WS_EX_CONTROLPARENT);
    if (created.IsFailure()) return created;
    const DWORD styles[3] = {kButtonStyle | WS_VISIBLE, kButtonStyle | WS_VISIBLE | WS_GROUP | BS_NOTIFY, kButtonStyle};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const int x = static_cast<int>(i) * kButtonWidth;
        buttons_[i] = CreateChildWindow(L"BUTTON", "", styles[i], 0, RECT{x, 0, x + kButtonWidth, kButtonHeight},
                                        Hwnd(), kFirstButtonId + static_cast<int>(i), nullptr);
        if (buttons_[i] == nullptr) return ResultCode::Failure();
        SendMessageW(buttons_[i], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons_[i].Get()));
    }
    CheckButton(0);
    return ResultCode::Success();
}

void VtToolboxControl::ShowThirdTool(bool show) {
    thirdToolShown_ = show;
    ShowWindow(buttons_[2], show ? SW_SHOW : SW_HIDE);
}

void VtToolboxControl::CheckButton(int index) {
    CheckRadioButton(Hwnd(), kFirstButtonId, kFirstButtonId + 2, kFirstButtonId + index);
}

void VtToolboxControl::GetHelpText(ResultCode& out, POINT point, std::string& text) {
    out = ResultCode::Success();
    if (point.y < 0 || point.y >= kButtonHeight || point.x < 0) return;
    const int index = point.x / kButtonWidth;
    if (index > 2 || (index == 2 && !thirdToolShown_)) return;
    text = LoadResourceString(kHelpIds[static_cast<std::size_t>(index)]);
}

LRESULT VtToolboxControl::OnCommand(UINT notifyCode, UINT id, HWND) {
    const int index = static_cast<int>(id) - kFirstButtonId;
    if (index < 0 || index > 2 || choice_ == nullptr) return 0;
    if (notifyCode == BN_CLICKED) {
        choice_->SetTool(static_cast<PreviewTool>(index));
        if (clickSink_ != nullptr) clickSink_->Notify();
    } else if (notifyCode == BN_DOUBLECLICKED && index == 1) {
        choice_->ActualSize();
    }
    return 0;
}
