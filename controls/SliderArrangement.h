// The arrangement both slider controls share: a label, a track, a numeric
// edit field and a small up-down spinner kept in step, and a caption with
// the unit (a length's, a percent or degree sign, or none). The track reports drags (a change in progress,
// to the track sink) and releases (a committed change, to the change sink);
// typing, the spinner and the Up and Down keys commit changes.
//
// Subclasses decide how values are shown, read and kept (whole numbers, or
// lengths with two decimals); values here are in the unit the control
// shows.
#pragma once

#include <string>

#include "controls/EventNotifySink.h"
#include "controls/NumberField.h"
#include "controls/ParameterGrid.h"
#include "controls/VtControl.h"
#include "controls/VtSliderControl.h"

// Where the children sit in a control `width` pixels wide, on the
// parameter grid: the label at the left of the first row, then the edit
// (`editWidth` wide, ending at the value column's end), the spinner and the
// unit caption in their columns; the track spans the second row.
struct SliderLayout {
    static constexpr int kRowHeight = ParameterGrid::kFieldHeight;
    static constexpr int kTrackTop = kRowHeight + 3;
    static constexpr int kHeight = kTrackTop + VtSliderControl::kPreferredHeight;

    RECT label;
    RECT edit;
    RECT spinner;
    RECT unit;
    RECT track;

    static SliderLayout For(int width, const ParameterGrid& grid, int editWidth);
};

class SliderArrangement : public VtControl, private NumberFieldOwner {
public:
    // Children ids.
    static constexpr int kEditId = 1;
    static constexpr int kTrackId = 2;
    static constexpr int kSpinnerId = 3;
    static constexpr int kLabelId = 4;
    static constexpr int kUnitId = 5;
    // The spinner rests in the middle of its range; a hold moves it away and
    // its distance from the middle is the step.
    static constexpr int kSpinnerRest = 5000;

    void Release(ResultCode& out) override;
    // Enables or greys every part together.
    void Enable(bool enable) override;
    using VtControl::Enable;
    // The focus goes to the edit field.
    int SetFocus() override;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    HWND EditHwnd() const { return edit_; }
    HWND SpinnerHwnd() const { return spinner_; }
    HWND LabelHwnd() const { return label_; }
    HWND UnitHwnd() const { return unit_; }
    VtSliderControl& Track() { return track_; }
    const VtSliderControl& Track() const { return track_; }

protected:
    // Creates the container (class `atom`) and its children; -1 (after
    // Release) when any part cannot be made. With `digitsOnly` the edit
    // field takes nothing but digits.
    ResultCode CreateArrangement(ATOM atom, HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                                 bool digitsOnly);

    // How values are shown and read, and the value the control holds as the
    // subclass keeps it.
    virtual std::string Format(double value) const = 0;
    virtual double Parse(const std::string& text) const = 0;
    virtual double Current() const = 0;

    // Shows `value` in the track and the edit; no notification.
    void Show(double value);
    // The edit field grows to show the longer of the two bounds.
    void SetBounds(double minimum, double maximum);
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    void SetChangeSinkOf(EventNotifySink* sink) { changeSink_ = sink; }
    void SetTrackSinkOf(EventNotifySink* sink) { trackSink_ = sink; }
    void SetLabelText(const std::string& text);
    void SetUnitText(const std::string& text);

private:
    std::string FormatNumber(double value) const override { return Format(value); }
    double ParseNumber(const std::string& text) const override { return Parse(text); }
    double CurrentNumber() const override { return Current(); }
    void NumberTyped(double value) override { Commit(value, Clamped(value) != value); }
    void NumberStepped(double delta) override { Commit(Current() + delta, false); }

    void TrackChanged();
    void TrackMoved();
    void SpinnerScrolled(int code);
    // `candidate` clamped to the bounds; when that differs from the value
    // held (or `force`), the value is set and the change sink notified.
    void Commit(double candidate, bool force);
    double Clamped(double value) const;
    // Puts the children where the layout wants them for the edit's width.
    void Arrange();

    VtSliderControl track_;
    NumberField field_{*this};
    HWND edit_ = nullptr;
    HWND spinner_ = nullptr;
    HWND label_ = nullptr;
    HWND unit_ = nullptr;
    double minimum_ = 0.0;
    double maximum_ = 100.0;
    HFONT font_ = nullptr;
    ParameterGrid grid_;
    int editWidth_ = 0;
    EventNotifySink* changeSink_ = nullptr;
    EventNotifySink* trackSink_ = nullptr;
    MemberNotifySink<SliderArrangement, &SliderArrangement::TrackChanged> trackChangedSink_{this};
    MemberNotifySink<SliderArrangement, &SliderArrangement::TrackMoved> trackMovedSink_{this};
};
