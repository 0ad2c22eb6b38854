#include "controls/VtSliderControl.h"

#include <algorithm>
#include <cmath>

#include "controls/ControlClasses.h"

namespace {

// A shade of `colour`: each channel scaled by `factor`.
COLORREF Shade(COLORREF colour, double factor) {
    auto scale = [factor](int channel) { return static_cast<BYTE>(std::clamp(channel * factor, 0.0, 255.0)); };
    return RGB(scale(GetRValue(colour)), scale(GetGValue(colour)), scale(GetBValue(colour)));
}

}  // namespace

ResultCode VtSliderControl::Create(HWND parent, const RECT& rect, int id) {
    return CreateControlWindow(ControlClassAtom(ControlClass::Slider), parent, rect, id, 0);
}

void VtSliderControl::OnAttach() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF dark = Shade(face, 0.35);
    const COLORREF light = Shade(face, 0.65);
    trackPen_.Reset(CreatePen(PS_SOLID, 1, dark));
    trackBrush_.Reset(CreateSolidBrush(dark));
    markPen_.Reset(CreatePen(PS_SOLID, 1, light));
    markBrush_.Reset(CreateSolidBrush(light));
}

void VtSliderControl::SetChangedSink(EventNotifySink* sink) { changedSink_ = sink; }
void VtSliderControl::SetTrackSink(EventNotifySink* sink) { trackSink_ = sink; }

bool VtSliderControl::SetValue(double value) {
    if (value == value_) return false;
    value_ = value;
    if (Hwnd() != nullptr) InvalidateRect(Hwnd(), nullptr, FALSE);
    return true;
}

void VtSliderControl::SetTrackRange(double low, double high) {
    trackLow_ = low;
    trackHigh_ = high;
    if (Hwnd() != nullptr) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void VtSliderControl::SetLimits(double minimum, double maximum) {
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
    limited_ = true;
}

void VtSliderControl::SetDefaultFraction(double fraction) {
    defaultFraction_ = fraction;
    if (Hwnd() != nullptr) InvalidateRect(Hwnd(), nullptr, FALSE);
}

int VtSliderControl::TrackWidth() const {
    RECT client{};
    if (Hwnd() != nullptr) ::GetClientRect(Hwnd(), &client);
    return client.right;
}

double VtSliderControl::Rounded(double value) const {
    if (step_ <= 0.0) return value;
    // Dividing by the whole number of steps per unit gives the closest
    // double to 40.16, where multiplying by 0.01 would not.
    if (step_ < 1.0) {
        const double perUnit = std::round(1.0 / step_);
        return std::floor(value * perUnit + 0.5) / perUnit;
    }
    return std::floor(value / step_ + 0.5) * step_;
}

int VtSliderControl::PositionOf(double value) const {
    const int span = TrackWidth() - 1 - 2 * kThumbHalfWidth;
    if (span <= 0 || trackHigh_ == trackLow_) return kThumbHalfWidth;
    double fraction = (Rounded(value) - trackLow_) / (trackHigh_ - trackLow_);
    fraction = std::clamp(std::isfinite(fraction) ? fraction : 0.0, 0.0, 1.0);
    return kThumbHalfWidth + static_cast<int>(span * fraction + 0.5);
}

double VtSliderControl::ValueAt(int x) const {
    const int span = TrackWidth() - 1 - 2 * kThumbHalfWidth;
    double fraction = span > 0 ? static_cast<double>(x - kThumbHalfWidth) / span : 0.0;
    fraction = std::clamp(fraction, 0.0, 1.0);
    double value = Rounded(trackLow_ + fraction * (trackHigh_ - trackLow_));
    // A track wider than the allowed range must not let the mouse leave it.
    if (limited_) value = std::clamp(value, minimum_, maximum_);
    return value;
}

void VtSliderControl::Enable(bool enable) {
    VtControl::Enable(enable);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void VtSliderControl::DrawFace(HDC dc, int width) const {
    const int h = kThumbHalfWidth;
    SelectedObject pen(dc, trackPen_.Get());
    SelectedObject brush(dc, trackBrush_.Get());
    MoveToEx(dc, h, kLineY, nullptr);
    LineTo(dc, width - h, kLineY);
    for (int x : {h, width - h - 1}) {
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, kLineY + 1);
    }
    if (defaultFraction_ > 0.0) {
        const int x = static_cast<int>(h + (width - h - 1 - h) * defaultFraction_ + 0.5);
        SelectedObject markPen(dc, markPen_.Get());
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, kLineY);
    }
    const int x = PositionOf(value_);
    const POINT thumb[3] = {{x, kThumbTop}, {x - h, kThumbBottom}, {x + h, kThumbBottom}};
    Polygon(dc, thumb, 3);
}

BOOL CALLBACK VtSliderControl::DrawFaceProc(HDC dc, LPARAM data, WPARAM, int width, int) {
    reinterpret_cast<const VtSliderControl*>(data)->DrawFace(dc, width);
    return TRUE;
}

LRESULT VtSliderControl::OnPaint(const PAINTSTRUCT& paint) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    OffscreenCanvas canvas(paint.hdc, client.right, client.bottom);
    FillRect(canvas.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
    const UINT state = IsWindowEnabled(Hwnd()) ? DSS_NORMAL : DSS_DISABLED;
    DrawStateW(canvas.Dc(), nullptr, DrawFaceProc, reinterpret_cast<LPARAM>(this), 0, 0, 0, client.right, client.bottom,
               DST_COMPLEX | state);
    canvas.CopyTo(0, 0);
    return 0;
}

void VtSliderControl::MoveTo(int x) {
    if (SetValue(ValueAt(x)) && trackSink_ != nullptr) trackSink_->Notify();
}

LRESULT VtSliderControl::OnLButtonDown(WPARAM, int x, int) {
    SetCapture(Hwnd());
    tracking_ = true;
    MoveTo(x);
    return 0;
}

LRESULT VtSliderControl::OnMouseMove(WPARAM, int x, int) {
    if (tracking_) MoveTo(x);
    return 0;
}

LRESULT VtSliderControl::OnLButtonUp(WPARAM, int, int) {
    if (tracking_) {
        tracking_ = false;
        ReleaseCapture();
        if (changedSink_ != nullptr) changedSink_->Notify();
    }
    return 0;
}

LRESULT VtSliderControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    // The capture taken away mid-drag (another window, a system menu) ends
    // the drag where it stands: the change made so far is committed.
    if (message == WM_CAPTURECHANGED && tracking_ && reinterpret_cast<HWND>(lparam) != Hwnd()) {
        tracking_ = false;
        if (changedSink_ != nullptr) changedSink_->Notify();
    }
    return VtControl::OnMessage(message, wparam, lparam);
}
