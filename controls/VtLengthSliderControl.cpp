#include "controls/VtLengthSliderControl.h"

#include <algorithm>
#include <cmath>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/NumberText.h"
#include "platform/ResourceStrings.h"

namespace {

// String resources with the unit captions, by unit code.
constexpr int kFirstUnitNameId = 11110;

}  // namespace

std::string VtLengthSliderControl::UnitName(int32_t unit) {
    if (unit < kLengthPixels || unit > kLengthPicas) return std::string();
    return LoadResourceString(kFirstUnitNameId + unit);
}

ResultCode VtLengthSliderControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label) {
    // The grid's unit column is as wide as the widest unit name, so that the
    // edit field stays put when the unit changes.
    const ResultCode created =
        CreateArrangement(ControlClassAtom(ControlClass::LengthSlider), parent, rect, id, font, label, false);
    if (!created.IsSuccess()) return created;
    Track().SetValueStep(0.01);
    Reconvert();
    return created;
}

double VtLengthSliderControl::Shown(double amount, int32_t unit) const {
    return LengthValue{amount, unit}.In(unit_, pixelsPerInch_);
}

void VtLengthSliderControl::Reconvert() {
    SetBounds(Shown(minimum_.value, minimum_.unit), Shown(maximum_.value, maximum_.unit));
    const double low = Shown(trackLow_.value, trackLow_.unit);
    const double high = Shown(trackHigh_.value, trackHigh_.unit);
    Track().SetTrackRange(low, high);
    if (hasDefault_) {
        const double fraction = high != low ? (Shown(default_.value, default_.unit) - low) / (high - low) : 0.0;
        Track().SetDefaultFraction(std::isfinite(fraction) ? fraction : 0.0);
    }
    SetUnitText(caption_.empty() ? UnitName(unit_) : caption_);
}

void VtLengthSliderControl::SetValue(const LengthValue& value) {
    const double shown = value.In(unit_, pixelsPerInch_);
    Show(std::isfinite(shown) ? shown : 0.0);
}

void VtLengthSliderControl::SetRange(double minimum, double maximum, int32_t unit) {
    minimum_ = LengthValue{minimum, unit};
    maximum_ = LengthValue{maximum, unit};
    Reconvert();
}

void VtLengthSliderControl::SetTrackRange(double low, double high, int32_t unit) {
    trackLow_ = LengthValue{low, unit};
    trackHigh_ = LengthValue{high, unit};
    Reconvert();
}

void VtLengthSliderControl::SetDefaultValue(const LengthValue& value) {
    default_ = value;
    hasDefault_ = true;
    Reconvert();
}

void VtLengthSliderControl::SetUnit(int32_t unit, double pixelsPerInch) {
    const LengthValue value = GetValue();
    unit_ = unit;
    pixelsPerInch_ = pixelsPerInch;
    Reconvert();
    SetValue(value);
}

void VtLengthSliderControl::SetUnitCaption(const std::string& text) {
    caption_ = text;
    Reconvert();
}

std::string VtLengthSliderControl::Format(double value) const { return FormatHundredths(value); }

double VtLengthSliderControl::Parse(const std::string& text) const { return ParseLeadingDecimal(text); }

double VtLengthSliderControl::Current() const { return Track().Value(); }
