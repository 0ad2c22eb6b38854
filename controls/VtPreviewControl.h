// VtPreviewControl: the filter dialog's preview. It shows the part of the
// image its source frames, with the effect rendered or, while a
// render is due or the mouse is held down on it, the unprocessed image,
// and turns mouse gestures into zoom, pan and tool actions:
//   - pan tool: drag to pan; Ctrl-click zooms in, Alt-click zooms out;
//   - zoom tool: click to zoom in one level, drag a rectangle to zoom onto
//     it; Alt-click zooms out; with Space held a drag pans;
//   - the effect's tool: drags go to the effect's tool target; with Space
//     held the pan and zoom gestures.
#pragma once

#include <array>
#include <cstdint>

#include "controls/EventNotifySink.h"
#include "controls/GdiHandles.h"
#include "controls/KeyboardSinks.h"
#include "controls/PreviewSource.h"
#include "controls/VtControl.h"

// The effect-specific object behind the third preview tool. Points are in
// preview (view) pixels.
class IPreviewToolTarget {
public:
    // 0 nothing, 1 and 2 two kinds of hit.
    virtual int HitTest(POINT point) = 0;
    virtual void DragStart(POINT point) = 0;
    virtual void DragMove(POINT point) = 0;
    virtual void DragEnd(POINT point) = 0;
    // Draws the tool's marks over the preview.
    virtual void DrawMarks(HDC dc) = 0;

protected:
    ~IPreviewToolTarget() = default;
};

class IPreviewControl {
public:
    // Not owned; told after every gesture that ends on the preview.
    virtual void SetClickSink(EventNotifySink* sink) = 0;
    virtual void SetToolTarget(IPreviewToolTarget* target) = 0;
    virtual void ClearToolTarget() = 0;
    // Forgets the cached face; the next paint draws the model's image anew.
    virtual void Invalidate() = 0;
    virtual void RefreshCursor() = 0;
    // A 5 × 5 marker centred on a preview point, in colours contrasting
    // with what is under it; the second kind inverts only every other pixel.
    virtual void DrawMarker(POINT point) = 0;
    virtual void DrawSecondMarker(POINT point) = 0;

protected:
    ~IPreviewControl() = default;
};

class VtPreviewControl : public VtControl, public IPreviewControl {
public:
    enum class DragMode { None = 0, ZoomRect = 1, ZoomOut = 2, Pan = 3, Tool = 4 };
    // Cursors of the resource module, in the order of `cursors_`.
    static constexpr std::array<int, 6> kCursorIds = {10003, 10004, 10005, 10006, 10009, 10007};
    // The sunken edge around the view.
    static constexpr int kEdge = 2;
    // The smallest drag, in either direction, that zooms onto a rectangle.
    static constexpr int kZoomRectMinimum = 4;

    ~VtPreviewControl() override;

    // `source` is not owned. -1 when a cursor is missing.
    ResultCode Create(HWND parent, const RECT& rect, int id, IPreviewSource* source);

    void SetClickSink(EventNotifySink* sink) override { clickSink_ = sink; }
    void SetToolTarget(IPreviewToolTarget* target) override { toolTarget_ = target; }
    void ClearToolTarget() override { toolTarget_ = nullptr; }
    void Invalidate() override;
    void RefreshCursor() override;
    void DrawMarker(POINT point) override;
    void DrawSecondMarker(POINT point) override;

    // The view's size inside the edge.
    SIZE ViewSize();

    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    DragMode CurrentDrag() const { return dragMode_; }
    RECT ZoomRect() const { return zoomRect_; }
    // The cursor the control shows now.
    HCURSOR ChosenCursor();
    HCURSOR Cursor(int index) const { return cursors_[static_cast<std::size_t>(index)]; }

private:
    void KeyEvent();
    void FreeFace();
    void DrawFace(HDC target);
    void DrawZoomRect(HDC dc) const;
    void DrawMarkerPixels(POINT point, bool everyOther);
    bool SpaceHeld() const;
    bool PointerOver() const;
    void EndDrag(DragMode mode, int x, int y);
    // The mouse taken away mid-gesture: the gesture ends where it came to.
    void AbandonDrag(DragMode mode);

    IPreviewSource* source_ = nullptr;
    DragMode dragMode_ = DragMode::None;
    POINT dragStart_{};
    POINT lastPoint_{};  // where the gesture has come to
    RECT zoomRect_{};
    std::array<HCURSOR, 6> cursors_{};
    IPreviewToolTarget* toolTarget_ = nullptr;
    EventNotifySink* clickSink_ = nullptr;
    bool spaceDown_ = false;
    // The cached face: a bitmap selected into a memory device context.
    MemoryDC memoryDC_;
    Bitmap memoryBitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    MemberNotifySink<VtPreviewControl, &VtPreviewControl::KeyEvent> keyboardSink_{this};
    KeyboardSinkRegistration keys_{&keyboardSink_};
};
