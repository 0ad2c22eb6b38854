#include "controls/VtLightingControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "controls/Angles.h"
#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/GdiHandles.h"
#include "controls/NumberText.h"
#include "filters/ColourConversion.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr int kGap = 10;
constexpr int kReadoutHeight = 16;
constexpr int kSphereSize = 97;  // odd: the centre is a pixel
constexpr int kColourHeight = 22;
// The colour's row and the gap above it.
constexpr int kColourRow = kColourHeight + 8;

// The light's unit vector (x right, y up, z toward the viewer).
void LightVector(const LightingValue& light, double (&l)[3]) {
    const double d = Radians(light.direction);
    const double e = Radians(light.elevation);
    l[0] = std::cos(e) * std::cos(d);
    l[1] = std::cos(e) * std::sin(d);
    l[2] = std::sin(e);
}

}  // namespace

LightingLayout LightingLayout::For(int width, int height) {
    LightingLayout layout{};
    const int sphere = std::min(kSphereSize, std::max(1, height - kReadoutHeight - 2 - kColourRow));
    layout.sphere = RECT{0, 0, sphere, sphere};
    layout.readout = RECT{0, sphere + 2, sphere, sphere + 2 + kReadoutHeight};
    const int left = sphere + kGap;
    layout.brightness = RECT{left, 0, width, SliderLayout::kHeight};
    layout.sharpness = RECT{left, SliderLayout::kHeight + 4, width, 2 * SliderLayout::kHeight + 4};
    // A row of its own below, its label where every other label is.
    layout.colour = RECT{0, height - kColourHeight, width, height};
    return layout;
}

POINT VtLightingControl::MarkerOffset(double direction, double elevation, double radius) {
    const double reach = std::cos(Radians(elevation)) * radius;
    return POINT{static_cast<int>(std::lround(std::cos(Radians(direction)) * reach)),
                 static_cast<int>(std::lround(std::sin(Radians(direction)) * reach))};
}

void VtLightingControl::LightAt(double dx, double dy, double radius, double& direction, double& elevation) {
    const double distance = std::min(1.0, std::hypot(dx, dy) / radius);
    elevation = std::floor(std::acos(distance) * 180.0 / kPi + 0.5);
    if (dx == 0.0 && dy == 0.0) return;  // straight overhead: the direction stays
    direction = AngleOf(dx, dy, 1.0);
}

ResultCode VtLightingControl::Create(HWND parent, const RECT& rect, int id, HFONT font, IColourSource* colours) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::Lighting), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    ClipChildren();
    layout_ = LightingLayout::For(Width(rect), Height(rect));
    bool made =
        brightness_.Create(Hwnd(), layout_.brightness, kBrightnessId, font, LoadResourceString(kBrightnessTextId))
            .IsSuccess() &&
        sharpness_.Create(Hwnd(), layout_.sharpness, kSharpnessId, font, LoadResourceString(kSharpnessTextId))
            .IsSuccess() &&
        colour_.Create(Hwnd(), layout_.colour, kColourId, font, LoadResourceString(kColourTextId), colours).IsSuccess();
    if (made) {
        readout_ = CreateChildWindow(L"STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, layout_.readout,
                                     Hwnd(), kReadoutId, font);
        made = readout_ != nullptr;
    }
    if (!made) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    for (VtSliderContainerControl* slider : {&brightness_, &sharpness_}) {
        slider->SetRange(0, 100);
        slider->SetTrackRange(0, 100);
    }
    brightness_.SetChangeSink(&brightnessSink_);
    sharpness_.SetChangeSink(&sharpnessSink_);
    colour_.SetChangeSink(&colourSink_);
    SetValue(value_);
    return created;
}

void VtLightingControl::SetValue(const LightingValue& value) {
    value_ = value;
    brightness_.SetValue(value.brightness);
    sharpness_.SetValue(value.sharpness);
    colour_.SetColour(value.colour);
    ShowReadout();
    InvalidateRect(Hwnd(), &layout_.sphere, FALSE);
}

void VtLightingControl::ShowReadout() {
    const std::string degree = "\xC2\xB0";
    SetWindowTextUtf8(readout_, FormatWhole(std::floor(value_.direction + 0.5)) + degree + "  /  " +
                                    FormatWhole(std::floor(value_.elevation + 0.5)) + degree);
}

void VtLightingControl::Notify() {
    InvalidateRect(Hwnd(), &layout_.sphere, FALSE);
    if (changeSink_ != nullptr) changeSink_->Notify();
}

void VtLightingControl::BrightnessChanged() {
    value_.brightness = brightness_.GetValue();
    Notify();
}

void VtLightingControl::SharpnessChanged() {
    value_.sharpness = sharpness_.GetValue();
    Notify();
}

void VtLightingControl::ColourChanged() {
    value_.colour = colour_.GetColour();
    Notify();
}

void VtLightingControl::MoveLight(int x, int y) {
    const RECT& s = layout_.sphere;
    const double radius = (s.right - s.left - 1) / 2.0;
    const double cx = s.left + radius;
    const double cy = s.top + radius;
    LightAt(x - cx, cy - y, radius, value_.direction, value_.elevation);
    ShowReadout();
    InvalidateRect(Hwnd(), &layout_.sphere, FALSE);
}

