#include "controls/VtTabControl.h"

#include <new>

#include "controls/ChildWindows.h"
#include "controls/CommonControls.h"
#include "controls/ControlClasses.h"
#include "platform/TextEncoding.h"

ResultCode VtTabPage::Create(HWND parent, const RECT& rect) {
    return CreateControlWindow(ControlClassAtom(ControlClass::TabPage), parent, rect, 0, WS_EX_CONTROLPARENT);
}

LRESULT VtTabPage::OnPaint(const PAINTSTRUCT& paint) {
    FillRect(paint.hdc, &paint.rcPaint, GetSysColorBrush(COLOR_3DFACE));
    return 0;
}

ResultCode VtTabControl::Create(HWND parent, const RECT& rect, int id, HFONT font) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::Tab), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    ClipChildren();
    tabs_ = CreateChildWindow(WC_TABCONTROLW, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
                              RECT{0, 0, Width(rect), Height(rect)}, Hwnd(), kTabsId, font);
    if (tabs_ == nullptr) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    keys_.Add();
    return created;
}

void VtTabControl::Release(ResultCode& out) {
    keys_.Remove();
    out = ResultCode::Success();
}

RECT VtTabControl::PageRect() const {
    RECT area{};
    ::GetClientRect(tabs_, &area);
    TabCtrl_AdjustRect(tabs_, FALSE, &area);
    return area;
}

ResultCode VtTabControl::AddPage(const std::string& title) {
    std::unique_ptr<VtTabPage> page(new (std::nothrow) VtTabPage);
    if (!page) return ResultCode::OutOfMemory();
    std::wstring text = WideFromUtf8(title);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    const int index = static_cast<int>(pages_.size());
    if (TabCtrl_InsertItem(tabs_, index, &item) != index) return ResultCode::Failure();
    // The tab strip may have grown a row: every page follows the display area.
    const RECT area = PageRect();
    if (!page->Create(Hwnd(), area).IsSuccess()) {
        TabCtrl_DeleteItem(tabs_, index);
        return ResultCode::Failure();
    }
    // Above the tab strip, so that the strip never paints over the page.
    SetWindowPos(page->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    try {
        pages_.push_back(std::move(page));
    } catch (const std::bad_alloc&) {
        TabCtrl_DeleteItem(tabs_, index);
        return ResultCode::OutOfMemory();
    }
    for (const auto& each : pages_) each->SetRect(area);
    ShowCurrentPage();
    return ResultCode::Success();
}

HWND VtTabControl::PageWindow(int index) {
    if (index < 0 || index >= PageCount()) return nullptr;
    return pages_[static_cast<std::size_t>(index)]->Hwnd();
}

int VtTabControl::CurrentPage() { return pages_.empty() ? -1 : TabCtrl_GetCurSel(tabs_); }

void VtTabControl::SelectPage(int index) {
    if (index < 0 || index >= PageCount()) return;
    TabCtrl_SetCurSel(tabs_, index);
    ShowCurrentPage();
}

void VtTabControl::ShowCurrentPage() {
    const int current = CurrentPage();
    // Show the new page before hiding the old, so nothing flashes between.
    if (HWND shown = PageWindow(current)) ShowWindow(shown, SW_SHOWNA);
    for (int i = 0; i < PageCount(); ++i)
        if (i != current) ShowWindow(PageWindow(i), SW_HIDE);
}

LRESULT VtTabControl::OnNotify(NMHDR* header) {
    if (header != nullptr && header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
        ShowCurrentPage();
        if (changeSink_ != nullptr) changeSink_->Notify();
    }
    return 0;
}

LRESULT VtTabControl::OnSize(UINT, unsigned width, unsigned height) {
    if (tabs_ == nullptr) return 0;
    SetWindowPos(tabs_, nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT area = PageRect();
    for (const auto& page : pages_) page->SetRect(area);
    return 0;
}

LRESULT VtTabControl::OnPaint(const PAINTSTRUCT& paint) {
    // The tab strip and the pages cover the control; nothing of its own
    // shows but what they leave (nothing).
    FillRect(paint.hdc, &paint.rcPaint, GetSysColorBrush(COLOR_3DFACE));
    return 0;
}

int VtTabControl::SetFocus() {
    ::SetFocus(tabs_);
    return 1;
}

void VtTabControl::Enable(bool enable) {
    EnableWindow(tabs_, enable ? TRUE : FALSE);
    VtControl::Enable(enable);
}

void VtTabControl::CtrlTab() {
    if (PageCount() < 2 || KeyboardHook::keyCode != VK_TAB || KeyboardHook::IsRelease()) return;
    if ((GetKeyState(VK_CONTROL) & 0x8000) == 0) return;
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != Hwnd() && !IsChild(Hwnd(), focus))) return;
    KeyboardHook::consumed = true;
    const int step = (GetKeyState(VK_SHIFT) & 0x8000) != 0 ? PageCount() - 1 : 1;
    SelectPage((CurrentPage() + step) % PageCount());
    ::SetFocus(tabs_);
    if (changeSink_ != nullptr) changeSink_->Notify();
}
