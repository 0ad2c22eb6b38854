// VtButtonControl: a push button. An outer control window holds a system
// button one pixel inside its edges; a click notifies the click sink.
#pragma once

#include <string>

#include "controls/EventNotifySink.h"
#include "controls/VtControl.h"

class IButtonControl {
public:
    // Not owned; null for no notification.
    virtual void SetClickSink(EventNotifySink* sink) = 0;
    virtual void SetCaption(const std::string& text) = 0;

protected:
    ~IButtonControl() = default;
};

class VtButtonControl : public VtControl, public IButtonControl {
public:
    // Creates the button in `parent` over `rect` (parent client
    // coordinates) with control id `id`. `font` null means the stock GUI
    // font.
    ResultCode Create(HWND parent, const RECT& rect, int id, bool isDefault, HFONT font);

    void SetClickSink(EventNotifySink* sink) override;
    void SetCaption(const std::string& text) override;
    // Enables the inner button, the part the user clicks.
    void Enable(bool enable) override;
    using VtControl::Enable;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;

    HWND ButtonHwnd() const { return buttonHwnd_; }

    // Control id of the inner system button.
    static constexpr int kInnerButtonId = 1;

private:
    EventNotifySink* clickSink_ = nullptr;
    HWND buttonHwnd_ = nullptr;
};
