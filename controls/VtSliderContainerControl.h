// VtSliderContainerControl: the control of a slider parameter. A label, a
// track, an edit field and a spinner, holding a whole number.
#pragma once

#include <string>

#include "controls/SliderArrangement.h"

class ISliderContainerControl {
public:
    // Not owned; null for no notification. The change sink hears committed
    // changes, the track sink each step of a drag.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual void SetTrackSink(EventNotifySink* sink) = 0;
    // The value, a whole number.
    virtual double GetValue() = 0;
    // Truncated to a whole number; no notification.
    virtual void SetValue(double value) = 0;
    virtual void SetLabel(const std::string& text) = 0;
    // The caption in the unit column ("%", "°"); empty for none.
    virtual void SetUnitCaption(const std::string& text) = 0;
    // The bounds typed, stepped and dragged values are kept in.
    virtual void SetRange(double minimum, double maximum) = 0;
    // The values at the two ends of the track.
    virtual void SetTrackRange(double low, double high) = 0;
    // Marks `value` on the track with a small tick.
    virtual void SetDefaultValue(double value) = 0;
    // The height the control needs.
    virtual int PreferredHeight() = 0;

protected:
    ~ISliderContainerControl() = default;
};

class VtSliderContainerControl : public SliderArrangement, public ISliderContainerControl {
public:
    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label);

    void SetChangeSink(EventNotifySink* sink) override { SetChangeSinkOf(sink); }
    void SetTrackSink(EventNotifySink* sink) override { SetTrackSinkOf(sink); }
    double GetValue() override { return Current(); }
    void SetValue(double value) override;
    void SetLabel(const std::string& text) override { SetLabelText(text); }
    void SetUnitCaption(const std::string& text) override { SetUnitText(text); }
    void SetRange(double minimum, double maximum) override { SetBounds(minimum, maximum); }
    void SetTrackRange(double low, double high) override;
    void SetDefaultValue(double value) override;
    int PreferredHeight() override { return SliderLayout::kHeight; }

protected:
    std::string Format(double value) const override;
    double Parse(const std::string& text) const override;
    double Current() const override;

private:
    double trackLow_ = 0.0;
    double trackHigh_ = 100.0;
    double defaultValue_ = 0.0;
    bool hasDefault_ = false;
};
