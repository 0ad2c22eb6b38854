#include "controls/VtPreviewControl.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "controls/ControlClasses.h"
#include "controls/GdiHandles.h"
#include "controls/ToolkitInstance.h"

namespace {

enum CursorIndex { kNormal = 0, kZoomIn = 1, kZoomOut = 2, kToolNothing = 3, kToolFirst = 4, kToolSecond = 5 };

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// A colour far from `colour`, so that a marker shows on any picture.
COLORREF Contrasting(COLORREF colour) {
    const int luma = (GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114) / 1000;
    return luma >= 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

}  // namespace

VtPreviewControl::~VtPreviewControl() {
    keys_.Remove();
    FreeFace();
    // Cursors loaded from resources are shared and never destroyed.
}

ResultCode VtPreviewControl::Create(HWND parent, const RECT& rect, int id, IPreviewSource* source) {
    source_ = source;
    for (std::size_t i = 0; i < kCursorIds.size(); ++i) {
        cursors_[i] = LoadCursorW(ToolkitInstance(), MAKEINTRESOURCEW(kCursorIds[i]));
        if (cursors_[i] == nullptr) {
            cursors_ = {};
            return ResultCode::Failure();
        }
    }
    const ResultCode created = CreateControlWindow(ControlClassAtom(ControlClass::Preview), parent, rect, id, 0);
    if (created.IsFailure()) return created;
    keys_.Add();
    return ResultCode::Success();
}

SIZE VtPreviewControl::ViewSize() {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    return SIZE{std::max<LONG>(0, client.right - 2 * kEdge), std::max<LONG>(0, client.bottom - 2 * kEdge)};
}

void VtPreviewControl::FreeFace() {
    if (previousBitmap_ != nullptr) SelectObject(memoryDC_.Get(), previousBitmap_);
    previousBitmap_ = nullptr;
    memoryDC_.Reset();
    memoryBitmap_.Reset();
}

void VtPreviewControl::Invalidate() {
    FreeFace();
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void VtPreviewControl::DrawFace(HDC target) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    memoryDC_.Reset(CreateCompatibleDC(target));
    if (memoryDC_) {
        memoryBitmap_.Reset(
            CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
    }
    if (!memoryDC_ || !memoryBitmap_) {
        FreeFace();
        return;
    }
    HDC face = memoryDC_.Get();
    previousBitmap_ = SelectObject(face, memoryBitmap_.Get());
    FillRect(face, &client, GetSysColorBrush(COLOR_BTNFACE));
    const SIZE view = ViewSize();
    if (source_ != nullptr && view.cx == source_->ViewWidth() && view.cy == source_->ViewHeight()) {
        PixelCanvas canvas(face, view.cx, view.cy);
        if (canvas.Pixels() != nullptr) {
            source_->Compose(canvas.Pixels());
            canvas.CopyTo(face, kEdge, kEdge);
        }
    }
    DrawEdge(face, &client, EDGE_SUNKEN, BF_RECT);
}

LRESULT VtPreviewControl::OnPaint(const PAINTSTRUCT& paint) {
    if (!memoryDC_) DrawFace(paint.hdc);
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    if (memoryDC_) {
        BitBlt(paint.hdc, 0, 0, client.right, client.bottom, memoryDC_.Get(), 0, 0, SRCCOPY);
    } else {
        DrawEdge(paint.hdc, &client, EDGE_SUNKEN, BF_RECT);
    }
    if (dragMode_ == DragMode::ZoomRect) DrawZoomRect(paint.hdc);
    const bool otherDrag = dragMode_ != DragMode::None && dragMode_ != DragMode::Tool;
    if (source_ != nullptr && source_->Tool() == PreviewTool::Effect && !otherDrag && toolTarget_ != nullptr) {
        toolTarget_->DrawMarks(paint.hdc);
    }
    return 0;
}

void VtPreviewControl::DrawZoomRect(HDC dc) const {
    // Single pixels alternating white and black: visible on any picture.
    auto dot = [dc](int x, int y, int i) { SetPixel(dc, x, y, i % 2 == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0)); };
    const RECT& r = zoomRect_;
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top, x);
        dot(x, r.bottom - 1, x);
    }
    for (int y = r.top; y < r.bottom; ++y) {
        dot(r.left, y, y);
        dot(r.right - 1, y, y);
    }
}

bool VtPreviewControl::SpaceHeld() const { return spaceDown_ || Held(VK_SPACE); }

