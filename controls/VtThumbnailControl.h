// VtThumbnailControl: the whole image, reduced, with a frame around the
// part the preview shows. Dragging on it moves the preview there: the
// preview follows with the unprocessed image and renders once the button
// is released.
#pragma once

#include "controls/EventNotifySink.h"
#include "controls/GdiHandles.h"
#include "controls/PreviewSource.h"
#include "controls/VtControl.h"

class IThumbnailControl {
public:
    // Not owned; told when the user releases the button on the thumbnail.
    virtual void SetClickSink(EventNotifySink* sink) = 0;

protected:
    ~IThumbnailControl() = default;
};

class VtThumbnailControl : public VtControl, public IThumbnailControl {
public:
    static constexpr COLORREF kFrameColour = RGB(255, 82, 82);
    static constexpr int kEdge = 2;

    // `source` is not owned.
    ResultCode Create(HWND parent, const RECT& rect, int id, IThumbnailSource* source);

    void SetClickSink(EventNotifySink* sink) override { clickSink_ = sink; }

    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    bool Tracking() const { return tracking_; }
    // The frame of the shown part, in client coordinates.
    RECT ShownFrame();

private:
    void CentreAt(int x, int y, bool final);

    IThumbnailSource* source_ = nullptr;
    bool tracking_ = false;
    POINT lastPoint_{};  // where the drag has come to
    Brush frameBrush_;
    EventNotifySink* clickSink_ = nullptr;
};
