// The interfaces through which the dialog places, enables, focuses and
// describes its controls, whatever their kind.
#pragma once

#include <string>

#include "base/ResultCode.h"
#include "platform/WinApi.h"

class IControl {
public:
    // Client rectangle of the control's window.
    virtual void GetClientRect(RECT& out) = 0;
    // Moves and sizes the control to `rect`, in the parent's client
    // coordinates.
    virtual void SetRect(const RECT& rect) = 0;
    // The control's window rectangle in screen coordinates.
    virtual void GetWindowRect(RECT& out) = 0;
    // Repaints the whole control now, without erasing first.
    virtual void Redraw() = 0;
    // The one-line help shown in the status bar while the pointer is over
    // the control.
    virtual void GetHelpText(std::string& out) = 0;
    virtual void SetHelpText(const std::string& text) = 0;
    virtual void Enable(bool enable) = 0;
    // Gives the control the keyboard focus; returns 1.
    virtual int SetFocus() = 0;

protected:
    ~IControl() = default;
};

// Controls made of several hot areas: the help text of the area under
// `point` (control client coordinates), loaded from the resource module.
// Over no area `text` is left as it is.
class ICompoundControl {
public:
    virtual void GetHelpText(ResultCode& out, POINT point, std::string& text) = 0;

protected:
    ~ICompoundControl() = default;
};
