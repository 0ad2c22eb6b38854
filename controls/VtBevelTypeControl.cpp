#include "controls/VtBevelTypeControl.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "controls/Angles.h"
#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/GdiHandles.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr int kGap = 4;
constexpr int kPictureWidth = 36;
constexpr int kPictureHeight = 20;

// A picture of a profile: the bevel's cross-section rising from the outer
// edge on the left, filled, on a white ground in a thin frame.
HBITMAP DrawProfilePicture(HWND window, int type) {
    WindowDC screen(window);
    if (screen.Get() == nullptr) return nullptr;
    Bitmap picture(CreateCompatibleBitmap(screen.Get(), kPictureWidth, kPictureHeight));
    MemoryDC memory(CreateCompatibleDC(screen.Get()));
    if (!picture || !memory) return nullptr;
    {
        HDC dc = memory.Get();
        SelectedObject selected(dc, picture.Get());
        RECT all{0, 0, kPictureWidth, kPictureHeight};
        FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
        const int left = 2, right = kPictureWidth - 3, bottom = kPictureHeight - 3, top = 3;
        std::vector<POINT> outline{{left, bottom}};
        for (int x = left; x <= right; ++x) {
            const double t = static_cast<double>(x - left) / (right - left);
            const double height = VtBevelTypeControl::Profile(type, t);
            outline.push_back(POINT{x, static_cast<int>(std::lround(bottom - height * (bottom - top)))});
        }
        outline.push_back(POINT{right, bottom});
        Brush fill(CreateSolidBrush(RGB(150, 170, 200)));
        Pen edge(CreatePen(PS_SOLID, 1, RGB(40, 60, 100)));
        SelectedObject brush(dc, fill.Get());
        SelectedObject pen(dc, edge.Get());
        Polygon(dc, outline.data(), static_cast<int>(outline.size()));
        FrameRect(dc, &all, GetSysColorBrush(COLOR_3DSHADOW));
    }
    return picture.Release();
}

}  // namespace

double VtBevelTypeControl::Profile(int type, double t) {
    t = std::clamp(t, 0.0, 1.0);
    switch (type) {
        case 0: return t;                                       // slope
        case 1: return std::sqrt(1.0 - (1.0 - t) * (1.0 - t));  // round
        case 2: return t * t * (3.0 - 2.0 * t);                 // smooth
        default: return std::sin(kPi * t);                      // ridge
    }
}

ResultCode VtBevelTypeControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                                      const int (&choiceTextIds)[kTypeCount]) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::BevelType), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    font_ = font;
    const int textHeight = TextLineHeight(Hwnd(), font, 13);
    label_ = CreateChildWindow(L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0,
                               RECT{0, 0, Width(rect), textHeight}, Hwnd(), kLabelId, font);
    bool made = label_ != nullptr;
    const int top = textHeight + kGap;
    const int buttonWidth = std::max(1, (Width(rect) - (kTypeCount - 1) * kGap) / kTypeCount);
    for (int type = 0; made && type < kTypeCount; ++type) {
        const auto index = static_cast<std::size_t>(type);
        captions_[index] = LoadResourceString(choiceTextIds[type]);
        buttons_[index].reset(new (std::nothrow) VtImageButtonControl);
        clickSinks_[index] = ChoiceSink{this, type};
        const int left = type * (buttonWidth + kGap);
        made = buttons_[index] &&
               buttons_[index]
                   ->Create(Hwnd(), RECT{left, top, left + buttonWidth, top + kButtonHeight}, type + 1, font)
                   .IsSuccess();
        if (!made) break;
        buttons_[index]->SetImage(DrawProfilePicture(Hwnd(), type));
        buttons_[index]->SetCaption(captions_[index]);
        buttons_[index]->SetClickSink(&clickSinks_[index]);
    }
    if (!made) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    return created;
}

int VtBevelTypeControl::PreferredHeight() { return TextLineHeight(Hwnd(), font_, 13) + kGap + kButtonHeight; }

void VtBevelTypeControl::SetValue(int32_t type) {
    value_ = type >= 0 && type < kTypeCount ? type : -1;
    for (int i = 0; i < kTypeCount; ++i)
        if (buttons_[static_cast<std::size_t>(i)]) Button(i).SetLatched(i == value_);
}

void VtBevelTypeControl::Choose(int32_t type) {
    const bool changed = type != value_;
    SetValue(type);
    if (changed && changeSink_ != nullptr) changeSink_->Notify();
}

void VtBevelTypeControl::GetHelpText(ResultCode& out, POINT point, std::string& text) {
    out = ResultCode::Success();
    for (int type = 0; type < kTypeCount; ++type) {
        RECT button{};
        ::GetWindowRect(Button(type).Hwnd(), &button);
        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&button), 2);
        if (Contains(button, point.x, point.y)) text = captions_[static_cast<std::size_t>(type)];
    }
}

void VtBevelTypeControl::Enable(bool enable) {
    EnableWindow(label_, enable ? TRUE : FALSE);
    for (auto& button : buttons_) button->Enable(enable);
}

int VtBevelTypeControl::SetFocus() {
    Button(value_ >= 0 ? value_ : 0).SetFocus();
    return 1;
}
