#include "controls/VtBevelEditControl.h"

#include <algorithm>
#include <cmath>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/GdiHandles.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr std::size_t kMinimumPoints = 2;
constexpr int kInset = 6;
// Points keep this far from their neighbours, so x stays a key.
constexpr double kSeparation = 0.001;

double Thousandths(double value) { return std::floor(std::clamp(value, 0.0, 1.0) * 1000.0 + 0.5) / 1000.0; }

bool SamePoints(const BevelPoints& a, const BevelPoints& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const BevelPoint& p, const BevelPoint& q) {
        return p.x == q.x && p.y == q.y && p.pointy == q.pointy;
    });
}

}  // namespace

BevelEditLayout BevelEditLayout::For(int width, int textHeight) {
    BevelEditLayout layout{};
    layout.label = RECT{0, 0, width, textHeight};
    const int top = textHeight + 3;
    layout.graph = RECT{0, top, width, top + kGraphHeight};
    layout.plot = RECT{kInset, top + kInset, width - kInset, top + kGraphHeight - kInset};
    const int libraryTop = layout.graph.bottom + 6;
    layout.library = RECT{0, libraryTop, width, libraryTop + LibraryRow::kHeight};
    layout.height = layout.library.bottom;
    return layout;
}

ResultCode VtBevelEditControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                                      IBevelLibrary* library, IUserPrompts* prompts) {
    entries_.SetLibrary(library);
    layout_ = BevelEditLayout::For(Width(rect), TextLineHeight(parent, font, 13));
    return CreateEditor(ControlClassAtom(ControlClass::BevelEdit), parent, rect, id, font, label, layout_.label,
                        layout_.library, kLibraryTexts, &entries_, prompts);
}

void VtBevelEditControl::SetPoints(const BevelPoints& points) {
    points_.clear();
    for (const BevelPoint& point : points) {
        if (points_.size() == kMaxBevelPoints) break;
        const auto at = std::upper_bound(points_.begin(), points_.end(), point.x,
                                         [](double x, const BevelPoint& p) { return x < p.x; });
        points_.insert(at, point);
    }
    selected_ = -1;
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

POINT VtBevelEditControl::PointAt(const BevelPoint& point) const {
    const RECT& p = layout_.plot;
    return POINT{p.left + static_cast<int>(std::lround(point.x * (Width(p) - 1))),
                 p.bottom - 1 - static_cast<int>(std::lround(point.y * (Height(p) - 1)))};
}

BevelPoint VtBevelEditControl::ProfilePointAt(int x, int y) const {
    const RECT& p = layout_.plot;
    BevelPoint point;
    point.x = Thousandths(static_cast<double>(x - p.left) / std::max(1, Width(p) - 1));
    point.y = Thousandths(static_cast<double>(p.bottom - 1 - y) / std::max(1, Height(p) - 1));
    return point;
}

int VtBevelEditControl::HandleAt(int x, int y) const {
    const int reach = BevelEditLayout::kHandleHalf + 2;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const POINT at = PointAt(points_[i]);
        if (std::abs(x - at.x) <= reach && std::abs(y - at.y) <= reach) return static_cast<int>(i);
    }
    return -1;
}

bool VtBevelEditControl::Removing(int x, int y) const {
    if (points_.size() <= kMinimumPoints) return false;
    const RECT& g = layout_.graph;
    return x < g.left - kRemoveDistance || x >= g.right + kRemoveDistance || y < g.top - kRemoveDistance ||
           y >= g.bottom + kRemoveDistance;
}

void VtBevelEditControl::MoveSelected(int x, int y) {
    BevelPoint moved = ProfilePointAt(x, y);
    const auto index = static_cast<std::size_t>(selected_);
    // Between the neighbours: the order of the points never changes.
    const double low = index > 0 ? points_[index - 1].x + kSeparation : 0.0;
    const double high = index + 1 < points_.size() ? points_[index + 1].x - kSeparation : 1.0;
    moved.x = Thousandths(std::clamp(moved.x, low, std::max(low, high)));
    moved.pointy = points_[index].pointy;
    points_[index] = moved;
}

LRESULT VtBevelEditControl::OnLButtonDown(WPARAM, int x, int y) {
    if (!Contains(layout_.graph, x, y)) return 0;
    pointsAtPress_ = points_;
    int handle = HandleAt(x, y);
    if (handle < 0) {
        if (points_.size() >= kMaxBevelPoints) return 0;
        const BevelPoint added = ProfilePointAt(x, y);
        // A point where one stands already would not be a new key.
        for (const BevelPoint& point : points_)
            if (std::abs(point.x - added.x) < kSeparation) return 0;
        const auto at = std::upper_bound(points_.begin(), points_.end(), added.x,
                                         [](double value, const BevelPoint& p) { return value < p.x; });
        const auto inserted = points_.insert(at, added);
        handle = static_cast<int>(inserted - points_.begin());
    }
    selected_ = handle;
    removing_ = false;
    BeginDrag();
    InvalidateRect(Hwnd(), nullptr, FALSE);
    return 0;
}

