#include "controls/VtDirectionControl.h"

#include <algorithm>
#include <cmath>

#include "controls/Angles.h"
#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/GdiHandles.h"
#include "controls/NumberText.h"

namespace {

constexpr int kGap = 8;

}  // namespace

DirectionLayout DirectionLayout::For(int width, int height, int textHeight, const ParameterGrid& grid) {
    DirectionLayout layout{};
    // The field fills the value column and the spinner's place, the degree
    // sign stands in the unit column: level with the sliders' fields.
    const int editTop = (height - ParameterGrid::kFieldHeight) / 2;
    layout.edit = RECT{grid.ValueLeft(width), editTop, grid.ValueRight(width), editTop + ParameterGrid::kFieldHeight};
    layout.unit = RECT{grid.UnitLeft(width), editTop + ParameterGrid::kTextTop, grid.Right(width),
                       editTop + ParameterGrid::kFieldHeight};
    // An odd size puts the centre on a pixel.
    const int dial = height % 2 == 1 ? height : height - 1;
    layout.dial = RECT{layout.edit.left - kGap - dial, 0, layout.edit.left - kGap, dial};
    const int textTop = editTop + ParameterGrid::kTextTop;
    layout.label = RECT{0, textTop, std::max<LONG>(0, layout.dial.left - kGap), textTop + textHeight};
    return layout;
}

double VtDirectionControl::AngleAt(const RECT& dial, int x, int y, bool snap) {
    const double dx = x - (dial.left + dial.right - 1) / 2.0;
    const double dy = (dial.top + dial.bottom - 1) / 2.0 - y;
    if (dx == 0.0 && dy == 0.0) return 0.0;
    return AngleOf(dx, dy, snap ? 15.0 : 1.0);
}

ResultCode VtDirectionControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::Direction), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    ClipChildren();
    layout_ = DirectionLayout::For(Width(rect), Height(rect), TextLineHeight(Hwnd(), font, 13),
                                   ParameterGrid::For(Hwnd(), font));
    HWND edit = CreateChildWindow(L"EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                                  layout_.edit, Hwnd(), kEditId, font);
    if (edit != nullptr) {
        label_ = CreateChildWindow(L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_ENDELLIPSIS, 0,
                                   layout_.label, Hwnd(), kLabelId, font);
    }
    if (label_ != nullptr) {
        unit_ = CreateChildWindow(L"STATIC", "\xC2\xB0", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, layout_.unit, Hwnd(),
                                  kUnitId, font);
    }
    if (unit_ == nullptr) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    field_.Attach(edit);
    field_.Show(value_);
    return created;
}

void VtDirectionControl::Release(ResultCode& out) {
    field_.Detach();
    out = ResultCode::Success();
}

bool VtDirectionControl::Change(double degrees) {
    const double wrapped = WrappedDegrees(degrees);
    field_.Show(wrapped);
    if (wrapped == value_) return false;
    value_ = wrapped;
    InvalidateRect(Hwnd(), &layout_.dial, FALSE);
    return true;
}

void VtDirectionControl::SetValue(double degrees) { Change(degrees); }

void VtDirectionControl::Commit(double degrees) {
    if (Change(degrees) && changeSink_ != nullptr) changeSink_->Notify();
}

std::string VtDirectionControl::FormatNumber(double value) const {
    // Whole degrees as such; a fraction with one decimal.
    const double tenths = std::floor(value * 10.0 + 0.5) / 10.0;
    if (tenths == std::floor(tenths)) return FormatWhole(tenths);
    std::string text = FormatHundredths(tenths);
    text.pop_back();
    return text;
}

double VtDirectionControl::ParseNumber(const std::string& text) const { return ParseLeadingDecimal(text); }

void VtDirectionControl::TurnTo(WPARAM keys, int x, int y) {
    Change(AngleAt(layout_.dial, x, y, (keys & MK_SHIFT) != 0));
}

LRESULT VtDirectionControl::OnLButtonDown(WPARAM keys, int x, int y) {
    if (!Contains(layout_.dial, x, y)) return 0;
    turning_ = true;
    valueAtPress_ = value_;
    SetCapture(Hwnd());
    TurnTo(keys, x, y);
    return 0;
}

LRESULT VtDirectionControl::OnMouseMove(WPARAM keys, int x, int y) {
    if (turning_) TurnTo(keys, x, y);
    return 0;
}

