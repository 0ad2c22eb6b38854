#include "controls/SliderArrangement.h"

#include <algorithm>
#include <cmath>

#include "controls/CommonControls.h"

#include "controls/ChildWindows.h"

SliderLayout SliderLayout::For(int width, const ParameterGrid& grid, int editWidth) {
    SliderLayout layout{};
    const int spinnerLeft = grid.SpinnerLeft(width);
    const int editLeft = std::max(0, spinnerLeft - editWidth);
    layout.edit = RECT{editLeft, 0, spinnerLeft, kRowHeight};
    layout.spinner = RECT{spinnerLeft, 0, spinnerLeft + ParameterGrid::kSpinnerWidth, kRowHeight};
    layout.unit = RECT{grid.UnitLeft(width), ParameterGrid::kTextTop, grid.Right(width), kRowHeight};
    layout.label = RECT{0, ParameterGrid::kTextTop, std::max(0, editLeft - ParameterGrid::kGap), kRowHeight};
    layout.track = RECT{0, kTrackTop, grid.Right(width), kHeight};
    return layout;
}

void SliderArrangement::Release(ResultCode& out) {
    field_.Detach();
    out = ResultCode::Success();
}

ResultCode SliderArrangement::CreateArrangement(ATOM atom, HWND parent, const RECT& rect, int id, HFONT font,
                                                const std::string& label, bool digitsOnly) {
    const ResultCode created = CreateControlWindow(atom, parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    track_.SetChangedSink(&trackChangedSink_);
    track_.SetTrackSink(&trackMovedSink_);

    font_ = font;
    grid_ = ParameterGrid::For(Hwnd(), font);
    editWidth_ = grid_.valueWidth;
    const SliderLayout layout = SliderLayout::For(Width(rect), grid_, editWidth_);
    const DWORD editStyle =
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | (digitsOnly ? ES_NUMBER : 0);
    edit_ = CreateChildWindow(L"EDIT", "", editStyle, WS_EX_CLIENTEDGE, layout.edit, Hwnd(), kEditId, font);
    field_.Attach(edit_);
    const bool trackMade = edit_ != nullptr && track_.Create(Hwnd(), layout.track, kTrackId).IsSuccess();
    if (trackMade) {
        spinner_ = CreateChildWindow(UPDOWN_CLASSW, "", WS_CHILD | WS_VISIBLE | UDS_HOTTRACK, 0, layout.spinner, Hwnd(),
                                     kSpinnerId, nullptr);
    }
    if (spinner_ != nullptr) {
        SendMessageW(spinner_, UDM_SETRANGE32, 0, 2 * kSpinnerRest);
        SendMessageW(spinner_, UDM_SETPOS, 0, MAKELPARAM(kSpinnerRest, 0));
        label_ = CreateChildWindow(L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_ENDELLIPSIS, 0,
                                   layout.label, Hwnd(), kLabelId, font);
    }
    if (label_ != nullptr) {
        unit_ = CreateChildWindow(L"STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, layout.unit, Hwnd(), kUnitId,
                                  font);
    }
    if (unit_ == nullptr) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    return ResultCode::Success();
}

void SliderArrangement::SetLabelText(const std::string& text) { SetWindowTextUtf8(label_, text); }

void SliderArrangement::SetUnitText(const std::string& text) { SetWindowTextUtf8(unit_, text); }

void SliderArrangement::SetBounds(double minimum, double maximum) {
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
    track_.SetLimits(minimum_, maximum_);
    if (Hwnd() == nullptr) return;
    const std::string low = Format(minimum_);
    const std::string high = Format(maximum_);
    const int width = grid_.FieldWidth(Hwnd(), font_, low.size() > high.size() ? low : high);
    if (width == editWidth_) return;
    editWidth_ = width;
    Arrange();
}

void SliderArrangement::Arrange() {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    const SliderLayout layout = SliderLayout::For(Width(client), grid_, editWidth_);
    const auto place = [](HWND child, const RECT& rect) {
        if (child != nullptr) MoveWindow(child, rect.left, rect.top, Width(rect), Height(rect), TRUE);
    };
    place(edit_, layout.edit);
    place(label_, layout.label);
}

double SliderArrangement::Clamped(double value) const {
    if (!(value >= minimum_)) value = minimum_;
    if (value > maximum_) value = maximum_;
    return value;
}

void SliderArrangement::Show(double value) {
    track_.SetValue(value);
    field_.Show(Current());
}

void SliderArrangement::Commit(double candidate, bool force) {
    const double value = Clamped(candidate);
    if (value == Current() && !force) {
        field_.Show(value);
        return;
    }
    Show(value);
    if (changeSink_ != nullptr) changeSink_->Notify();
}

void SliderArrangement::TrackChanged() {
    field_.Show(Current());
    if (changeSink_ != nullptr) changeSink_->Notify();
}

void SliderArrangement::TrackMoved() {
    field_.Show(Current());
    if (trackSink_ != nullptr) trackSink_->Notify();
}

void SliderArrangement::SpinnerScrolled(int code) {
    const int position = static_cast<int>(SendMessageW(spinner_, UDM_GETPOS32, 0, 0));
    const double candidate = Clamped(Current() + (position - kSpinnerRest));
    if (code == SB_THUMBPOSITION) {
        SetWindowTextUtf8(edit_, Format(candidate));
    } else if (code == SB_ENDSCROLL) {
        SendMessageW(spinner_, UDM_SETPOS, 0, MAKELPARAM(kSpinnerRest, 0));
        Commit(candidate, false);
    }
}

LRESULT SliderArrangement::OnCommand(UINT notifyCode, UINT id, HWND) {
    if (id == kEditId && notifyCode == EN_KILLFOCUS) field_.Left();
    return 0;
}

LRESULT SliderArrangement::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_VSCROLL && reinterpret_cast<HWND>(lparam) == spinner_ && spinner_ != nullptr)
        SpinnerScrolled(LOWORD(wparam));
    return VtControl::OnMessage(message, wparam, lparam);
}

void SliderArrangement::Enable(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    for (HWND child : {edit_, spinner_, label_, unit_})
        if (child != nullptr) EnableWindow(child, on);
    if (track_.Hwnd() != nullptr) track_.Enable(enable);
    VtControl::Enable(enable);
}

int SliderArrangement::SetFocus() {
    ::SetFocus(edit_);
    return 1;
}
