#include "controls/VtImageButtonControl.h"

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/FadedImage.h"
#include "platform/TextEncoding.h"

namespace {

constexpr int kCaptionGap = 2;

// The dither of a latched button: face and highlight pixels alternating.
Brush LatchedBrush() {
    const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    Bitmap bits(CreateBitmap(8, 8, 1, 1, pattern));
    return Brush(bits ? CreatePatternBrush(bits.Get()) : nullptr);
}

}  // namespace

ResultCode VtImageButtonControl::Create(HWND parent, const RECT& rect, int id, HFONT font) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::ImageButton), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    font_ = font;
    button_ = CreateChildWindow(L"BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0,
                                RECT{0, 0, Width(rect), Height(rect)}, Hwnd(), kButtonId, font);
    if (button_ == nullptr) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    return created;
}

void VtImageButtonControl::SetImage(HBITMAP image) {
    image_.Reset(image);
    InvalidateRect(button_, nullptr, FALSE);
}

void VtImageButtonControl::SetCaption(const std::string& text) {
    caption_ = text;
    // The window text too: it names the button for accessibility tools.
    SetWindowTextUtf8(button_, text);
    InvalidateRect(button_, nullptr, FALSE);
}

void VtImageButtonControl::SetLatched(bool latched) {
    if (latched == latched_) return;
    latched_ = latched;
    InvalidateRect(button_, nullptr, FALSE);
}

void VtImageButtonControl::Enable(bool enable) { EnableWindow(button_, enable ? TRUE : FALSE); }

int VtImageButtonControl::SetFocus() {
    ::SetFocus(button_);
    return 1;
}

LRESULT VtImageButtonControl::OnCommand(UINT notifyCode, UINT id, HWND) {
    if (id == kButtonId && notifyCode == BN_CLICKED && clickSink_ != nullptr) clickSink_->Notify();
    return 0;
}

void VtImageButtonControl::DrawFace(HDC dc, RECT face, bool pressed, bool enabled) const {
    const bool in = pressed || latched_;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (in ? DFCS_PUSHED : 0));
    if (latched_ && !pressed) {
        RECT inside = face;
        InflateRect(&inside, -2, -2);
        Brush dither = LatchedBrush();
        const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_3DFACE));
        const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_3DHILIGHT));
        if (dither) FillRect(dc, &inside, dither.Get());
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    }
    const int shift = in ? 1 : 0;
    BITMAP picture{};
    if (image_) GetObjectW(image_.Get(), sizeof picture, &picture);
    SIZE caption{};
    const std::wstring wide = WideFromUtf8(caption_);
    SelectedObject font(dc, font_);
    if (!wide.empty()) GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &caption);
    const int contentHeight = picture.bmHeight + (wide.empty() ? 0 : kCaptionGap + caption.cy);
    int y = face.top + (Height(face) - contentHeight) / 2 + shift;
    if (image_) {
        const int x = face.left + (Width(face) - picture.bmWidth) / 2 + shift;
        if (enabled) {
            DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image_.Get()), 0, x, y, picture.bmWidth,
                       picture.bmHeight, DST_BITMAP);
        } else {
            DrawFadedBitmap(dc, image_.Get(), x, y);
        }
        y += picture.bmHeight + kCaptionGap;
    }
    if (!wide.empty()) {
        const int x = face.left + (Width(face) - caption.cx) / 2 + shift;
        SetBkMode(dc, TRANSPARENT);
        if (!enabled) {
            // The embossed grey of disabled button text.
            SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
            TextOutW(dc, x + 1, y + 1, wide.c_str(), static_cast<int>(wide.size()));
        }
        SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_3DSHADOW));
        TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    }
}

LRESULT VtImageButtonControl::OnDrawItem(UINT controlId, DRAWITEMSTRUCT* item) {
    if (controlId != kButtonId || item == nullptr) return 0;
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    const bool enabled = (item->itemState & ODS_DISABLED) == 0;
    OffscreenCanvas canvas(item->hDC, Width(item->rcItem), Height(item->rcItem));
    RECT face{0, 0, Width(item->rcItem), Height(item->rcItem)};
    DrawFace(canvas.Dc(), face, pressed, enabled);
    if ((item->itemState & ODS_FOCUS) != 0) {
        InflateRect(&face, -4, -4);
        DrawFocusRect(canvas.Dc(), &face);
    }
    canvas.CopyTo(item->rcItem.left, item->rcItem.top);
    return TRUE;
}