LRESULT VtDirectionControl::OnLButtonUp(WPARAM, int, int) {
    if (!turning_) return 0;
    turning_ = false;
    ReleaseCapture();
    // One change for the whole turn, and none for a turn back to the start.
    if (value_ != valueAtPress_ && changeSink_ != nullptr) changeSink_->Notify();
    return 0;
}

LRESULT VtDirectionControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CAPTURECHANGED && turning_ && reinterpret_cast<HWND>(lparam) != Hwnd()) {
        turning_ = false;
        if (value_ != valueAtPress_ && changeSink_ != nullptr) changeSink_->Notify();
    }
    return VtControl::OnMessage(message, wparam, lparam);
}

LRESULT VtDirectionControl::OnCommand(UINT notifyCode, UINT id, HWND) {
    if (id == kEditId && notifyCode == EN_KILLFOCUS) field_.Left();
    return 0;
}

void VtDirectionControl::Enable(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    for (HWND child : {field_.Hwnd(), label_, unit_}) EnableWindow(child, on);
    VtControl::Enable(enable);
    InvalidateRect(Hwnd(), &layout_.dial, FALSE);
}

int VtDirectionControl::SetFocus() {
    ::SetFocus(field_.Hwnd());
    return 1;
}

void VtDirectionControl::DrawDial(HDC dc, bool enabled) const {
    const RECT face = layout_.dial;
    const double cx = (face.left + face.right - 1) / 2.0;
    const double cy = (face.top + face.bottom - 1) / 2.0;
    const double radius = (face.right - face.left - 1) / 2.0;
    auto at = [&](double degrees, double distance) {
        const double a = Radians(degrees);
        return POINT{static_cast<int>(std::lround(cx + std::cos(a) * distance)),
                     static_cast<int>(std::lround(cy - std::sin(a) * distance))};
    };
    // A sunken disc: a shadow ring, darker on the upper left half.
    Pen ring(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW)));
    Pen deep(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW)));
    Brush disc(CreateSolidBrush(GetSysColor(enabled ? COLOR_WINDOW : COLOR_3DFACE)));
    {
        SelectedObject pen(dc, ring.Get());
        SelectedObject brush(dc, disc.Get());
        Ellipse(dc, face.left, face.top, face.right, face.bottom);
    }
    {
        SelectedObject pen(dc, deep.Get());
        const POINT from = at(45, radius);
        const POINT to = at(225, radius);
        Arc(dc, face.left + 1, face.top + 1, face.right - 1, face.bottom - 1, from.x, from.y, to.x, to.y);
        // Ticks at the four quarters.
        SelectedObject tickPen(dc, ring.Get());
        for (int degrees = 0; degrees < 360; degrees += 90) {
            const POINT inner = at(degrees, radius - 4);
            const POINT outer = at(degrees, radius - 1);
            MoveToEx(dc, inner.x, inner.y, nullptr);
            LineTo(dc, outer.x, outer.y);
        }
    }
    // The hand, from the hub to near the rim.
    const COLORREF handColour = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    Pen hand(CreatePen(PS_SOLID, 2, handColour));
    Brush hub(CreateSolidBrush(handColour));
    SelectedObject handPen(dc, hand.Get());
    SelectedObject hubBrush(dc, hub.Get());
    const POINT centre = at(0, 0);
    const POINT tip = at(value_, radius - 4);
    MoveToEx(dc, centre.x, centre.y, nullptr);
    LineTo(dc, tip.x, tip.y);
    Pen hubOutline(CreatePen(PS_SOLID, 1, handColour));
    SelectedObject hubPen(dc, hubOutline.Get());
    Ellipse(dc, centre.x - 2, centre.y - 2, centre.x + 3, centre.y + 3);
}

LRESULT VtDirectionControl::OnPaint(const PAINTSTRUCT& paint) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    // A group's frame may run in the last pixels: they are left to it.
    client.right = std::max<LONG>(0, client.right - ParameterGrid::kFrameLine);
    OffscreenCanvas canvas(paint.hdc, client.right, client.bottom);
    FillRect(canvas.Dc(), &client, GetSysColorBrush(COLOR_3DFACE));
    DrawDial(canvas.Dc(), IsWindowEnabled(Hwnd()) != FALSE);
    canvas.CopyTo(0, 0);
    return 0;
}
