#include "controls/VtDropdownListControl.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/ParameterGrid.h"
#include "platform/TextEncoding.h"

namespace {

// With the list dropped.
constexpr int kComboHeight = 175;

}  // namespace

ResultCode VtDropdownListControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::DropdownList), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    // The label like every other, the box in the value column and the
    // spinner's and unit's places.
    const ParameterGrid grid = ParameterGrid::For(Hwnd(), font);
    const int width = Width(rect);
    const int comboLeft = grid.ValueLeft(width);
    SIZE size{};
    if (MeasureText(Hwnd(), font, label, size)) {
        const RECT labelRect{0, ParameterGrid::kTextTop, std::max(0, comboLeft - ParameterGrid::kGap),
                             ParameterGrid::kTextTop + size.cy};
        label_ = CreateChildWindow(L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_ENDELLIPSIS, 0, labelRect,
                                   Hwnd(), kLabelId, font);
    }
    if (label_ != nullptr) {
        combo_ = CreateChildWindow(L"COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                   0, RECT{comboLeft, 0, grid.Right(width), kComboHeight}, Hwnd(), kComboId, font);
    }
    if (combo_ == nullptr) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    return created;
}

void VtDropdownListControl::AddItem(int32_t value, const std::string& text) {
    const LRESULT index = SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) return;
    SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(value));
}

int32_t VtDropdownListControl::GetSelectedValue() {
    const LRESULT index = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return CB_ERR;
    return static_cast<int32_t>(SendMessageW(combo_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void VtDropdownListControl::SelectValue(int32_t value) {
    const LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<int32_t>(SendMessageW(combo_, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == value) {
            SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
}

int VtDropdownListControl::PreferredHeight() {
    RECT closed{};
    ::GetWindowRect(combo_, &closed);
    return Height(closed);
}

int VtDropdownListControl::SetFocus() {
    ::SetFocus(combo_);
    return 1;
}

void VtDropdownListControl::Enable(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    EnableWindow(combo_, on);
    EnableWindow(label_, on);
    VtControl::Enable(enable);
}

LRESULT VtDropdownListControl::OnCommand(UINT notifyCode, UINT id, HWND) {
    if (id == kComboId && notifyCode == CBN_SELCHANGE && changeSink_ != nullptr) changeSink_->Notify();
    return 0;
}
