#include "controls/VtThumbnailControl.h"

#include <algorithm>

#include "controls/ControlClasses.h"

namespace {

// The thumbnail's picture area inside the edge.
SIZE PictureSize(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return SIZE{std::max<LONG>(1, client.right - 2 * VtThumbnailControl::kEdge),
                std::max<LONG>(1, client.bottom - 2 * VtThumbnailControl::kEdge)};
}

}  // namespace

ResultCode VtThumbnailControl::Create(HWND parent, const RECT& rect, int id, IThumbnailSource* source) {
    source_ = source;
    frameBrush_.Reset(CreateSolidBrush(kFrameColour));
    if (!frameBrush_) return ResultCode::Failure();
    return CreateControlWindow(ControlClassAtom(ControlClass::Thumbnail), parent, rect, id, 0);
}

RECT VtThumbnailControl::ShownFrame() {
    if (source_ == nullptr) return RECT{};
    const SIZE size = PictureSize(Hwnd());
    const Rect shown = source_->ShownInThumbnail(size.cx, size.cy);
    return RECT{shown.left + kEdge, shown.top + kEdge, shown.right + kEdge, shown.bottom + kEdge};
}

LRESULT VtThumbnailControl::OnPaint(const PAINTSTRUCT& paint) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    OffscreenCanvas canvas(paint.hdc, client.right, client.bottom);
    FillRect(canvas.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
    if (source_ != nullptr) {
        const SIZE size = PictureSize(Hwnd());
        PixelCanvas picture(canvas.Dc(), size.cx, size.cy);
        if (picture.Pixels() != nullptr && source_->ComposeThumbnail(size.cx, size.cy, picture.Pixels())) {
            picture.CopyTo(canvas.Dc(), kEdge, kEdge);
        }
    }
    DrawEdge(canvas.Dc(), &client, EDGE_SUNKEN, BF_RECT);
    if (source_ != nullptr) {
        RECT shown = ShownFrame();
        FrameRect(canvas.Dc(), &shown, frameBrush_.Get());
        InflateRect(&shown, -1, -1);
        FrameRect(canvas.Dc(), &shown, frameBrush_.Get());
    }
    canvas.CopyTo(0, 0);
    return 0;
}

void VtThumbnailControl::CentreAt(int x, int y, bool final) {
    if (source_ == nullptr) return;
    const SIZE size = PictureSize(Hwnd());
    source_->CentreOnThumbnail(size.cx, size.cy, x - kEdge, y - kEdge, final);
    Redraw();
}

LRESULT VtThumbnailControl::OnLButtonDown(WPARAM, int x, int y) {
    if (tracking_) return 0;
    tracking_ = true;
    lastPoint_ = POINT{x, y};
    SetCapture(Hwnd());
    CentreAt(x, y, false);
    return 0;
}

LRESULT VtThumbnailControl::OnMouseMove(WPARAM, int x, int y) {
    if (!tracking_) return 0;
    lastPoint_ = POINT{x, y};
    CentreAt(x, y, false);
    return 0;
}

LRESULT VtThumbnailControl::OnLButtonUp(WPARAM, int x, int y) {
    if (!tracking_) return 0;
    tracking_ = false;
    ReleaseCapture();
    CentreAt(x, y, true);
    if (clickSink_ != nullptr) clickSink_->Notify();
    return 0;
}

LRESULT VtThumbnailControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    // The mouse taken away mid-drag (Alt+Tab, a window coming up) ends the
    // drag where it came to, with the render that follows every drag.
    if (message == WM_CAPTURECHANGED && tracking_ && reinterpret_cast<HWND>(lparam) != Hwnd()) {
        tracking_ = false;
        CentreAt(lastPoint_.x, lastPoint_.y, true);
    }
    return VtControl::OnMessage(message, wparam, lparam);
}
