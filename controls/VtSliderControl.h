// VtSliderControl: the custom-drawn track of a slider. A thin line with end
// ticks, an optional tick at the default value, and a triangular thumb
// under the line at the value's position. Pressing and dragging moves the
// value (a change in progress, told to the track sink); releasing commits
// it (told to the changed sink).
#pragma once

#include "controls/EventNotifySink.h"
#include "controls/GdiHandles.h"
#include "controls/VtControl.h"

class VtSliderControl : public VtControl {
public:
    // Geometry of the face, in pixels.
    static constexpr int kThumbHalfWidth = 5;
    static constexpr int kLineY = 3;
    static constexpr int kThumbTop = 4;
    static constexpr int kThumbBottom = 9;
    // Height the face needs.
    static constexpr int kPreferredHeight = kThumbBottom + 2;

    ResultCode Create(HWND parent, const RECT& rect, int id);

    // Not owned; null for no notification.
    virtual void SetChangedSink(EventNotifySink* sink);
    virtual void SetTrackSink(EventNotifySink* sink);

    double Value() const { return value_; }
    // Sets the value as it stands (no rounding, no limits); repaints only
    // when it differs. True when it differed.
    bool SetValue(double value);

    // In integer mode every value the mouse sets is rounded to a whole
    // number.
    void SetIntegerMode(bool on) { step_ = on ? 1.0 : 0.0; }
    // The same with any step (0.01 rounds to hundredths, 0 not at all).
    void SetValueStep(double step) { step_ = step > 0.0 ? step : 0.0; }
    bool IntegerMode() const { return step_ == 1.0; }

    // The values at the two ends of the track.
    void SetTrackRange(double low, double high);
    // The values the mouse may set; the track's ends when not given.
    void SetLimits(double minimum, double maximum);
    // Where the default-value tick sits, 0 to 1 along the track; none at 0
    // or below.
    void SetDefaultFraction(double fraction);
    double DefaultFraction() const { return defaultFraction_; }
    bool Tracking() const { return tracking_; }

    // The x position (client coordinates) where the thumb's apex shows
    // `value`, and the value the mouse sets at x (rounded and limited).
    int PositionOf(double value) const;
    double ValueAt(int x) const;

    // Also repaints, so the disabled look shows at once.
    void Enable(bool enable) override;
    using VtControl::Enable;

    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void OnAttach() override;
    void MoveTo(int x);
    int TrackWidth() const;
    double Rounded(double value) const;
    void DrawFace(HDC dc, int width) const;
    static BOOL CALLBACK DrawFaceProc(HDC dc, LPARAM data, WPARAM, int width, int height);

    double value_ = 0.0;
    double step_ = 0.0;
    double trackLow_ = 0.0;
    double trackHigh_ = 100.0;
    double minimum_ = 0.0;
    double maximum_ = 100.0;
    bool limited_ = false;
    double defaultFraction_ = 0.0;
    bool tracking_ = false;
    EventNotifySink* changedSink_ = nullptr;
    EventNotifySink* trackSink_ = nullptr;
    // The track and thumb in one dark shade, the default tick in a lighter one.
    Pen trackPen_;
    Brush trackBrush_;
    Pen markPen_;
    Brush markBrush_;
};
