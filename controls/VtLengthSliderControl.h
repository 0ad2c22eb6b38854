// VtLengthSliderControl: the control of a length parameter. The slider
// arrangement with the value shown with two decimals in one unit (the
// host's ruler unit, say) and that unit's caption beside the spinner.
// Lengths given in other units are converted through the document's
// resolution; the value keeps its full precision unless the user changes it,
// so reading back a value that was only shown loses nothing.
#pragma once

#include <string>

#include "controls/SliderArrangement.h"
#include "filters/LengthValue.h"

class ILengthSliderControl {
public:
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual void SetTrackSink(EventNotifySink* sink) = 0;
    // The value, in the unit shown.
    virtual LengthValue GetValue() = 0;
    // Converted to the unit shown; no notification.
    virtual void SetValue(const LengthValue& value) = 0;
    virtual void SetLabel(const std::string& text) = 0;
    // Bounds and track ends given in `unit`, converted to the unit shown
    // (again whenever that changes).
    virtual void SetRange(double minimum, double maximum, int32_t unit) = 0;
    virtual void SetTrackRange(double low, double high, int32_t unit) = 0;
    virtual void SetDefaultValue(const LengthValue& value) = 0;
    // The unit values are shown in and the resolution lengths convert
    // through (pixels per inch; 0 for the usual 72). The value is converted.
    virtual void SetUnit(int32_t unit, double pixelsPerInch) = 0;
    // A caption to show instead of the unit's name; empty for the name.
    virtual void SetUnitCaption(const std::string& text) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~ILengthSliderControl() = default;
};

class VtLengthSliderControl : public SliderArrangement, public ILengthSliderControl {
public:
    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label);

    void SetChangeSink(EventNotifySink* sink) override { SetChangeSinkOf(sink); }
    void SetTrackSink(EventNotifySink* sink) override { SetTrackSinkOf(sink); }
    LengthValue GetValue() override { return LengthValue{Current(), unit_}; }
    void SetValue(const LengthValue& value) override;
    void SetLabel(const std::string& text) override { SetLabelText(text); }
    void SetRange(double minimum, double maximum, int32_t unit) override;
    void SetTrackRange(double low, double high, int32_t unit) override;
    void SetDefaultValue(const LengthValue& value) override;
    void SetUnit(int32_t unit, double pixelsPerInch) override;
    void SetUnitCaption(const std::string& text) override;
    int PreferredHeight() override { return SliderLayout::kHeight; }

    // The caption shown for a unit when no other is given.
    static std::string UnitName(int32_t unit);

protected:
    std::string Format(double value) const override;
    double Parse(const std::string& text) const override;
    double Current() const override;

private:
    double Shown(double amount, int32_t unit) const;
    void Reconvert();

    int32_t unit_ = kLengthPixels;
    double pixelsPerInch_ = 0.0;
    std::string caption_;
    LengthValue minimum_{0.0, kLengthPixels};
    LengthValue maximum_{100.0, kLengthPixels};
    LengthValue trackLow_{0.0, kLengthPixels};
    LengthValue trackHigh_{100.0, kLengthPixels};
    LengthValue default_{0.0, kLengthPixels};
    bool hasDefault_ = false;
};
