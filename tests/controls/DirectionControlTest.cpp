// The direction control: the dial turned with the mouse, the angle typed.
#include <gtest/gtest.h>

#include "controls/VtDirectionControl.h"
#include "tests/controls/TestWindows.h"

namespace {

class DirectionTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(control.Create(parent.Hwnd(), RECT{0, 0, 240, 34}, 2, nullptr, "Direction").IsSuccess());
        control.SetValue(30);
        control.SetChangeSink(&changes);
        dial = control.Layout().dial;
        cx = (dial.left + dial.right - 1) / 2;
        cy = (dial.top + dial.bottom - 1) / 2;
    }

    VtDirectionControl control;
    RECT dial{};
    int cx = 0;
    int cy = 0;
};

}  // namespace

TEST(DirectionAngle, PointsAroundTheCentreGiveTheirAngles) {
    // A 33-pixel dial: its centre is (16, 16).
    const RECT dial{0, 0, 33, 33};
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 30, 16, false), 0.0);
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 26, 6, false), 45.0);
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 16, 2, false), 90.0);
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 2, 16, false), 180.0);
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 16, 30, false), 270.0);
    // 1 down, 10 right: atan(0.1) = 5.71 degrees below the axis, 354.
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 26, 17, false), 354.0);
    // With snapping: 354 is nearest to 0 of the 15-degree steps, 20 to 15.
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 26, 17, true), 0.0);
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 26, 12, true), 15.0);
    EXPECT_EQ(VtDirectionControl::AngleAt(dial, 16, 16, false), 0.0);  // the centre itself
}

TEST_F(DirectionTest, SetValueWrapsAndShowsWithoutNotifying) {
    EXPECT_EQ(TextOf(control.EditHwnd()), L"30");
    control.SetValue(-90);
    EXPECT_EQ(control.GetValue(), 270.0);
    control.SetValue(720);
    EXPECT_EQ(control.GetValue(), 0.0);
    control.SetValue(22.5);
    EXPECT_EQ(TextOf(control.EditHwnd()), L"22.5");
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(DirectionTest, TurningTheHandCommitsOnceAtTheRelease) {
    MouseDown(control.Hwnd(), cx, dial.top + 1);
    EXPECT_TRUE(control.Turning());
    EXPECT_EQ(control.GetValue(), 90.0);
    EXPECT_EQ(TextOf(control.EditHwnd()), L"90");
    MouseMove(control.Hwnd(), dial.left - 40, cy);  // far outside still turns
    EXPECT_EQ(control.GetValue(), 180.0);
    EXPECT_EQ(changes.calls, 0);
    MouseUp(control.Hwnd(), dial.left - 40, cy);
    EXPECT_FALSE(control.Turning());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(changes.calls, 1);

    // A turn that ends where it began changes nothing.
    MouseDown(control.Hwnd(), cx, dial.bottom - 2);
    MouseMove(control.Hwnd(), dial.left + 1, cy);
    MouseUp(control.Hwnd(), dial.left + 1, cy);
    EXPECT_EQ(control.GetValue(), 180.0);
    EXPECT_EQ(changes.calls, 1);

    // Presses beside the dial are not turns.
    MouseDown(control.Hwnd(), 2, 2);
    EXPECT_FALSE(control.Turning());
}

TEST_F(DirectionTest, TypedAnglesWrapAroundAndNotifyOnce) {
    control.SetFocus();
    ReplaceText(control.EditHwnd(), L"370");
    parent.TakeFocus();
    EXPECT_EQ(control.GetValue(), 10.0);
    EXPECT_EQ(TextOf(control.EditHwnd()), L"10");
    EXPECT_EQ(changes.calls, 1);
    control.SetFocus();
    EXPECT_TRUE(PressKey(VK_DOWN));
    {
        HeldShift shift;
        PressKey(VK_DOWN);
        PressKey(VK_DOWN);
    }
    EXPECT_EQ(control.GetValue(), 349.0);  // 10 - 1 - 10 - 10, around
    EXPECT_EQ(changes.calls, 4);
}

TEST_F(DirectionTest, DisablingGreysFieldAndLabel) {
    IControl& direction = control;
    direction.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(control.EditHwnd()));
    EXPECT_FALSE(IsWindowEnabled(control.LabelHwnd()));
    EXPECT_FALSE(IsWindowEnabled(control.Hwnd()));
}
