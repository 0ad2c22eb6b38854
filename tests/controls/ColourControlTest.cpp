// The colour swatch: the picker, the host's colour chips and the
// eyedropper, driven with mouse messages.
#include <gtest/gtest.h>

#include "controls/GdiHandles.h"
#include "controls/KeyboardHook.h"
#include "controls/VtColorControl.h"
#include "tests/controls/TestWindows.h"

namespace {

class FakeColourSource : public IColourSource {
public:
    ResultCode PickColour(ColorSpec& colour) override {
        ++picks;
        startedFrom = colour;
        hookSuspended = KeyboardHook::suspended;
        if (cancel) return ResultCode::Cancelled();
        colour = picked;
        return ResultCode::Success();
    }
    ColorSpec Foreground() override { return RgbSpec(250, 10, 10); }
    ColorSpec Background() override { return RgbSpec(10, 10, 250); }
    // Tags the pixel as grey with its green level, so that the conversion
    // is seen to be used.
    ColorSpec FromScreen(COLORREF pixel) override {
        ++conversions;
        return ColorSpec{ColorSpec::kGray, static_cast<int16_t>(GetGValue(pixel)), 0, 0, 0};
    }

    bool cancel = false;
    ColorSpec picked = RgbSpec(1, 2, 3);
    ColorSpec startedFrom{};
    int picks = 0;
    int conversions = 0;
    bool hookSuspended = false;
};

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

class ColourControlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(classes.result.IsSuccess());
        ASSERT_TRUE(control.Create(parent.Hwnd(), RECT{0, 0, 260, 22}, 4, nullptr, "Colour", &source).IsSuccess());
        control.SetColour(RgbSpec(100, 100, 100));
        control.SetChangeSink(&changes);
    }

    void ClickAt(const RECT& area) {
        const POINT p = Centre(area);
        Click(control.Hwnd(), p.x, p.y);
    }

    RegisteredControlClasses classes;
    TestParentWindow parent;
    FakeColourSource source;
    VtColorControl control;
    CountingSink changes;
};

}  // namespace

TEST_F(ColourControlTest, SetColourNeverNotifies) {
    control.SetColour(RgbSpec(9, 8, 7));
    EXPECT_EQ(control.GetColour(), RgbSpec(9, 8, 7));
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(ColourControlTest, TheSwatchRunsThePickerAndAChoiceNotifiesOnce) {
    ClickAt(control.Layout().swatch);
    EXPECT_EQ(source.picks, 1);
    EXPECT_EQ(source.startedFrom, RgbSpec(100, 100, 100));
    EXPECT_TRUE(source.hookSuspended);  // the host's picker gets its keys
    EXPECT_FALSE(KeyboardHook::suspended);
    EXPECT_EQ(control.GetColour(), RgbSpec(1, 2, 3));
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::Idle);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ColourControlTest, CancellingThePickerChangesNothingAndNotifiesNobody) {
    source.cancel = true;
    ClickAt(control.Layout().swatch);
    EXPECT_EQ(source.picks, 1);
    EXPECT_EQ(control.GetColour(), RgbSpec(100, 100, 100));
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(ColourControlTest, TheChipsTakeTheHostsForegroundAndBackground) {
    // A corner of each chip that the other does not cover.
    const RECT& fg = control.Layout().foreground;
    const RECT& bg = control.Layout().background;
    Click(control.Hwnd(), fg.left + 1, fg.top + 1);
    EXPECT_EQ(control.GetColour(), RgbSpec(250, 10, 10));
    Click(control.Hwnd(), bg.right - 2, bg.bottom - 2);
    EXPECT_EQ(control.GetColour(), RgbSpec(10, 10, 250));
    EXPECT_EQ(changes.calls, 2);
    EXPECT_EQ(source.picks, 0);
}

TEST_F(ColourControlTest, APressOnTheSwatchReleasedOnAChipTakesTheChipsColour) {
    const POINT from = Centre(control.Layout().swatch);
    const RECT& fg = control.Layout().foreground;
    MouseDown(control.Hwnd(), from.x, from.y);
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::BoxPressed);
    EXPECT_EQ(GetCapture(), control.Hwnd());
    MouseUp(control.Hwnd(), fg.left + 1, fg.top + 1);
    EXPECT_EQ(source.picks, 0);
    EXPECT_EQ(control.GetColour(), RgbSpec(250, 10, 10));
    EXPECT_EQ(changes.calls, 1);
    // Released over nothing: nothing.
    MouseDown(control.Hwnd(), from.x, from.y);
    MouseUp(control.Hwnd(), 2, 2);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(source.picks, 0);
}

