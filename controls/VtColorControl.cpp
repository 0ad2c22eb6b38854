#include "controls/VtColorControl.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/FadedImage.h"
#include "controls/GdiHandles.h"
#include "controls/KeyboardSinks.h"
#include "controls/ToolkitInstance.h"
#include "filters/ColourConversion.h"

namespace {

constexpr int kGap = 6;
constexpr int kIconSize = 16;

COLORREF ToColorRef(const ColorSpec& colour) {
    const auto rgb = ColourToRGB(colour);
    return RGB(rgb[0], rgb[1], rgb[2]);
}

void FrameWith(HDC dc, RECT box, COLORREF colour) {
    Brush brush(CreateSolidBrush(colour));
    FrameRect(dc, &box, brush.Get());
}

}  // namespace

ColourLayout ColourLayout::For(int width, int height, int textHeight, const ParameterGrid& grid) {
    ColourLayout layout{};
    const int right = grid.Right(width);
    layout.eyedropper = RECT{right - height, 0, right, height};
    // The chips overlap like the host's own: foreground at the top left,
    // background behind it at the bottom right.
    const int chip = std::max(6, height * 2 / 3);
    const int chipsLeft = layout.eyedropper.left - kGap - height;
    layout.foreground = RECT{chipsLeft, 0, chipsLeft + chip, chip};
    layout.background = RECT{chipsLeft + height - chip, height - chip, chipsLeft + height, height};
    const int swatchRight = chipsLeft - kGap;
    const int swatchLeft = std::max(0, std::min(grid.ValueLeft(width), swatchRight - height));
    layout.swatch = RECT{swatchLeft, 0, swatchRight, height};
    const int textTop = std::max(0, (height - textHeight) / 2);
    // Too narrow a label would show as a stray dot: none then.
    constexpr int kNarrowestLabel = 16;
    const LONG labelRight = layout.swatch.left - kGap >= kNarrowestLabel ? layout.swatch.left - kGap : 0;
    layout.label = RECT{0, textTop, labelRight, textTop + textHeight};
    return layout;
}

ResultCode VtColorControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                                  IColourSource* source) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::Colour), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    ClipChildren();
    source_ = source;
    font_ = font;
    const int textHeight = TextLineHeight(Hwnd(), font, 13);
    layout_ = ColourLayout::For(Width(rect), Height(rect), textHeight, ParameterGrid::For(Hwnd(), font));
    label_ = CreateChildWindow(L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_ENDELLIPSIS, 0, layout_.label,
                               Hwnd(), kLabelId, font);
    if (label_ == nullptr) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    // Without the module's cursor and icon (a bare test program) the system
    // cross and a plain button do.
    eyedropperCursor_ = static_cast<HCURSOR>(
        LoadImageW(ToolkitInstance(), MAKEINTRESOURCEW(kEyedropperCursorId), IMAGE_CURSOR, 0, 0, LR_SHARED));
    if (eyedropperCursor_ == nullptr) eyedropperCursor_ = LoadCursorW(nullptr, IDC_CROSS);
    eyedropperIcon_.Reset(static_cast<HICON>(
        LoadImageW(ToolkitInstance(), MAKEINTRESOURCEW(kEyedropperIconId), IMAGE_ICON, kIconSize, kIconSize, 0)));
    keys_.Add();
    return created;
}

void VtColorControl::KeyEvent() {
    // Escape leaves the eyedropper without a colour, and goes no further:
    // the dialog would take it for Cancel.
    if (KeyboardHook::keyCode != VK_ESCAPE) return;
    if (state_ != State::Eyedropping && state_ != State::EyedropperDown) return;
    if (!KeyboardHook::IsRelease()) EndGesture();
    KeyboardHook::consumed = true;
}

int VtColorControl::PreferredHeight() {
    // Tall enough for a swatch the mouse finds easily, as tall as a button.
    const int text = TextLineHeight(Hwnd(), font_, 3);
    return std::max(text + 2, 22);
}

void VtColorControl::SetColour(const ColorSpec& colour) {
    colour_ = colour;
    InvalidateRect(Hwnd(), &layout_.swatch, FALSE);
}

void VtColorControl::Enable(bool enable) {
    EnableWindow(label_, enable ? TRUE : FALSE);
    VtControl::Enable(enable);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void VtColorControl::Notify() {
    if (changeSink_ != nullptr) changeSink_->Notify();
}

ColorSpec VtColorControl::ScreenColourAt(int x, int y) {
    POINT point{x, y};
    ClientToScreen(Hwnd(), &point);
    WindowDC screen(nullptr);
    const COLORREF pixel = screen.Get() != nullptr ? GetPixel(screen.Get(), point.x, point.y) : CLR_INVALID;
    if (pixel == CLR_INVALID) return previewColour_;
    return source_ != nullptr ? source_->FromScreen(pixel)
                              : RgbSpec(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel));
}

void VtColorControl::EndGesture() {
    const bool wasEyedropping = state_ == State::Eyedropping || state_ == State::EyedropperDown;
    state_ = State::Idle;
    if (GetCapture() == Hwnd()) ReleaseCapture();
    if (wasEyedropping) InvalidateRect(Hwnd(), nullptr, FALSE);
}

