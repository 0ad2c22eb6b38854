#include "controls/VtSliderContainerControl.h"

#include <cmath>

#include "controls/ControlClasses.h"
#include "controls/NumberText.h"

namespace {

double Truncated(double value) { return std::isfinite(value) ? std::trunc(value) : 0.0; }

}  // namespace

ResultCode VtSliderContainerControl::Create(HWND parent, const RECT& rect, int id, HFONT font,
                                            const std::string& label) {
    const ResultCode created =
        CreateArrangement(ControlClassAtom(ControlClass::SliderContainer), parent, rect, id, font, label, true);
    if (!created.IsSuccess()) return created;
    Track().SetIntegerMode(true);
    SetTrackRange(trackLow_, trackHigh_);
    Show(Current());
    return created;
}

void VtSliderContainerControl::SetValue(double value) { Show(Truncated(value)); }

void VtSliderContainerControl::SetTrackRange(double low, double high) {
    trackLow_ = low;
    trackHigh_ = high;
    Track().SetTrackRange(low, high);
    if (hasDefault_) SetDefaultValue(defaultValue_);
}

void VtSliderContainerControl::SetDefaultValue(double value) {
    defaultValue_ = value;
    hasDefault_ = true;
    const double fraction = trackHigh_ != trackLow_ ? (value - trackLow_) / (trackHigh_ - trackLow_) : 0.0;
    // A default at the very start of the track needs no tick: the end tick
    // is there already.
    Track().SetDefaultFraction(std::isfinite(fraction) ? fraction : 0.0);
}

std::string VtSliderContainerControl::Format(double value) const { return FormatWhole(value); }

double VtSliderContainerControl::Parse(const std::string& text) const {
    return static_cast<double>(ParseLeadingInteger(text));
}

double VtSliderContainerControl::Current() const { return Truncated(Track().Value()); }
