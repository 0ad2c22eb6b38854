// VtColorControl: the control of a colour parameter. A label, a large
// swatch with the colour, two small overlapping chips with the host's
// foreground and background colours, and an eyedropper button. Clicking the
// swatch runs the host's colour picker, a chip takes its colour, and the
// eyedropper takes any colour shown on the screen (Escape leaves it).
#pragma once

#include <string>

#include "controls/ColourSource.h"
#include "controls/EventNotifySink.h"
#include "controls/GdiHandles.h"
#include "controls/KeyboardSinks.h"
#include "controls/ParameterGrid.h"
#include "controls/VtControl.h"
#include "filters/ColorSpec.h"

class IColorControl {
public:
    // Not owned; told after every change the user makes.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual ColorSpec GetColour() = 0;
    // Shows `colour`; no notification.
    virtual void SetColour(const ColorSpec& colour) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~IColorControl() = default;
};

// The four hot areas of a colour control of a given client size.
struct ColourLayout {
    RECT label;
    RECT swatch;
    RECT foreground;
    RECT background;
    RECT eyedropper;
    // The swatch starts in the grid's value column (or as far left as the
    // control's width allows), the eyedropper ends at the grid's right.
    static ColourLayout For(int width, int height, int textHeight, const ParameterGrid& grid);
};

class VtColorControl : public VtControl, public IColorControl {
public:
    enum class State {
        Idle,
        BoxPressed,         // on the swatch or a chip
        EyedropperPressed,  // on the eyedropper button
        Eyedropping,        // the eyedropper follows the pointer
        EyedropperDown,     // ... with the button down
    };
    static constexpr int kLabelId = 1;
    // Resources of the plug-in module.
    static constexpr int kEyedropperCursorId = 10008;
    static constexpr int kEyedropperIconId = 703;

    // `source` (not owned) answers for the host.
    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                      IColourSource* source);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    ColorSpec GetColour() override { return colour_; }
    void SetColour(const ColorSpec& colour) override;
    int PreferredHeight() override;

    // The control and its label, repainted whole.
    void Enable(bool enable) override;
    using VtControl::Enable;

    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    State CurrentState() const { return state_; }
    ColorSpec PreviewColour() const { return previewColour_; }
    const ColourLayout& Layout() const { return layout_; }
    HWND LabelHwnd() const { return label_; }

private:
    void KeyEvent();
    void BoxReleased(int x, int y);
    void Notify();
    void EndGesture();
    ColorSpec ScreenColourAt(int x, int y);
    void PaintBox(HDC dc, const RECT& box, const ColorSpec& colour, bool enabled) const;
    void PaintEyedropper(HDC dc, bool enabled) const;

    ColorSpec colour_ = RgbSpec(0, 0, 0);
    ColorSpec previewColour_ = RgbSpec(0, 0, 0);
    State state_ = State::Idle;
    EventNotifySink* changeSink_ = nullptr;
    IColourSource* source_ = nullptr;
    ColourLayout layout_{};
    HWND label_ = nullptr;
    HFONT font_ = nullptr;
    HCURSOR eyedropperCursor_ = nullptr;  // shared (LR_SHARED): never destroyed
    IconHandle eyedropperIcon_;
    MemberNotifySink<VtColorControl, &VtColorControl::KeyEvent> keyboardSink_{this};
    KeyboardSinkRegistration keys_{&keyboardSink_};
};
