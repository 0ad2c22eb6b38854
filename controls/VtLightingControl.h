// VtLightingControl: the control of a lighting parameter. A shaded sphere
// lit as the values say, with a marker where the light stands: dragging it
// sets the light's direction (around) and elevation (from the rim, 0
// degrees, to the middle, 90). Beside the sphere, sliders for brightness and
// sharpness; under it the direction and elevation in degrees, and below
// them, on a row of its own, a swatch for the light's colour.
#pragma once

#include <string>

#include "controls/ColourSource.h"
#include "controls/EventNotifySink.h"
#include "controls/IControl.h"
#include "controls/VtColorControl.h"
#include "controls/VtControl.h"
#include "controls/VtSliderContainerControl.h"
#include "filters/LightingParameter.h"

class ILightingControl {
public:
    // Not owned; told after every change the user makes.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual LightingValue GetValue() = 0;
    // No notification. Values are shown as they are and handed back
    // unchanged unless the user changes them.
    virtual void SetValue(const LightingValue& value) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~ILightingControl() = default;
};

struct LightingLayout {
    static constexpr int kHeight = 145;
    RECT sphere;
    RECT readout;
    RECT brightness;
    RECT sharpness;
    RECT colour;
    static LightingLayout For(int width, int height);
};

class VtLightingControl : public VtControl, public ILightingControl, public ICompoundControl {
public:
    static constexpr int kReadoutId = 1;
    static constexpr int kBrightnessId = 2;
    static constexpr int kSharpnessId = 3;
    static constexpr int kColourId = 4;
    // String resources: the three captions, then the help over the sphere,
    // brightness, sharpness and colour.
    static constexpr int kBrightnessTextId = 11210;
    static constexpr int kSharpnessTextId = 11211;
    static constexpr int kColourTextId = 11212;
    static constexpr int kSphereHelpId = 11213;
    static constexpr int kBrightnessHelpId = 11214;
    static constexpr int kSharpnessHelpId = 11215;
    static constexpr int kColourHelpId = 11216;

    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, IColourSource* colours);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    LightingValue GetValue() override { return value_; }
    void SetValue(const LightingValue& value) override;
    int PreferredHeight() override { return LightingLayout::kHeight; }

    void GetHelpText(ResultCode& out, POINT point, std::string& text) override;
    using VtControl::GetHelpText;

    void Enable(bool enable) override;
    using VtControl::Enable;

    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    const LightingLayout& Layout() const { return layout_; }
    VtSliderContainerControl& Brightness() { return brightness_; }
    VtSliderContainerControl& Sharpness() { return sharpness_; }
    VtColorControl& Colour() { return colour_; }
    HWND ReadoutHwnd() const { return readout_; }
    bool Dragging() const { return dragging_; }

    // Where the light of `direction` and `elevation` (degrees) stands over a
    // sphere of `radius` centred at the origin (y up), and the reverse: the
    // direction and elevation (whole degrees) of a point, held to the rim.
    static POINT MarkerOffset(double direction, double elevation, double radius);
    static void LightAt(double dx, double dy, double radius, double& direction, double& elevation);

private:
    void BrightnessChanged();
    void SharpnessChanged();
    void ColourChanged();
    void Notify();
    void MoveLight(int x, int y);
    void ShowReadout();
    void DrawSphere(HDC dc, bool enabled) const;

    LightingValue value_{50.0, 50.0, 135.0, 45.0, RgbSpec(255, 255, 255)};
    LightingValue valueAtPress_{};
    bool dragging_ = false;
    bool enabled_ = true;
    LightingLayout layout_{};
    VtSliderContainerControl brightness_;
    VtSliderContainerControl sharpness_;
    VtColorControl colour_;
    HWND readout_ = nullptr;
    EventNotifySink* changeSink_ = nullptr;
    MemberNotifySink<VtLightingControl, &VtLightingControl::BrightnessChanged> brightnessSink_{this};
    MemberNotifySink<VtLightingControl, &VtLightingControl::SharpnessChanged> sharpnessSink_{this};
    MemberNotifySink<VtLightingControl, &VtLightingControl::ColourChanged> colourSink_{this};
};