LRESULT VtColorControl::OnLButtonDown(WPARAM, int x, int y) {
    if (state_ == State::Idle) {
        if (Contains(layout_.swatch, x, y) || Contains(layout_.foreground, x, y) ||
            Contains(layout_.background, x, y)) {
            state_ = State::BoxPressed;
        } else if (Contains(layout_.eyedropper, x, y)) {
            state_ = State::EyedropperPressed;
            InvalidateRect(Hwnd(), &layout_.eyedropper, FALSE);
        } else {
            return 0;
        }
        SetCapture(Hwnd());
    } else if (state_ == State::Eyedropping) {
        state_ = State::EyedropperDown;
    }
    return 0;
}

void VtColorControl::BoxReleased(int x, int y) {
    if (Contains(layout_.foreground, x, y) || Contains(layout_.background, x, y)) {
        // The foreground chip lies on top where the two overlap.
        const bool foreground = Contains(layout_.foreground, x, y);
        if (source_ == nullptr) return;
        SetColour(foreground ? source_->Foreground() : source_->Background());
        Notify();
    } else if (Contains(layout_.swatch, x, y) && source_ != nullptr) {
        ColorSpec picked = colour_;
        // The host's picker is a modal window of its own: its keys are its own.
        ResultCode result;
        {
            SuspendedKeyboardHook suspended;
            result = source_->PickColour(picked);
        }
        if (!result.IsSuccess()) return;
        SetColour(picked);
        Notify();
    }
}

LRESULT VtColorControl::OnLButtonUp(WPARAM, int x, int y) {
    switch (state_) {
        case State::BoxPressed:
            EndGesture();
            BoxReleased(x, y);
            break;
        case State::EyedropperPressed:
            if (Contains(layout_.eyedropper, x, y)) {
                state_ = State::Eyedropping;
                previewColour_ = colour_;
                SetCursor(eyedropperCursor_);
            } else {
                EndGesture();
            }
            InvalidateRect(Hwnd(), &layout_.eyedropper, FALSE);
            break;
        case State::EyedropperDown: {
            const ColorSpec picked = ScreenColourAt(x, y);
            EndGesture();
            SetColour(picked);
            Notify();
            break;
        }
        default: break;
    }
    return 0;
}

LRESULT VtColorControl::OnMouseMove(WPARAM, int x, int y) {
    if (state_ != State::Eyedropping && state_ != State::EyedropperDown) return 0;
    SetCursor(eyedropperCursor_);
    previewColour_ = ScreenColourAt(x, y);
    InvalidateRect(Hwnd(), &layout_.swatch, FALSE);
    return 0;
}

LRESULT VtColorControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    // Losing the mouse to another window ends any gesture: no colour is
    // taken, and the eyedropper stops.
    if (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lparam) != Hwnd() && state_ != State::Idle) {
        state_ = State::Idle;
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
    return VtControl::OnMessage(message, wparam, lparam);
}

void VtColorControl::PaintBox(HDC dc, const RECT& box, const ColorSpec& colour, bool enabled) const {
    if (!enabled) {
        FillRect(dc, &box, GetSysColorBrush(COLOR_3DFACE));
        FrameWith(dc, box, GetSysColor(COLOR_3DSHADOW));
        return;
    }
    RECT inner = box;
    FrameWith(dc, inner, RGB(0, 0, 0));
    InflateRect(&inner, -1, -1);
    FrameWith(dc, inner, RGB(255, 255, 255));
    InflateRect(&inner, -1, -1);
    Brush fill(CreateSolidBrush(ToColorRef(colour)));
    FillRect(dc, &inner, fill.Get());
}

void VtColorControl::PaintEyedropper(HDC dc, bool enabled) const {
    RECT button = layout_.eyedropper;
    const bool down = state_ != State::Idle && state_ != State::BoxPressed;
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    if (!eyedropperIcon_) return;
    const int shift = down ? 1 : 0;
    const int x = button.left + (Width(button) - kIconSize) / 2 + shift;
    const int y = button.top + (Height(button) - kIconSize) / 2 + shift;
    if (enabled) {
        DrawIconEx(dc, x, y, eyedropperIcon_.Get(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    } else {
        DrawFadedIcon(dc, eyedropperIcon_.Get(), x, y, kIconSize);
    }
}

LRESULT VtColorControl::OnPaint(const PAINTSTRUCT& paint) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    // A group's frame may run in the last pixels: they are left to it.
    client.right = std::max<LONG>(0, client.right - ParameterGrid::kFrameLine);
    OffscreenCanvas canvas(paint.hdc, client.right, client.bottom);
    HDC dc = canvas.Dc();
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    const bool enabled = IsWindowEnabled(Hwnd()) != FALSE;
    const bool eyedropping = state_ == State::Eyedropping || state_ == State::EyedropperDown;
    // The background chip first: the foreground chip lies on top of it.
    if (source_ != nullptr) {
        PaintBox(dc, layout_.background, source_->Background(), enabled);
        PaintBox(dc, layout_.foreground, source_->Foreground(), enabled);
    }
    PaintBox(dc, layout_.swatch, eyedropping ? previewColour_ : colour_, enabled);
    PaintEyedropper(dc, enabled);
    canvas.CopyTo(0, 0);
    return 0;
}