bool VtPreviewControl::PointerOver() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    return WindowFromPoint(cursor) == Hwnd();
}

HCURSOR VtPreviewControl::ChosenCursor() {
    const bool alt = Held(VK_MENU);
    const bool ctrl = Held(VK_CONTROL);
    const bool space = SpaceHeld();
    const PreviewTool tool = source_ != nullptr ? source_->Tool() : PreviewTool::Pan;
    int index = kNormal;
    if (tool == PreviewTool::Pan) {
        index = alt ? kZoomOut : (ctrl ? kZoomIn : kNormal);
    } else if (tool == PreviewTool::Zoom) {
        index = space ? kNormal : (alt ? kZoomOut : kZoomIn);
    } else if (toolTarget_ == nullptr) {
        index = kToolNothing;
    } else if (space) {
        index = alt ? kZoomOut : (ctrl ? kZoomIn : kNormal);
    } else {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(Hwnd(), &cursor);
        const int hit = toolTarget_->HitTest(POINT{cursor.x - kEdge, cursor.y - kEdge});
        index = hit == 1 ? kToolFirst : (hit == 2 ? kToolSecond : kToolNothing);
    }
    return cursors_[static_cast<std::size_t>(index)];
}

void VtPreviewControl::RefreshCursor() {
    if (PointerOver() || dragMode_ != DragMode::None) SetCursor(ChosenCursor());
}

void VtPreviewControl::KeyEvent() {
    const WPARAM key = KeyboardHook::keyCode;
    if (key != VK_SHIFT && key != VK_CONTROL && key != VK_MENU && key != VK_SPACE) return;
    if (key == VK_SPACE) spaceDown_ = !KeyboardHook::IsRelease();
    if (!PointerOver() && dragMode_ == DragMode::None) return;
    RefreshCursor();
    // Space belongs to the gesture; the modifiers go on to the dialog.
    if (key == VK_SPACE) KeyboardHook::consumed = true;
}

LRESULT VtPreviewControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SETCURSOR && LOWORD(lparam) == HTCLIENT && reinterpret_cast<HWND>(wparam) == Hwnd()) {
        SetCursor(ChosenCursor());
    }
    // Alt+Tab or a window coming up mid-gesture takes the mouse: without an
    // end the preview would stay held, panning or waiting for its render.
    if (message == WM_CAPTURECHANGED && dragMode_ != DragMode::None && reinterpret_cast<HWND>(lparam) != Hwnd()) {
        const DragMode mode = dragMode_;
        dragMode_ = DragMode::None;
        AbandonDrag(mode);
    }
    return -1;
}

void VtPreviewControl::AbandonDrag(DragMode mode) {
    if (source_ == nullptr) return;
    switch (mode) {
        case DragMode::Pan: source_->PanBy(lastPoint_.x - dragStart_.x, lastPoint_.y - dragStart_.y, true); break;
        case DragMode::Tool:
            if (toolTarget_ != nullptr) toolTarget_->DragEnd(POINT{lastPoint_.x - kEdge, lastPoint_.y - kEdge});
            break;
        default:
            // A zoom that was not released zooms nowhere.
            source_->HoldOriginal(false);
            Redraw();
            break;
    }
}

LRESULT VtPreviewControl::OnLButtonDown(WPARAM keys, int x, int y) {
    if (dragMode_ != DragMode::None || source_ == nullptr) return 0;
    source_->StopRender();
    const bool alt = Held(VK_MENU);
    const bool ctrl = (keys & MK_CONTROL) != 0 || Held(VK_CONTROL);
    const bool space = SpaceHeld();
    switch (source_->Tool()) {
        case PreviewTool::Pan: dragMode_ = alt ? DragMode::ZoomOut : (ctrl ? DragMode::ZoomRect : DragMode::Pan); break;
        case PreviewTool::Zoom:
            dragMode_ = alt ? DragMode::ZoomOut : (space ? DragMode::Pan : DragMode::ZoomRect);
            break;
        default:
            if (space) {
                dragMode_ = alt ? DragMode::ZoomOut : (ctrl ? DragMode::ZoomRect : DragMode::Pan);
            } else {
                dragMode_ = DragMode::Tool;
                if (toolTarget_ != nullptr) toolTarget_->DragStart(POINT{x - kEdge, y - kEdge});
            }
            break;
    }
    dragStart_ = POINT{x, y};
    lastPoint_ = dragStart_;
    zoomRect_ = RECT{x, y, x, y};
    if (dragMode_ == DragMode::Pan) {
        source_->BeginPan();
    } else if (dragMode_ != DragMode::Tool) {
        source_->HoldOriginal(true);
    }
    SetCapture(Hwnd());
    return 0;
}

