#include "controls/VtFillBehaviourControl.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr int kRowHeight = 20;
constexpr int kIndent = 8;
constexpr int kColourWidth = 112;
constexpr int kColourHeight = 22;

}  // namespace

ResultCode VtFillBehaviourControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                                          IColourSource* colours) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::FillBehaviour), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    font_ = font;
    const int width = Width(rect);
    const int textHeight = TextLineHeight(Hwnd(), font, 13);
    label_ = CreateChildWindow(L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, RECT{0, 0, width, textHeight},
                               Hwnd(), kLabelId, font);
    bool made = label_ != nullptr;
    const int firstRow = textHeight + 2;
    for (int mode = 0; made && mode < kModeCount; ++mode) {
        const int top = firstRow + mode * kRowHeight;
        // The first mode shares its row with the colour swatch.
        const int right = mode == 0 ? width - kColourWidth - 4 : width;
        const DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (mode == 0 ? WS_GROUP | WS_TABSTOP : 0);
        radios_[static_cast<std::size_t>(mode)] =
            CreateChildWindow(L"BUTTON", LoadResourceString(kModeTextId + mode), style, 0,
                              RECT{kIndent, top, right, top + kRowHeight}, Hwnd(), kFirstRadioId + mode, font);
        made = radios_[static_cast<std::size_t>(mode)] != nullptr;
    }
    if (made) {
        const int top = firstRow + (kRowHeight - kColourHeight) / 2;
        made = colour_
                   .Create(Hwnd(), RECT{width - kColourWidth, top, width, top + kColourHeight}, kColourId, font,
                           LoadResourceString(kColourTextId), colours)
                   .IsSuccess();
    }
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
    return TextLineHeight(Hwnd(), font_, 13) + 2 + kModeCount * kRowHeight;
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
    for (int mode = 0; mode < kModeCount; ++mode)
        if (hit(RadioHwnd(mode))) text = LoadResourceString(kModeHelpId + mode);
    if (hit(colour_.Hwnd())) text = LoadResourceString(kColourHelpId);
    if (hit(label_)) text = LoadResourceString(kLabelHelpId);
}

void VtFillBehaviourControl::Enable(bool enable) {
    enabled_ = enable;
    EnableWindow(label_, enable ? TRUE : FALSE);
    for (HWND radio : radios_) EnableWindow(radio, enable ? TRUE : FALSE);
    colour_.Enable(enable && behaviour_ == kLayerFillWithColour);
}
