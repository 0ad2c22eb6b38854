// VtImageButtonControl: a push button that shows a picture, with an
// optional caption under it. It can latch (shown pressed in) to stand for a
// choice that is on, as the buttons of a toolbar do.
#pragma once

#include <string>

#include "controls/EventNotifySink.h"
#include "controls/GdiHandles.h"
#include "controls/VtControl.h"

class IImageButtonControl {
public:
    // Not owned; null for no notification.
    virtual void SetClickSink(EventNotifySink* sink) = 0;
    // The button keeps the bitmap and deletes it when done.
    virtual void SetImage(HBITMAP image) = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetLatched(bool latched) = 0;
    virtual bool IsLatched() = 0;

protected:
    ~IImageButtonControl() = default;
};

class VtImageButtonControl : public VtControl, public IImageButtonControl {
public:
    static constexpr int kButtonId = 1;

    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font);

    void SetClickSink(EventNotifySink* sink) override { clickSink_ = sink; }
    void SetImage(HBITMAP image) override;
    void SetCaption(const std::string& text) override;
    void SetLatched(bool latched) override;
    bool IsLatched() override { return latched_; }

    // Enables the inner button, the part the user clicks.
    void Enable(bool enable) override;
    using VtControl::Enable;
    int SetFocus() override;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;
    LRESULT OnDrawItem(UINT controlId, DRAWITEMSTRUCT* item) override;

    HWND ButtonHwnd() const { return button_; }

private:
    void DrawFace(HDC dc, RECT face, bool pressed, bool enabled) const;

    HWND button_ = nullptr;
    HFONT font_ = nullptr;
    Bitmap image_;
    std::string caption_;
    bool latched_ = false;
    EventNotifySink* clickSink_ = nullptr;
};
