#include "controls/LibraryEditorControl.h"

#include "controls/ChildWindows.h"

ResultCode LibraryEditorControl::CreateEditor(ATOM atom, HWND parent, const RECT& rect, int id, HFONT font,
                                              const std::string& label, const RECT& labelRect, const RECT& libraryRect,
                                              const LibraryTexts& texts, ILibraryEntries* entries,
                                              IUserPrompts* prompts) {
    const ResultCode created = CreateControlWindow(atom, parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    ClipChildren();
    label_ =
        CreateChildWindow(L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, labelRect, Hwnd(), kLabelId, font);
    if (label_ == nullptr || !row_.Create(Hwnd(), libraryRect, font, texts, entries, prompts)) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    return created;
}

void LibraryEditorControl::Notify() {
    InvalidateRect(Hwnd(), nullptr, FALSE);
    if (changeSink_ != nullptr) changeSink_->Notify();
}

void LibraryEditorControl::BeginDrag() {
    dragging_ = true;
    SetCapture(Hwnd());
}

LRESULT LibraryEditorControl::OnLButtonUp(WPARAM, int x, int y) {
    if (!dragging_) return 0;
    // Ended before the capture goes, so that losing it ends nothing twice.
    dragging_ = false;
    DragEnded(true, x, y);
    ReleaseCapture();
    return 0;
}

LRESULT LibraryEditorControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CAPTURECHANGED && dragging_ && reinterpret_cast<HWND>(lparam) != Hwnd()) {
        dragging_ = false;
        DragEnded(false, 0, 0);
    }
    return VtControl::OnMessage(message, wparam, lparam);
}

LRESULT LibraryEditorControl::OnCommand(UINT notifyCode, UINT id, HWND) {
    row_.OnCommand(notifyCode, id);
    return 0;
}

void LibraryEditorControl::GetHelpText(ResultCode& out, POINT point, std::string& text) {
    out = ResultCode::Success();
    if (!BodyHelp(point, text)) row_.HelpAt(point, text);
}

void LibraryEditorControl::Enable(bool enable) {
    enabled_ = enable;
    EnableWindow(label_, enable ? TRUE : FALSE);
    row_.Enable(enable);
    VtControl::Enable(enable);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}