LRESULT VtBevelEditControl::OnMouseMove(WPARAM, int x, int y) {
    if (!Dragging() || selected_ < 0) return 0;
    removing_ = Removing(x, y);
    if (!removing_) MoveSelected(x, y);
    InvalidateRect(Hwnd(), nullptr, FALSE);
    return 0;
}

void VtBevelEditControl::DragEnded(bool released, int x, int y) {
    removing_ = released && Removing(x, y);
    if (released && !removing_ && selected_ >= 0) MoveSelected(x, y);
    if (removing_ && selected_ >= 0) {
        points_.erase(points_.begin() + selected_);
        selected_ = -1;
    }
    removing_ = false;
    if (!SamePoints(points_, pointsAtPress_)) {
        Notify();
    } else {
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

LRESULT VtBevelEditControl::OnLButtonDblClk(WPARAM, int x, int y) {
    const int handle = HandleAt(x, y);
    if (handle < 0) return 0;
    points_[static_cast<std::size_t>(handle)].pointy = !points_[static_cast<std::size_t>(handle)].pointy;
    selected_ = handle;
    Notify();
    return 0;
}

bool VtBevelEditControl::BodyHelp(POINT point, std::string& text) {
    if (!Contains(layout_.graph, point.x, point.y)) return false;
    text = LoadResourceString(kGraphHelpId);
    return true;
}

void VtBevelEditControl::DrawGraph(HDC dc, bool enabled) const {
    RECT frame = layout_.graph;
    FillRect(dc, &frame, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_3DFACE));
    DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    const RECT& p = layout_.plot;
    // Quarter lines, faint.
    Pen grid(CreatePen(PS_DOT, 1, GetSysColor(COLOR_3DLIGHT)));
    {
        SelectedObject pen(dc, grid.Get());
        for (int quarter = 1; quarter < 4; ++quarter) {
            const int x = p.left + (Width(p) - 1) * quarter / 4;
            const int y = p.top + (Height(p) - 1) * quarter / 4;
            MoveToEx(dc, x, p.top, nullptr);
            LineTo(dc, x, p.bottom);
            MoveToEx(dc, p.left, y, nullptr);
            LineTo(dc, p.right, y);
        }
    }
    if (points_.empty()) return;
    // The profile, filled below its curve.
    std::vector<POINT> outline{POINT{p.left, p.bottom - 1}};
    for (int x = p.left; x < p.right; ++x) {
        const double height = ProfileHeightAt(points_, static_cast<double>(x - p.left) / std::max(1, Width(p) - 1));
        outline.push_back(PointAt(BevelPoint{static_cast<double>(x - p.left) / std::max(1, Width(p) - 1),
                                             std::clamp(height, 0.0, 1.0), false}));
    }
    outline.push_back(POINT{p.right - 1, p.bottom - 1});
    const COLORREF fillColour = enabled ? RGB(190, 204, 226) : GetSysColor(COLOR_3DLIGHT);
    const COLORREF lineColour = enabled ? RGB(40, 60, 100) : GetSysColor(COLOR_3DSHADOW);
    Brush fill(CreateSolidBrush(fillColour));
    Pen line(CreatePen(PS_SOLID, 1, fillColour));
    {
        SelectedObject brush(dc, fill.Get());
        SelectedObject pen(dc, line.Get());
        Polygon(dc, outline.data(), static_cast<int>(outline.size()));
    }
    Pen curve(CreatePen(PS_SOLID, 2, lineColour));
    {
        SelectedObject pen(dc, curve.Get());
        Polyline(dc, outline.data() + 1, static_cast<int>(outline.size()) - 2);
    }
    if (!enabled) return;
    // Handles: squares for corners, circles for smooth points; the chosen
    // one filled; none for a point being dragged away.
    Pen edge(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    Brush chosen(CreateSolidBrush(RGB(0, 0, 0)));
    Brush open(CreateSolidBrush(RGB(255, 255, 255)));
    SelectedObject pen(dc, edge.Get());
    const int h = BevelEditLayout::kHandleHalf;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const bool isSelected = static_cast<int>(i) == selected_;
        if (isSelected && removing_) continue;
        SelectedObject brush(dc, isSelected ? chosen.Get() : open.Get());
        const POINT at = PointAt(points_[i]);
        if (points_[i].pointy) {
            Rectangle(dc, at.x - h, at.y - h, at.x + h + 1, at.y + h + 1);
        } else {
            Ellipse(dc, at.x - h - 1, at.y - h - 1, at.x + h + 2, at.y + h + 2);
        }
    }
}

LRESULT VtBevelEditControl::OnPaint(const PAINTSTRUCT& paint) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    OffscreenCanvas canvas(paint.hdc, client.right, client.bottom);
    FillRect(canvas.Dc(), &client, GetSysColorBrush(COLOR_3DFACE));
    DrawGraph(canvas.Dc(), Enabled());
    canvas.CopyTo(0, 0);
    return 0;
}