LRESULT VtLightingControl::OnLButtonDown(WPARAM, int x, int y) {
    if (!Contains(layout_.sphere, x, y)) return 0;
    dragging_ = true;
    valueAtPress_ = value_;
    SetCapture(Hwnd());
    MoveLight(x, y);
    return 0;
}

LRESULT VtLightingControl::OnMouseMove(WPARAM, int x, int y) {
    if (dragging_) MoveLight(x, y);
    return 0;
}

LRESULT VtLightingControl::OnLButtonUp(WPARAM, int, int) {
    if (!dragging_) return 0;
    dragging_ = false;
    ReleaseCapture();
    if (value_.direction != valueAtPress_.direction || value_.elevation != valueAtPress_.elevation) Notify();
    return 0;
}

LRESULT VtLightingControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CAPTURECHANGED && dragging_ && reinterpret_cast<HWND>(lparam) != Hwnd()) {
        dragging_ = false;
        if (value_.direction != valueAtPress_.direction || value_.elevation != valueAtPress_.elevation) Notify();
    }
    return VtControl::OnMessage(message, wparam, lparam);
}

void VtLightingControl::GetHelpText(ResultCode& out, POINT point, std::string& text) {
    out = ResultCode::Success();
    if (Contains(layout_.sphere, point.x, point.y)) text = LoadResourceString(kSphereHelpId);
    if (Contains(layout_.brightness, point.x, point.y)) text = LoadResourceString(kBrightnessHelpId);
    if (Contains(layout_.sharpness, point.x, point.y)) text = LoadResourceString(kSharpnessHelpId);
    if (Contains(layout_.colour, point.x, point.y)) text = LoadResourceString(kColourHelpId);
}

void VtLightingControl::Enable(bool enable) {
    enabled_ = enable;
    brightness_.Enable(enable);
    sharpness_.Enable(enable);
    colour_.Enable(enable);
    EnableWindow(readout_, enable ? TRUE : FALSE);
    VtControl::Enable(enable);
    InvalidateRect(Hwnd(), &layout_.sphere, FALSE);
}

void VtLightingControl::DrawSphere(HDC dc, bool enabled) const {
    const RECT& s = layout_.sphere;
    const int size = s.right - s.left;
    PixelCanvas picture(dc, size, size);
    if (picture.Pixels() == nullptr) return;

    double light[3];
    LightVector(value_, light);
    const auto tint = ColourToRGB(value_.colour);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const double ground[3] = {GetRValue(face) / 255.0, GetGValue(face) / 255.0, GetBValue(face) / 255.0};
    const double strength = value_.brightness / 50.0;  // 50 is the light as it comes
    const double shininess = 2.0 + value_.sharpness * 0.6;
    const double radius = (size - 1) / 2.0;
    constexpr int kSamples = 3;  // per axis, for a smooth rim
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double sum[3] = {0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = (px + (sx + 0.5) / kSamples - 0.5 - radius) / (radius + 0.5);
                    const double y = (radius - (py + (sy + 0.5) / kSamples - 0.5)) / (radius + 0.5);
                    const double r2 = x * x + y * y;
                    if (r2 > 1.0) {
                        for (int c = 0; c < 3; ++c) sum[c] += ground[c];
                        continue;
                    }
                    const double z = std::sqrt(1.0 - r2);
                    const double diffuse = std::max(0.0, x * light[0] + y * light[1] + z * light[2]);
                    // The mirror direction of the light, seen from the front.
                    const double reflected = std::max(0.0, 2.0 * diffuse * z - light[2]);
                    const double specular = std::pow(reflected, shininess) * 0.7;
                    for (int c = 0; c < 3; ++c) {
                        const double lit =
                            0.72 * (0.25 + diffuse * strength) * tint[static_cast<std::size_t>(c)] / 255.0 +
                            specular * strength * tint[static_cast<std::size_t>(c)] / 255.0;
                        sum[c] += std::min(1.0, lit);
                    }
                }
            }
            uint8_t rgb[3];
            for (int c = 0; c < 3; ++c) {
                double v = sum[c] / (kSamples * kSamples);
                // Disabled: faded toward the face colour.
                if (!enabled) v = ground[c] + (v - ground[c]) * 0.3;
                rgb[c] = static_cast<uint8_t>(std::clamp(v * 255.0 + 0.5, 0.0, 255.0));
            }
            picture.Set(px, py, PixelCanvas::Rgb(rgb[0], rgb[1], rgb[2]));
        }
    }
    picture.CopyTo(dc, s.left, s.top);
    if (!enabled) return;
    // The marker where the light stands: a small ring, dark in light, light
    // in dark.
    const POINT offset = MarkerOffset(value_.direction, value_.elevation, radius);
    const int mx = s.left + static_cast<int>(radius) + offset.x;
    const int my = s.top + static_cast<int>(radius) - offset.y;
    Pen dark(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    Pen light2(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
    {
        SelectedObject pen(dc, light2.Get());
        Ellipse(dc, mx - 5, my - 5, mx + 6, my + 6);
    }
    SelectedObject pen(dc, dark.Get());
    Ellipse(dc, mx - 4, my - 4, mx + 5, my + 5);
}

LRESULT VtLightingControl::OnPaint(const PAINTSTRUCT& paint) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    OffscreenCanvas canvas(paint.hdc, client.right, client.bottom);
    FillRect(canvas.Dc(), &client, GetSysColorBrush(COLOR_3DFACE));
    DrawSphere(canvas.Dc(), enabled_);
    canvas.CopyTo(0, 0);
    return 0;
}
