// VtCheckboxControl: the control of a checkbox parameter. A check button
// and its label in a transparent container; a click on the label toggles
// the check as a click on the button does.
#pragma once

#include <string>

#include "controls/EventNotifySink.h"
#include "controls/VtControl.h"

class ICheckboxControl {
public:
    // Not owned; null for no notification.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual bool IsChecked() = 0;
    // No notification.
    virtual void SetChecked(bool checked) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~ICheckboxControl() = default;
};

class VtCheckboxControl : public VtControl, public ICheckboxControl {
public:
    static constexpr int kButtonId = 1;
    static constexpr int kLabelId = 2;
    static constexpr int kButtonSize = 18;

    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    bool IsChecked() override;
    void SetChecked(bool checked) override;
    int PreferredHeight() override { return kButtonSize; }

    // Button, label and container together, repainted at once.
    void Enable(bool enable) override;
    using VtControl::Enable;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    HWND ButtonHwnd() const { return button_; }
    HWND LabelHwnd() const { return label_; }

private:
    HWND button_ = nullptr;
    HWND label_ = nullptr;
    EventNotifySink* changeSink_ = nullptr;
    bool pressed_ = false;
};
