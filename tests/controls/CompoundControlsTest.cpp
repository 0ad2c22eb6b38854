// The image button, bevel type, fill behaviour and lighting controls,
// driven with clicks and drags.
#include <gtest/gtest.h>

#include <cmath>

#include "controls/VtBevelTypeControl.h"
#include "controls/VtFillBehaviourControl.h"
#include "controls/VtImageButtonControl.h"
#include "controls/VtLightingControl.h"
#include "platform/ResourceStrings.h"
#include "tests/controls/TestWindows.h"

namespace {

class NoHostColours : public IColourSource {
public:
    ResultCode PickColour(ColorSpec& colour) override {
        colour = RgbSpec(9, 9, 9);
        return ResultCode::Success();
    }
    ColorSpec Foreground() override { return RgbSpec(0, 0, 0); }
    ColorSpec Background() override { return RgbSpec(255, 255, 255); }
    ColorSpec FromScreen(COLORREF) override { return RgbSpec(0, 0, 0); }
};

class CompoundControlsTest : public ControlTest {
protected:
    NoHostColours colours;
};

}  // namespace

TEST_F(CompoundControlsTest, AnImageButtonClicksAndLatches) {
    VtImageButtonControl button;
    ASSERT_TRUE(button.Create(parent.Hwnd(), RECT{0, 0, 40, 30}, 1, nullptr).IsSuccess());
    button.SetClickSink(&changes);
    SendMessageW(button.ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_FALSE(button.IsLatched());  // a click does not latch by itself
    button.SetLatched(true);
    EXPECT_TRUE(button.IsLatched());
    button.SetCaption("Round");
    EXPECT_EQ(TextOf(button.ButtonHwnd()), L"Round");
    IControl& control = button;
    control.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(button.ButtonHwnd()));
}

