// What the colour gradient and bevel profile editors share: a label on top,
// the editor's own body under it, and a library row under that; the
// change sink; and the drag of one item of the body, which commits once,
// when the button is released or the mouse is lost.
#pragma once

#include <string>

#include "controls/EventNotifySink.h"
#include "controls/IControl.h"
#include "controls/Library.h"
#include "controls/LibraryRow.h"
#include "controls/UserPrompts.h"
#include "controls/VtControl.h"

class LibraryEditorControl : public VtControl, public ICompoundControl {
public:
    static constexpr int kLabelId = 1;
    static constexpr int kBodyGap = 3;
    static constexpr int kLibraryGap = 6;

    // The help over the body (the editor's own areas), then over the row.
    void GetHelpText(ResultCode& out, POINT point, std::string& text) override;
    using VtControl::GetHelpText;

    // Label, body and row together.
    void Enable(bool enable) override;
    using VtControl::Enable;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;
    LRESULT OnLButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    LibraryRow& Library() { return row_; }
    HWND LabelHwnd() const { return label_; }

protected:
    // Makes the window (class `atom`), the label over `labelRect` and the
    // library row over `libraryRect`; -1 (after Release) on failure.
    ResultCode CreateEditor(ATOM atom, HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                            const RECT& labelRect, const RECT& libraryRect, const LibraryTexts& texts,
                            ILibraryEntries* entries, IUserPrompts* prompts);

    void SetChangeSinkOf(EventNotifySink* sink) { changeSink_ = sink; }
    // Repaints and tells the change sink.
    void Notify();
    bool Enabled() const { return enabled_; }

    // A drag starts: the mouse is captured until it ends.
    void BeginDrag();
    bool Dragging() const { return dragging_; }
    // The drag has ended: released at (x, y), or, with `released` false,
    // the mouse was lost (to another window).
    virtual void DragEnded(bool released, int x, int y) = 0;
    // The help over the body at `point`; false over none of its areas.
    virtual bool BodyHelp(POINT point, std::string& text) = 0;

private:
    HWND label_ = nullptr;
    LibraryRow row_;
    bool enabled_ = true;
    bool dragging_ = false;
    EventNotifySink* changeSink_ = nullptr;
};