TEST_F(ColourControlTest, AClickOutsideTheAreasStartsNothing) {
    MouseDown(control.Hwnd(), 2, 2);
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::Idle);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ColourControlTest, TheEyedropperTakesTheColourUnderThePointerAndNotifiesOnce) {
    // A window of a known colour on the screen.
    const COLORREF known = RGB(30, 170, 90);
    Brush brush(CreateSolidBrush(known));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = brush.Get();
    windowClass.lpszClassName = L"DappleKnownColour";
    RegisterClassExW(&windowClass);
    HWND target = CreateWindowExW(WS_EX_TOPMOST, L"DappleKnownColour", L"", WS_POPUP | WS_VISIBLE, 500, 300, 60, 60,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(target, nullptr);
    UpdateWindow(target);
    PumpMessagesFor(300);
    POINT inside{530, 330};
    ScreenToClient(control.Hwnd(), &inside);

    const POINT button = Centre(control.Layout().eyedropper);
    MouseDown(control.Hwnd(), button.x, button.y);
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::EyedropperPressed);
    MouseUp(control.Hwnd(), button.x, button.y);
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::Eyedropping);
    EXPECT_EQ(GetCapture(), control.Hwnd());  // the pointer is followed everywhere
    EXPECT_EQ(control.PreviewColour(), RgbSpec(100, 100, 100));

    MouseMove(control.Hwnd(), inside.x, inside.y);
    EXPECT_EQ(control.PreviewColour(), (ColorSpec{ColorSpec::kGray, 170, 0, 0, 0}));
    EXPECT_EQ(changes.calls, 0);
    MouseDown(control.Hwnd(), inside.x, inside.y);
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::EyedropperDown);
    MouseUp(control.Hwnd(), inside.x, inside.y);
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::Idle);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(control.GetColour(), (ColorSpec{ColorSpec::kGray, 170, 0, 0, 0}));
    EXPECT_EQ(changes.calls, 1);
    DestroyWindow(target);
    UnregisterClassW(L"DappleKnownColour", GetModuleHandleW(nullptr));
}

TEST_F(ColourControlTest, ReleasingOffTheEyedropperButtonCancelsIt) {
    const POINT button = Centre(control.Layout().eyedropper);
    MouseDown(control.Hwnd(), button.x, button.y);
    MouseUp(control.Hwnd(), 2, 2);
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::Idle);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(ColourControlTest, LosingTheMouseEndsTheEyedropperWithoutAColour) {
    const POINT button = Centre(control.Layout().eyedropper);
    Click(control.Hwnd(), button.x, button.y);
    ASSERT_EQ(control.CurrentState(), VtColorControl::State::Eyedropping);
    SetCapture(parent.Hwnd());
    EXPECT_EQ(control.CurrentState(), VtColorControl::State::Idle);
    ReleaseCapture();
    EXPECT_EQ(control.GetColour(), RgbSpec(100, 100, 100));
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(ColourControlTest, DisablingGreysTheLabelToo) {
    IControl& colour = control;
    colour.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(control.Hwnd()));
    EXPECT_FALSE(IsWindowEnabled(control.LabelHwnd()));
    colour.Enable(true);
    EXPECT_TRUE(IsWindowEnabled(control.LabelHwnd()));
}

TEST_F(ColourControlTest, TheAreasDoNotOverlapExceptTheChips) {
    const ColourLayout& l = control.Layout();
    EXPECT_LE(l.label.right, l.swatch.left);
    EXPECT_LE(l.swatch.right, l.foreground.left);
    EXPECT_LE(l.background.right, l.eyedropper.left);
    // The eyedropper ends where the grid does, the swatch starts in its
    // value column.
    const ParameterGrid grid = ParameterGrid::For(control.Hwnd(), nullptr);
    EXPECT_EQ(l.eyedropper.right, 260 - ParameterGrid::kMargin);
    EXPECT_EQ(l.swatch.left, grid.ValueLeft(260));
    EXPECT_GE(control.PreferredHeight(), 15);
}
