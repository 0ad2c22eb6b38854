// VtToolboxControl: three buttons above the preview that choose its tool:
// pan, zoom, and the effect's own tool (hidden unless the effect has one).
// Double-clicking the zoom button shows the image at 100 %.
#pragma once

#include <array>

#include "controls/EventNotifySink.h"
#include "controls/GdiHandles.h"
#include "controls/IControl.h"
#include "controls/PreviewSource.h"
#include "controls/VtControl.h"

class IToolboxControl {
public:
    // Not owned; told after a click chose a tool.
    virtual void SetClickSink(EventNotifySink* sink) = 0;
    virtual void ShowThirdTool(bool show) = 0;
    // Checks button `index` (0 to 2) and unchecks the others.
    virtual void CheckButton(int index) = 0;

protected:
    ~IToolboxControl() = default;
};

class VtToolboxControl : public VtControl, public IToolboxControl, public ICompoundControl {
public:
    static constexpr int kButtonWidth = 26;
    static constexpr int kButtonHeight = 22;
    static constexpr int kFirstButtonId = 1;
    static constexpr std::array<int, 3> kIconIds = {700, 701, 702};
    static constexpr std::array<int, 3> kHelpIds = {11004, 11005, 11006};

    // `choice` is not owned. -1 when an icon is missing.
    ResultCode Create(HWND parent, const RECT& rect, IPreviewToolChoice* choice);

    void SetClickSink(EventNotifySink* sink) override { clickSink_ = sink; }
    void ShowThirdTool(bool show) override;
    void CheckButton(int index) override;

    // Over a button: its help text (the third only while shown).
    void GetHelpText(ResultCode& out, POINT point, std::string& text) override;
    using VtControl::GetHelpText;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;

    HWND ButtonHwnd(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
    bool ThirdToolShown() const { return thirdToolShown_; }

private:
    IPreviewToolChoice* choice_ = nullptr;
    std::array<HWND, 3> buttons_{};
    std::array<IconHandle, 3> icons_;
    bool thirdToolShown_ = false;
    EventNotifySink* clickSink_ = nullptr;
};
