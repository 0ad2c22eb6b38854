#include "controls/VtColorGradientControl.h"

#include <algorithm>
#include <cmath>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/GdiHandles.h"
#include "controls/KeyboardSinks.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr int kCheckerSize = 4;
constexpr std::size_t kMinimumStops = 2;

// The colour over a checkerboard of light and mid grey, by its alpha.
COLORREF OverChecker(const GradientColour& colour, int x, int y) {
    const double ground = ((x / kCheckerSize + y / kCheckerSize) % 2 == 0) ? 255.0 : 204.0;
    const double a = colour.a / 255.0;
    auto mix = [&](double c) { return static_cast<BYTE>(std::clamp(c * a + ground * (1.0 - a) + 0.5, 0.0, 255.0)); };
    return RGB(mix(colour.r), mix(colour.g), mix(colour.b));
}

}  // namespace

GradientLayout GradientLayout::For(int width, int textHeight) {
    GradientLayout layout{};
    layout.label = RECT{0, 0, width, textHeight};
    const int barTop = textHeight + 3;
    layout.bar = RECT{kMarkerHalfWidth, barTop, width - kMarkerHalfWidth, barTop + kBarHeight};
    layout.markers = RECT{0, layout.bar.bottom, width, layout.bar.bottom + kMarkerHeight};
    const int libraryTop = layout.markers.bottom + 6;
    layout.library = RECT{0, libraryTop, width, libraryTop + LibraryRow::kHeight};
    layout.height = layout.library.bottom;
    return layout;
}

ResultCode VtColorGradientControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                                          IColourSource* colours, IGradientLibrary* library, IUserPrompts* prompts) {
    colours_ = colours;
    entries_.SetLibrary(library);
    layout_ = GradientLayout::For(Width(rect), TextLineHeight(parent, font, 13));
    return CreateEditor(ControlClassAtom(ControlClass::ColourGradient), parent, rect, id, font, label, layout_.label,
                        layout_.library, kLibraryTexts, &entries_, prompts);
}

