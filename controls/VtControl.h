// VtControl: the base of every custom control. A control is a child window
// of the dialog bound to its object; the dialog reaches it through its
// IControl interface.
#pragma once

#include <string>

#include "base/ResultCode.h"
#include "controls/IControl.h"
#include "controls/VtWindow.h"

class VtControl : public VtWindow, public IControl {
public:
    // Called once the control's window exists and is bound.
    virtual void OnAttach();
    // Called when a window was made but could not be bound.
    virtual void Release(ResultCode& out);

    // IControl
    void GetClientRect(RECT& out) override;
    void SetRect(const RECT& rect) override;
    void GetWindowRect(RECT& out) override;
    void Redraw() override;
    void GetHelpText(std::string& out) override;
    void SetHelpText(const std::string& text) override;
    void Enable(bool enable) override;
    int SetFocus() override;
    using VtWindow::Enable;

protected:
    // Steps common to every control's Create: makes the child window of
    // class `atom` (no title, WS_CHILD | WS_VISIBLE, `rect` in the parent's
    // client coordinates) and binds it. Controls that hold child windows
    // pass WS_EX_CONTROLPARENT. -1 when the class is not registered, the
    // window cannot be made, or it cannot be bound (Release is called then).
    ResultCode CreateControlWindow(ATOM atom, HWND parent, const RECT& rect, int id, DWORD extendedStyle);
    // For a control that paints its own face around child windows: its
    // painting leaves the children's areas alone.
    void ClipChildren();

private:
    std::string helpText_;
};
