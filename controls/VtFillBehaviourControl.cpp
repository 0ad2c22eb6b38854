#include "controls/VtFillBehaviourControl.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/ParameterGrid.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr int kRowHeight = 22;
constexpr int kColourHeight = 22;
// Below the last row, inside the frame.
constexpr int kBottomRoom = 6;

}  // namespace

ResultCode VtFillBehaviourControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                                          IColourSource* colours) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::FillBehaviour), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    font_ = font;
    const int width = Width(rect);
    const int textHeight = TextLineHeight(Hwnd(), font, 13);
    // A group captioned with the label, or with what the modes are about.
    const std::string caption = label.empty() ? LoadResourceString(kCaptionId) : label;
    label_ = CreateChildWindow(L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0,
                               RECT{0, 0, width, Height(rect)}, Hwnd(), kLabelId, font);
    bool made = label_ != nullptr;
    const int firstRow = textHeight + 3;
    // The swatch stands in the value column, like every other colour's.
    const ParameterGrid grid = ParameterGrid::For(Hwnd(), font);
    const int colourLeft = grid.ValueLeft(width) - ParameterGrid::kGap;
    for (int mode = 0; made && mode < kModeCount; ++mode) {
        const int top = firstRow + mode * kRowHeight;
        // The first mode shares its row with the colour swatch.
        const int right = mode == 0 ? colourLeft : grid.Right(width);
        const DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (mode == 0 ? WS_GROUP | WS_TABSTOP : 0);
        radios_[static_cast<std::size_t>(mode)] = CreateChildWindow(
            L"BUTTON", LoadResourceString(kModeTextId + mode), style, 0,
            RECT{ParameterGrid::kMargin, top, right, top + kRowHeight}, Hwnd(), kFirstRadioId + mode, font);
        made = radios_[static_cast<std::size_t>(mode)] != nullptr;
    }
    if (made) {
        const int top = firstRow + (kRowHeight - kColourHeight) / 2;
        // No caption of its own: the first mode says what the colour is for.
        made = colour_.Create(Hwnd(), RECT{colourLeft, top, width, top + kColourHeight}, kColourId, font, "", colours)
                   .IsSuccess();
    }
    if (made) SetWindowPos(label_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!made) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    colour_.SetChangeSink(&colourSink_);
    ShowMode(0);
    return created;
}

int VtFillBehaviourControl::PreferredHeight() {
    return TextLineHeight(Hwnd(), font_, 13) + 3 + kModeCount * kRowHeight + kBottomRoom;
}

int VtFillBehaviourControl::ModeIndex(uint32_t behaviour) const {
    for (int mode = 0; mode < kModeCount; ++mode)
        if (kModes[mode] == behaviour) return mode;
    return 0;
}

void VtFillBehaviourControl::ShowMode(int mode) {
    behaviour_ = kModes[mode];
    for (int i = 0; i < kModeCount; ++i)
        SendMessageW(RadioHwnd(i), BM_SETCHECK, i == mode ? BST_CHECKED : BST_UNCHECKED, 0);
    // The colour matters only to the first mode.
    colour_.Enable(enabled_ && mode == 0);
}

LayerFillValue VtFillBehaviourControl::GetValue() { return LayerFillValue{behaviour_, colour_.GetColour()}; }

void VtFillBehaviourControl::SetValue(const LayerFillValue& value) {
    colour_.SetColour(value.colour);
    ShowMode(ModeIndex(value.behaviour));
}

void VtFillBehaviourControl::ColourChanged() {
    if (changeSink_ != nullptr) changeSink_->Notify();
}

LRESULT VtFillBehaviourControl::OnCommand(UINT notifyCode, UINT id, HWND) {
    const int mode = static_cast<int>(id) - kFirstRadioId;
    if (notifyCode != BN_CLICKED || mode < 0 || mode >= kModeCount) return 0;
    if (kModes[mode] == behaviour_) return 0;
    ShowMode(mode);
    if (changeSink_ != nullptr) changeSink_->Notify();
    return 0;
}

void VtFillBehaviourControl::GetHelpText(ResultCode& out, POINT point, std::string& text) {
    out = ResultCode::Success();
    auto hit = [&](HWND child) {
        RECT area{};
        ::GetWindowRect(child, &area);
        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&area), 2);
        return Contains(area, point.x, point.y);
    };
    // The frame holds the rest: what is over a mode or the colour says more.
    if (hit(label_)) text = LoadResourceString(kLabelHelpId);
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (!hit(RadioHwnd(mode))) continue;
        const std::string& why = unavailableWhy_[static_cast<std::size_t>(mode)];
        text = why.empty() ? LoadResourceString(kModeHelpId + mode) : why;
    }
    if (hit(colour_.Hwnd())) text = LoadResourceString(kColourHelpId);
}

bool VtFillBehaviourControl::ModeEnabled(int mode) const {
    return enabled_ && unavailableWhy_[static_cast<std::size_t>(mode)].empty();
}

void VtFillBehaviourControl::SetModeUnavailable(int mode, const std::string& why) {
    if (mode < 0 || mode >= kModeCount) return;
    unavailableWhy_[static_cast<std::size_t>(mode)] = why;
    EnableWindow(RadioHwnd(mode), ModeEnabled(mode) ? TRUE : FALSE);
}

void VtFillBehaviourControl::Enable(bool enable) {
    enabled_ = enable;
    EnableWindow(label_, enable ? TRUE : FALSE);
    for (int mode = 0; mode < kModeCount; ++mode) EnableWindow(RadioHwnd(mode), ModeEnabled(mode) ? TRUE : FALSE);
    colour_.Enable(enable && behaviour_ == kLayerFillWithColour);
}

LRESULT VtFillBehaviourControl::OnSize(UINT, unsigned width, unsigned height) {
    if (label_ != nullptr) MoveWindow(label_, 0, 0, static_cast<int>(width), static_cast<int>(height), TRUE);
    return 0;
}