void VtColorGradientControl::SetStops(const GradientStops& stops) {
    stops_.clear();
    for (const GradientStop& stop : stops) {
        if (stops_.size() == kMaxGradientStops) break;
        InsertStop(stops_, stop);
    }
    selected_ = stops_.empty() ? -1 : std::min(std::max(selected_, 0), static_cast<int>(stops_.size()) - 1);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

int VtColorGradientControl::XOf(double location) const {
    const int span = layout_.bar.right - layout_.bar.left - 1;
    return layout_.bar.left + static_cast<int>(std::lround(std::clamp(location, 0.0, 1.0) * span));
}

double VtColorGradientControl::LocationAt(int x) const {
    const int span = layout_.bar.right - layout_.bar.left - 1;
    if (span <= 0) return 0.0;
    // Whole hundredths: what the stored form keeps to three decimals shows
    // the same after a round trip.
    const double location = std::clamp(static_cast<double>(x - layout_.bar.left) / span, 0.0, 1.0);
    return std::floor(location * 1000.0 + 0.5) / 1000.0;
}

int VtColorGradientControl::MarkerAt(int x, int y) const {
    if (!Contains(layout_.markers, x, y)) return -1;
    // The selected marker first: it is drawn on top.
    if (selected_ >= 0 &&
        std::abs(x - XOf(stops_[static_cast<std::size_t>(selected_)].location)) <= GradientLayout::kMarkerHalfWidth)
        return selected_;
    for (std::size_t i = 0; i < stops_.size(); ++i)
        if (std::abs(x - XOf(stops_[i].location)) <= GradientLayout::kMarkerHalfWidth) return static_cast<int>(i);
    return -1;
}

bool VtColorGradientControl::Removing(int y) const {
    return stops_.size() > kMinimumStops && y > layout_.markers.bottom + kRemoveDistance;
}

LRESULT VtColorGradientControl::OnLButtonDown(WPARAM, int x, int y) {
    if (!Contains(layout_.markers, x, y)) return 0;
    stopsAtPress_ = stops_;
    int marker = MarkerAt(x, y);
    if (marker < 0) {
        if (stops_.size() >= kMaxGradientStops) return 0;
        marker = static_cast<int>(InsertStop(stops_, StopAt(stops_, LocationAt(x))));
    }
    selected_ = marker;
    removing_ = false;
    BeginDrag();
    InvalidateRect(Hwnd(), nullptr, FALSE);
    return 0;
}

void VtColorGradientControl::MoveSelected(int x) {
    // Moved as a whole stop: taken out and put back at its new place.
    GradientStop stop = stops_[static_cast<std::size_t>(selected_)];
    stops_.erase(stops_.begin() + selected_);
    stop.location = LocationAt(x);
    selected_ = static_cast<int>(InsertStop(stops_, stop));
}

LRESULT VtColorGradientControl::OnMouseMove(WPARAM, int x, int y) {
    if (!Dragging() || selected_ < 0) return 0;
    removing_ = Removing(y);
    MoveSelected(x);
    InvalidateRect(Hwnd(), nullptr, FALSE);
    return 0;
}

void VtColorGradientControl::DragEnded(bool released, int x, int y) {
    removing_ = released && Removing(y);
    if (released && !removing_ && selected_ >= 0) MoveSelected(x);
    if (removing_ && selected_ >= 0) {
        stops_.erase(stops_.begin() + selected_);
        selected_ = -1;
    }
    removing_ = false;
    const bool changed =
        stops_.size() != stopsAtPress_.size() ||
        !std::equal(stops_.begin(), stops_.end(), stopsAtPress_.begin(),
                    [](const GradientStop& a, const GradientStop& b) {
                        return a.location == b.location && a.components == b.components && a.mode == b.mode;
                    });
    if (changed) {
        Notify();
    } else {
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

LRESULT VtColorGradientControl::OnLButtonDblClk(WPARAM, int x, int y) {
    const int marker = MarkerAt(x, y);
    if (marker < 0 || colours_ == nullptr) return 0;
    GradientStop& stop = stops_[static_cast<std::size_t>(marker)];
    ColorSpec colour = StopColourSpec(stop);
    ResultCode picked;
    {
        SuspendedKeyboardHook suspended;
        picked = colours_->PickColour(colour);
    }
    if (!picked.IsSuccess()) return 0;
    SetStopColour(stop, colour);
    selected_ = marker;
    Notify();
    return 0;
}

bool VtColorGradientControl::BodyHelp(POINT point, std::string& text) {
    if (Contains(layout_.bar, point.x, point.y))
        text = LoadResourceString(kBarHelpId);
    else if (Contains(layout_.markers, point.x, point.y))
        text = LoadResourceString(kMarkersHelpId);
    else
        return false;
    return true;
}

void VtColorGradientControl::DrawBar(HDC dc, bool enabled) const {
    RECT frame = layout_.bar;
    const int width = Width(frame) - 2;
    const int height = Height(frame) - 2;
    PixelCanvas bar(dc, width, height);
    if (bar.Pixels() != nullptr) {
        const COLORREF face = GetSysColor(COLOR_3DFACE);
        for (int x = 0; x < width; ++x) {
            GradientColour colour = ColourAt(stops_, LocationAt(frame.left + 1 + x));
            if (!enabled) {
                // Grey and faded toward the face, as the other disabled pictures.
                const double grey = 0.299 * colour.r + 0.587 * colour.g + 0.114 * colour.b;
                auto fade = [grey](int ground) { return ground + (grey - ground) * 0.35; };
                colour = GradientColour{fade(GetRValue(face)), fade(GetGValue(face)), fade(GetBValue(face)), 255.0};
            }
            for (int y = 0; y < height; ++y) {
                const COLORREF shown = OverChecker(colour, x, y);
                bar.Set(x, y, PixelCanvas::Rgb(GetRValue(shown), GetGValue(shown), GetBValue(shown)));
            }
        }
        bar.CopyTo(dc, frame.left + 1, frame.top + 1);
    }
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_3DSHADOW));
}

void VtColorGradientControl::DrawMarker(HDC dc, const GradientStop& stop, bool selected, bool enabled) const {
    const int x = XOf(stop.location);
    const int top = layout_.markers.top;
    const int h = GradientLayout::kMarkerHalfWidth;
    // A little house pointing up at the bar: its roof, then its body in the
    // stop's colour.
    const POINT outline[5] = {{x, top}, {x + h, top + 5}, {x + h, top + 11}, {x - h, top + 11}, {x - h, top + 5}};
    const COLORREF edge = !enabled ? GetSysColor(COLOR_3DSHADOW) : selected ? RGB(0, 0, 0) : RGB(96, 96, 96);
    Pen pen(CreatePen(PS_SOLID, 1, edge));
    Brush roof(CreateSolidBrush(selected && enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_3DFACE)));
    SelectedObject selectedPen(dc, pen.Get());
    {
        SelectedObject brush(dc, roof.Get());
        Polygon(dc, outline, 5);
    }
    const GradientColour colour = StopColour(stop);
    RECT body{x - h + 2, top + 6, x + h - 1, top + 10};
    Brush fill(CreateSolidBrush(enabled ? OverChecker(colour, 0, 0) : GetSysColor(COLOR_3DFACE)));
    FillRect(dc, &body, fill.Get());
}

LRESULT VtColorGradientControl::OnPaint(const PAINTSTRUCT& paint) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    OffscreenCanvas canvas(paint.hdc, client.right, client.bottom);
    HDC dc = canvas.Dc();
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    DrawBar(dc, Enabled());
    for (std::size_t i = 0; i < stops_.size(); ++i) {
        if (static_cast<int>(i) == selected_) continue;
        DrawMarker(dc, stops_[i], false, Enabled());
    }
    // The selected marker on top; hidden while it is being dragged away.
    if (selected_ >= 0 && !removing_) DrawMarker(dc, stops_[static_cast<std::size_t>(selected_)], true, Enabled());
    canvas.CopyTo(0, 0);
    return 0;
}