TEST_F(CompoundControlsTest, BevelTypeChoosesOneLatchedButtonAndNotifiesChanges) {
    VtBevelTypeControl type;
    const int captions[] = {4208, 4209, 4210, 4211};
    ASSERT_TRUE(type.Create(parent.Hwnd(), RECT{0, 0, 240, 70}, 1, nullptr, "Bevel", captions).IsSuccess());
    type.SetChangeSink(&changes);
    type.SetValue(1);
    EXPECT_EQ(type.GetValue(), 1);
    EXPECT_EQ(changes.calls, 0);

    SendMessageW(type.Button(3).ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(type.GetValue(), 3);
    EXPECT_EQ(changes.calls, 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(type.Button(i).IsLatched(), i == 3) << i;
    SendMessageW(type.Button(3).ButtonHwnd(), BM_CLICK, 0, 0);  // already chosen
    EXPECT_EQ(changes.calls, 1);

    // The help over a choice is its caption.
    RECT second{};
    GetWindowRect(type.Button(1).Hwnd(), &second);
    MapWindowPoints(nullptr, type.Hwnd(), reinterpret_cast<POINT*>(&second), 2);
    std::string help = "unchanged";
    ResultCode status;
    type.GetHelpText(status, POINT{second.left + 3, second.top + 3}, help);
    EXPECT_EQ(help, LoadResourceString(4209));
    help = "unchanged";
    type.GetHelpText(status, POINT{2, 2}, help);  // over the label: no area
    EXPECT_EQ(help, "unchanged");

    type.SetValue(9);
    EXPECT_EQ(type.GetValue(), -1);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(type.Button(i).IsLatched());
}

TEST(BevelTypeProfiles, RiseFromTheEdgeAsTheirNamesSay) {
    for (int type = 0; type < 3; ++type) {
        EXPECT_DOUBLE_EQ(VtBevelTypeControl::Profile(type, 0.0), 0.0) << type;
        EXPECT_DOUBLE_EQ(VtBevelTypeControl::Profile(type, 1.0), 1.0) << type;
    }
    EXPECT_DOUBLE_EQ(VtBevelTypeControl::Profile(0, 0.25), 0.25);
    EXPECT_NEAR(VtBevelTypeControl::Profile(1, 0.5), std::sqrt(0.75), 1e-12);
    EXPECT_DOUBLE_EQ(VtBevelTypeControl::Profile(2, 0.5), 0.5);
    EXPECT_NEAR(VtBevelTypeControl::Profile(3, 0.5), 1.0, 1e-12);
    EXPECT_NEAR(VtBevelTypeControl::Profile(3, 1.0), 0.0, 1e-12);
}

TEST_F(CompoundControlsTest, FillBehaviourModesAndColour) {
    VtFillBehaviourControl fill;
    ASSERT_TRUE(fill.Create(parent.Hwnd(), RECT{0, 0, 280, 80}, 1, nullptr, "Before", &colours).IsSuccess());
    fill.SetChangeSink(&changes);
    fill.SetValue(LayerFillValue{kLayerFillKeep, RgbSpec(1, 2, 3)});
    EXPECT_EQ(fill.GetValue().behaviour, kLayerFillKeep);
    EXPECT_EQ(fill.GetValue().colour, RgbSpec(1, 2, 3));
    EXPECT_EQ(SendMessageW(fill.RadioHwnd(2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(fill.Colour().Hwnd()));  // the colour is for the first mode only
    EXPECT_EQ(changes.calls, 0);

    SendMessageW(fill.RadioHwnd(0), BM_CLICK, 0, 0);
    EXPECT_EQ(fill.GetValue().behaviour, kLayerFillWithColour);
    EXPECT_TRUE(IsWindowEnabled(fill.Colour().Hwnd()));
    EXPECT_EQ(changes.calls, 1);
    SendMessageW(fill.RadioHwnd(0), BM_CLICK, 0, 0);
    EXPECT_EQ(changes.calls, 1);

    // A colour picked in the swatch is a change of the whole value.
    const RECT swatch = fill.Colour().Layout().swatch;
    Click(fill.Colour().Hwnd(), swatch.left + 3, swatch.top + 3);
    EXPECT_EQ(fill.GetValue().colour, RgbSpec(9, 9, 9));
    EXPECT_EQ(changes.calls, 2);

    // An unknown behaviour shows as the first mode.
    fill.SetValue(LayerFillValue{0x12345678, RgbSpec(0, 0, 0)});
    EXPECT_EQ(fill.GetValue().behaviour, kLayerFillWithColour);

    IControl& control = fill;
    control.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(fill.RadioHwnd(1)));
    EXPECT_FALSE(IsWindowEnabled(fill.Colour().Hwnd()));

    std::string help;
    ResultCode status;
    RECT second{};
    GetWindowRect(fill.RadioHwnd(1), &second);
    MapWindowPoints(nullptr, fill.Hwnd(), reinterpret_cast<POINT*>(&second), 2);
    fill.GetHelpText(status, POINT{second.left + 2, second.top + 2}, help);
    EXPECT_EQ(help, LoadResourceString(VtFillBehaviourControl::kModeHelpId + 1));

    // A mode that cannot apply stays grey when the control is enabled again,
    // and its help says why.
    fill.SetModeUnavailable(fill.ModeIndex(kLayerFillTransparent), "nothing to make transparent");
    control.Enable(true);
    EXPECT_FALSE(IsWindowEnabled(fill.RadioHwnd(1)));
    EXPECT_TRUE(IsWindowEnabled(fill.RadioHwnd(0)) && IsWindowEnabled(fill.RadioHwnd(2)));
    fill.GetHelpText(status, POINT{second.left + 2, second.top + 2}, help);
    EXPECT_EQ(help, "nothing to make transparent");
}

TEST(LightingGeometry, MarkerAndLightAreEachOthersInverse) {
    // Overhead: the middle; at the horizon: the rim.
    EXPECT_EQ(VtLightingControl::MarkerOffset(0, 90, 40).x, 0);
    EXPECT_EQ(VtLightingControl::MarkerOffset(0, 0, 40).x, 40);
    const POINT upLeft = VtLightingControl::MarkerOffset(135, 60, 40);  // cos 60 = 0.5: 20 from the middle
    EXPECT_EQ(upLeft.x, -14);
    EXPECT_EQ(upLeft.y, 14);
    double direction = 7, elevation = 0;
    VtLightingControl::LightAt(-14.1421356, 14.1421356, 40, direction, elevation);
    EXPECT_EQ(direction, 135.0);
    EXPECT_EQ(elevation, 60.0);
    VtLightingControl::LightAt(0, -100, 40, direction, elevation);  // beyond the rim: held to it
    EXPECT_EQ(direction, 270.0);
    EXPECT_EQ(elevation, 0.0);
    VtLightingControl::LightAt(0, 0, 40, direction, elevation);  // the middle keeps the direction
    EXPECT_EQ(direction, 270.0);
    EXPECT_EQ(elevation, 90.0);
}

TEST_F(CompoundControlsTest, LightingDragsTheLightAndKeepsUntouchedValuesWhole) {
    VtLightingControl lighting;
    ASSERT_TRUE(
        lighting.Create(parent.Hwnd(), RECT{0, 0, 300, LightingLayout::kHeight}, 1, nullptr, &colours).IsSuccess());
    lighting.SetChangeSink(&changes);
    const LightingValue start{37.5, 20.25, 10, 30, RgbSpec(255, 250, 240)};
    lighting.SetValue(start);
    LightingValue value = lighting.GetValue();
    EXPECT_EQ(value.brightness, 37.5);  // shown as 37, kept whole
    EXPECT_EQ(value.sharpness, 20.25);
    EXPECT_EQ(TextOf(lighting.Brightness().EditHwnd()), L"37");
    EXPECT_EQ(changes.calls, 0);

    // The sphere's middle: straight overhead.
    const RECT sphere = lighting.Layout().sphere;
    const int middle = (sphere.right - sphere.left - 1) / 2;
    MouseDown(lighting.Hwnd(), sphere.left + middle, sphere.top + middle);
    EXPECT_TRUE(lighting.Dragging());
    MouseMove(lighting.Hwnd(), sphere.left + middle, sphere.top);  // up to the rim
    EXPECT_EQ(changes.calls, 0);
    MouseUp(lighting.Hwnd(), sphere.left + middle, sphere.top);
    value = lighting.GetValue();
    EXPECT_EQ(value.direction, 90.0);
    EXPECT_EQ(value.elevation, 0.0);
    EXPECT_EQ(value.brightness, 37.5);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(TextOf(lighting.ReadoutHwnd()), L"90\u00B0  /  0\u00B0");

    // The brightness slider changes the brightness, and only it.
    lighting.Brightness().SetFocus();
    PressKey(VK_UP);
    value = lighting.GetValue();
    EXPECT_EQ(value.brightness, 38.0);
    EXPECT_EQ(value.sharpness, 20.25);
    EXPECT_EQ(changes.calls, 2);

    std::string help;
    ResultCode status;
    lighting.GetHelpText(status, POINT{sphere.left + middle, sphere.top + middle}, help);
    EXPECT_EQ(help, LoadResourceString(VtLightingControl::kSphereHelpId));
}
