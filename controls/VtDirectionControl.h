// VtDirectionControl: the control of a direction parameter. A label, a dial
// whose hand points the angle (0 degrees to the right, counter-clockwise
// up), and a field with the angle in degrees. Dragging the hand turns it
// (in steps of 15 degrees with Shift); the release commits the new angle.
#pragma once

#include <string>

#include "controls/EventNotifySink.h"
#include "controls/NumberField.h"
#include "controls/ParameterGrid.h"
#include "controls/VtControl.h"

class IDirectionControl {
public:
    // Not owned; told after every change the user commits.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    // Degrees in [0, 360).
    virtual double GetValue() = 0;
    // Any angle, brought into [0, 360); no notification.
    virtual void SetValue(double degrees) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~IDirectionControl() = default;
};

struct DirectionLayout {
    static constexpr int kHeight = 33;
    RECT label;
    RECT dial;
    RECT edit;
    RECT unit;
    static DirectionLayout For(int width, int height, int textHeight, const ParameterGrid& grid);
};

class VtDirectionControl : public VtControl, public IDirectionControl, private NumberFieldOwner {
public:
    static constexpr int kEditId = 1;
    static constexpr int kLabelId = 2;
    static constexpr int kUnitId = 3;

    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    double GetValue() override { return value_; }
    void SetValue(double degrees) override;
    int PreferredHeight() override { return DirectionLayout::kHeight; }

    void Enable(bool enable) override;
    using VtControl::Enable;
    int SetFocus() override;
    void Release(ResultCode& out) override;

    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    const DirectionLayout& Layout() const { return layout_; }
    HWND EditHwnd() const { return field_.Hwnd(); }
    HWND LabelHwnd() const { return label_; }
    bool Turning() const { return turning_; }

    // The angle (whole degrees, or steps of 15 with `snap`) of the point
    // (x, y) seen from the centre of `dial`.
    static double AngleAt(const RECT& dial, int x, int y, bool snap);

private:
    std::string FormatNumber(double value) const override;
    double ParseNumber(const std::string& text) const override;
    double CurrentNumber() const override { return value_; }
    void NumberTyped(double value) override { Commit(value); }
    void NumberStepped(double delta) override { Commit(value_ + delta); }

    // Sets the value; true when it changed.
    bool Change(double degrees);
    void Commit(double degrees);
    void TurnTo(WPARAM keys, int x, int y);
    void DrawDial(HDC dc, bool enabled) const;

    double value_ = 0.0;
    double valueAtPress_ = 0.0;
    bool turning_ = false;
    EventNotifySink* changeSink_ = nullptr;
    DirectionLayout layout_{};
    NumberField field_{*this};
    HWND label_ = nullptr;
    HWND unit_ = nullptr;
};