LRESULT VtPreviewControl::OnMouseMove(WPARAM keys, int x, int y) {
    if (source_ == nullptr) return 0;
    if (dragMode_ != DragMode::None) lastPoint_ = POINT{x, y};
    switch (dragMode_) {
        case DragMode::ZoomRect: {
            RECT client{};
            ::GetClientRect(Hwnd(), &client);
            zoomRect_.left = std::clamp<LONG>(std::min<LONG>(dragStart_.x, x), 1, client.right - 1);
            zoomRect_.right = std::clamp<LONG>(std::max<LONG>(dragStart_.x, x), 1, client.right - 1);
            zoomRect_.top = std::clamp<LONG>(std::min<LONG>(dragStart_.y, y), 1, client.bottom - 1);
            zoomRect_.bottom = std::clamp<LONG>(std::max<LONG>(dragStart_.y, y), 1, client.bottom - 1);
            Redraw();
            break;
        }
        case DragMode::Pan: source_->PanBy(x - dragStart_.x, y - dragStart_.y, false); break;
        case DragMode::Tool:
            if (toolTarget_ != nullptr) {
                POINT point{x, y};
                if ((keys & MK_SHIFT) != 0) {
                    // Horizontal, vertical or diagonal through the start.
                    const int dx = x - dragStart_.x;
                    const int dy = y - dragStart_.y;
                    if (std::abs(dx) > 2 * std::abs(dy)) {
                        point.y = dragStart_.y;
                    } else if (std::abs(dy) > 2 * std::abs(dx)) {
                        point.x = dragStart_.x;
                    } else {
                        const int d = std::max(std::abs(dx), std::abs(dy));
                        point = POINT{dragStart_.x + (dx < 0 ? -d : d), dragStart_.y + (dy < 0 ? -d : d)};
                    }
                }
                toolTarget_->DragMove(POINT{point.x - 1, point.y - 1});
            }
            break;
        default: break;
    }
    return 0;
}

LRESULT VtPreviewControl::OnLButtonUp(WPARAM, int x, int y) {
    const DragMode mode = dragMode_;
    if (mode == DragMode::None) return 0;
    dragMode_ = DragMode::None;
    ReleaseCapture();
    EndDrag(mode, x, y);
    RefreshCursor();
    if (clickSink_ != nullptr) clickSink_->Notify();
    return 0;
}

void VtPreviewControl::EndDrag(DragMode mode, int x, int y) {
    if (source_ == nullptr) return;
    if (mode != DragMode::Pan && mode != DragMode::Tool) source_->HoldOriginal(false);
    switch (mode) {
        case DragMode::ZoomRect: {
            const RECT& r = zoomRect_;
            if (r.right - r.left >= kZoomRectMinimum || r.bottom - r.top >= kZoomRectMinimum) {
                source_->ZoomToRect(Rect(r.top - kEdge, r.left - kEdge, r.bottom - kEdge, r.right - kEdge));
            } else {
                source_->ZoomInAt(x - kEdge, y - kEdge);
            }
            Redraw();
            break;
        }
        case DragMode::ZoomOut: source_->ZoomOutAt(x - kEdge, y - kEdge); break;
        case DragMode::Pan: source_->PanBy(x - dragStart_.x, y - dragStart_.y, true); break;
        case DragMode::Tool:
            if (toolTarget_ != nullptr) toolTarget_->DragEnd(POINT{x - kEdge, y - kEdge});
            break;
        default: break;
    }
}

void VtPreviewControl::DrawMarkerPixels(POINT point, bool everyOther) {
    WindowDC dc(Hwnd());
    if (dc.Get() == nullptr) return;
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    InflateRect(&client, -1, -1);
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (everyOther && (dx + dy) % 2 != 0) continue;
            const int x = point.x + kEdge + dx;
            const int y = point.y + kEdge + dy;
            if (x < client.left || x >= client.right || y < client.top || y >= client.bottom) continue;
            SetPixel(dc.Get(), x, y, Contrasting(GetPixel(dc.Get(), x, y)));
        }
    }
}

void VtPreviewControl::DrawMarker(POINT point) { DrawMarkerPixels(point, false); }

void VtPreviewControl::DrawSecondMarker(POINT point) { DrawMarkerPixels(point, true); }
