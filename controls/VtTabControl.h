// VtTabControl: the tabs over the dialog's controls area when an effect has
// more than one page of parameters. A system tab strip with one page window
// (VtTabPage) per title; the page of the selected tab is shown, the others
// hidden. Parameter controls are made as children of a page window.
// Ctrl+Tab and Ctrl+Shift+Tab step through the pages while the focus is
// inside the control.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/EventNotifySink.h"
#include "controls/KeyboardSinks.h"
#include "controls/VtControl.h"

// One page: a plain surface in the dialog's face colour that holds the
// page's controls.
class VtTabPage : public VtControl {
public:
    ResultCode Create(HWND parent, const RECT& rect);
    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
};

class ITabControl {
public:
    // Not owned; told when the user shows another page.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    // Appends a page with a tab titled `title`; -1 when it cannot be made.
    virtual ResultCode AddPage(const std::string& title) = 0;
    virtual int PageCount() = 0;
    // The window of page `index`, the parent for its controls; null for an
    // index out of range.
    virtual HWND PageWindow(int index) = 0;
    // The index of the page shown; -1 while there is none.
    virtual int CurrentPage() = 0;
    // Shows page `index`; no notification.
    virtual void SelectPage(int index) = 0;

protected:
    ~ITabControl() = default;
};

class VtTabControl : public VtControl, public ITabControl {
public:
    static constexpr int kTabsId = 1;

    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    ResultCode AddPage(const std::string& title) override;
    int PageCount() override { return static_cast<int>(pages_.size()); }
    HWND PageWindow(int index) override;
    int CurrentPage() override;
    void SelectPage(int index) override;

    void Enable(bool enable) override;
    using VtControl::Enable;
    // The focus goes to the tab strip.
    int SetFocus() override;
    void Release(ResultCode& out) override;

    LRESULT OnSize(UINT sizeType, unsigned width, unsigned height) override;
    LRESULT OnNotify(NMHDR* header) override;
    LRESULT OnPaint(const PAINTSTRUCT& paint) override;

    HWND TabsHwnd() const { return tabs_; }

private:
    RECT PageRect() const;
    void ShowCurrentPage();
    void CtrlTab();

    HWND tabs_ = nullptr;
    std::vector<std::unique_ptr<VtTabPage>> pages_;
    EventNotifySink* changeSink_ = nullptr;
    MemberNotifySink<VtTabControl, &VtTabControl::CtrlTab> keySink_{this};
    KeyboardSinkRegistration keys_{&keySink_};
};
