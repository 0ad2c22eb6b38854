// The slider controls driven as the user drives them: typing and leaving
// the field, holding the spinner, dragging the thumb, the arrow keys.
#include <gtest/gtest.h>

#include "controls/CommonControls.h"

#include "controls/VtLengthSliderControl.h"
#include "controls/VtSliderContainerControl.h"
#include "tests/controls/TestWindows.h"

namespace {

// 219 wide: the track spans the control but for the grid's margin, 211
// pixels, so its thumb travels over 211 - 1 - 2 * 5 = 200 pixels, from
// x = 5; with the track range 0..100 each value is two pixels on.
constexpr RECT kSliderRect{0, 0, 211 + ParameterGrid::kMargin, 40};
int XOf(double value) { return 5 + static_cast<int>(value * 2); }

class SliderTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(slider.Create(parent.Hwnd(), kSliderRect, 7, nullptr, "Scale").IsSuccess());
        slider.SetRange(0, 100);
        slider.SetTrackRange(0, 100);
        slider.SetValue(20);
        slider.SetChangeSink(&changes);
        slider.SetTrackSink(&tracks);
    }

    std::wstring Edit() const { return TextOf(slider.EditHwnd()); }

    VtSliderContainerControl slider;
    CountingSink tracks;
};

}  // namespace

TEST_F(SliderTest, SetValueTruncatesAndShowsTheWholeNumberWithoutNotifying) {
    slider.SetValue(3.7);
    EXPECT_EQ(Edit(), L"3");
    EXPECT_EQ(slider.GetValue(), 3.0);
    EXPECT_EQ(slider.Track().Value(), 3.0);
    EXPECT_EQ(slider.Track().PositionOf(slider.Track().Value()), XOf(3));
    slider.SetValue(-2.9);
    EXPECT_EQ(Edit(), L"-2");
    EXPECT_EQ(changes.calls + tracks.calls, 0);
}

TEST_F(SliderTest, TypingAboveTheMaximumAndLeavingSetsTheMaximumAndNotifiesOnce) {
    slider.SetFocus();
    ReplaceText(slider.EditHwnd(), L"250");
    EXPECT_EQ(changes.calls, 0);  // nothing counts before the field is left
    parent.TakeFocus();
    EXPECT_EQ(slider.GetValue(), 100.0);
    EXPECT_EQ(Edit(), L"100");
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(tracks.calls, 0);

    // Typing the maximum again where it already stands changes nothing.
    slider.SetFocus();
    ReplaceText(slider.EditHwnd(), L"100");
    parent.TakeFocus();
    EXPECT_EQ(changes.calls, 1);
}

TEST_F(SliderTest, LeavingTheFieldCommitsOnlyATypedChange) {
    slider.SetFocus();
    parent.TakeFocus();  // passing through
    EXPECT_EQ(changes.calls, 0);

    slider.SetFocus();
    ReplaceText(slider.EditHwnd(), L"45");
    parent.TakeFocus();
    EXPECT_EQ(slider.GetValue(), 45.0);
    EXPECT_EQ(changes.calls, 1);

    // Text that is no number reads as 0, inside the range here.
    slider.SetFocus();
    SetWindowTextW(slider.EditHwnd(), L"abc");
    parent.TakeFocus();
    EXPECT_EQ(slider.GetValue(), 0.0);
    EXPECT_EQ(Edit(), L"0");
    EXPECT_EQ(changes.calls, 2);
}

TEST_F(SliderTest, BelowTheMinimumTypedValuesAreClamped) {
    slider.SetRange(10, 90);
    slider.SetFocus();
    SetWindowTextW(slider.EditHwnd(), L"-5");
    parent.TakeFocus();
    EXPECT_EQ(slider.GetValue(), 10.0);
    EXPECT_EQ(Edit(), L"10");
    EXPECT_EQ(changes.calls, 1);
}

TEST_F(SliderTest, HoldingAndReleasingTheSpinnerCommitsOneChangeAndRestsAt5000) {
    HWND spinner = slider.SpinnerHwnd();
    RECT box{};
    GetClientRect(spinner, &box);
    // On the upper arrow, held long enough for the spinner to repeat.
    MouseDown(spinner, box.right / 2, 2);
    PumpMessagesFor(900);
    const int held = static_cast<int>(SendMessageW(spinner, UDM_GETPOS32, 0, 0));
    EXPECT_GT(held, 5001);  // repeated while held
    EXPECT_EQ(Edit(), std::to_wstring(20 + held - 5000));
    EXPECT_EQ(slider.GetValue(), 20.0);  // shown, not yet committed
    EXPECT_EQ(changes.calls, 0);

    MouseUp(spinner, box.right / 2, 2);
    PumpMessages();
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(slider.GetValue(), 20.0 + (held - 5000));
    EXPECT_EQ(SendMessageW(spinner, UDM_GETPOS32, 0, 0), 5000);

    // The lower arrow, one click: one step down.
    MouseDown(spinner, box.right / 2, box.bottom - 2);
    MouseUp(spinner, box.right / 2, box.bottom - 2);
    PumpMessages();
    EXPECT_EQ(slider.GetValue(), 19.0 + (held - 5000));
    EXPECT_EQ(changes.calls, 2);
    EXPECT_EQ(SendMessageW(spinner, UDM_GETPOS32, 0, 0), 5000);
}

TEST_F(SliderTest, SpinnerStepsStopAtTheRange) {
    slider.SetValue(100);
    HWND spinner = slider.SpinnerHwnd();
    Click(spinner, 4, 2);
    PumpMessages();
    EXPECT_EQ(slider.GetValue(), 100.0);
    EXPECT_EQ(changes.calls, 0);  // clamped to where it was: no change
    EXPECT_EQ(SendMessageW(spinner, UDM_GETPOS32, 0, 0), 5000);
}

TEST_F(SliderTest, AThumbDragTellsTheTrackSinkEachChangeAndTheChangeSinkOnce) {
    HWND track = slider.Track().Hwnd();
    MouseDown(track, XOf(30), 6);
    EXPECT_TRUE(slider.Track().Tracking());
    EXPECT_EQ(GetCapture(), track);
    EXPECT_EQ(tracks.calls, 1);
    EXPECT_EQ(Edit(), L"30");
    MouseMove(track, XOf(30) + 1, 6);  // 30.5 rounds to 31
    MouseMove(track, XOf(31), 6);      // still 31: no step
    MouseMove(track, XOf(60), 6);
    MouseMove(track, 500, 6);  // past the end: the track's end
    EXPECT_EQ(tracks.calls, 4);
    EXPECT_EQ(changes.calls, 0);
    EXPECT_EQ(Edit(), L"100");
    MouseUp(track, 500, 6);
    EXPECT_FALSE(slider.Track().Tracking());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(tracks.calls, 4);
    EXPECT_EQ(slider.GetValue(), 100.0);

    // Moves without a press do nothing.
    MouseMove(track, XOf(10), 6);
    EXPECT_EQ(tracks.calls, 4);
    EXPECT_EQ(slider.GetValue(), 100.0);
}

TEST_F(SliderTest, ADragStaysInsideTheRangeWhenTheTrackReachesFurther) {
    slider.SetRange(10, 80);
    HWND track = slider.Track().Hwnd();
    MouseDown(track, XOf(2), 6);
    EXPECT_EQ(slider.GetValue(), 10.0);
    MouseMove(track, XOf(95), 6);
    MouseUp(track, XOf(95), 6);
    EXPECT_EQ(slider.GetValue(), 80.0);
}

TEST_F(SliderTest, ArrowKeysStepByOneOrTenWithShiftOnlyInTheField) {
    EXPECT_FALSE(PressKey(VK_UP));  // the field has no focus: not ours
    EXPECT_EQ(changes.calls, 0);

    slider.SetFocus();
    EXPECT_TRUE(PressKey(VK_UP));
    EXPECT_EQ(slider.GetValue(), 21.0);
    EXPECT_EQ(Edit(), L"21");
    {
        HeldShift shift;
        EXPECT_TRUE(PressKey(VK_DOWN));
    }
    EXPECT_EQ(slider.GetValue(), 11.0);
    EXPECT_EQ(changes.calls, 2);

    // An auto-repeat is swallowed but does not step.
    KeyboardHook::HookProcedure(HC_ACTION, VK_UP, 0x40000001);
    EXPECT_EQ(slider.GetValue(), 11.0);

    slider.SetValue(100);
    PressKey(VK_UP);
    EXPECT_EQ(slider.GetValue(), 100.0);
    EXPECT_EQ(changes.calls, 2);
}

TEST_F(SliderTest, EnterCommitsTheTypedValueBeforeTheDialogSeesIt) {
    slider.SetFocus();
    ReplaceText(slider.EditHwnd(), L"64");
    EXPECT_FALSE(PressKey(VK_RETURN));  // the key goes on to the dialog
    EXPECT_EQ(slider.GetValue(), 64.0);
    EXPECT_EQ(changes.calls, 1);
    parent.TakeFocus();
    EXPECT_EQ(changes.calls, 1);
}

TEST_F(SliderTest, DisablingGreysEveryPart) {
    IControl& control = slider;
    control.Enable(false);
    for (HWND part :
         {slider.Hwnd(), slider.EditHwnd(), slider.SpinnerHwnd(), slider.LabelHwnd(), slider.Track().Hwnd()})
        EXPECT_FALSE(IsWindowEnabled(part));
    control.Enable(true);
    for (HWND part :
         {slider.Hwnd(), slider.EditHwnd(), slider.SpinnerHwnd(), slider.LabelHwnd(), slider.Track().Hwnd()})
        EXPECT_TRUE(IsWindowEnabled(part));
}

TEST_F(SliderTest, TheDefaultTickSitsWhereTheDefaultValueIs) {
    slider.SetTrackRange(0, 200);
    slider.SetDefaultValue(50);
    EXPECT_DOUBLE_EQ(slider.Track().DefaultFraction(), 0.25);
}

namespace {

class LengthSliderTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(slider.Create(parent.Hwnd(), RECT{0, 0, 260 + ParameterGrid::kMargin, 40}, 3, nullptr, "Width")
                        .IsSuccess());
        slider.SetRange(10, 1000, kLengthPixels);
        slider.SetTrackRange(0, 100, kLengthPixels);
        slider.SetChangeSink(&changes);
    }

    std::wstring Edit() const { return TextOf(slider.EditHwnd()); }

    VtLengthSliderControl slider;
};

}  // namespace

TEST_F(LengthSliderTest, ShowsTheValueInItsUnitWithTwoDecimalsAndTheUnitsName) {
    // 1 inch at 200 pixels per inch: 200 pixels; back in centimetres 5.08.
    slider.SetUnit(kLengthPixels, 200);
    slider.SetValue(LengthValue{1.0, kLengthInches});
    EXPECT_EQ(Edit(), L"200.00");
    EXPECT_EQ(TextOf(slider.UnitHwnd()), L"pixels");
    slider.SetUnit(kLengthCentimeters, 200);
    EXPECT_EQ(Edit(), L"2.54");
    EXPECT_EQ(TextOf(slider.UnitHwnd()), L"cm");
    const LengthValue value = slider.GetValue();
    EXPECT_EQ(value.unit, kLengthCentimeters);
    EXPECT_DOUBLE_EQ(value.value, 2.54);
    slider.SetUnitCaption("px wide");
    EXPECT_EQ(TextOf(slider.UnitHwnd()), L"px wide");
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(LengthSliderTest, AValueOnlyShownIsReadBackWhole) {
    // 10 pixels at 300 pixels per inch show as 0.03 inches; passing through
    // the field must not round the value to what it shows.
    slider.SetUnit(kLengthInches, 300);
    slider.SetValue(LengthValue{10.0, kLengthPixels});
    EXPECT_EQ(Edit(), L"0.03");
    slider.SetFocus();
    parent.TakeFocus();
    EXPECT_EQ(changes.calls, 0);
    EXPECT_NEAR(slider.GetValue().In(kLengthPixels, 300), 10.0, 1e-9);
}

TEST_F(LengthSliderTest, TypedDecimalsAreClampedToTheRangeInTheUnitShown) {
    // The range 10 to 1000 pixels is 0.1 to 10 inches at 100 pixels per inch.
    slider.SetUnit(kLengthInches, 100);
    slider.SetValue(LengthValue{1.0, kLengthInches});
    slider.SetFocus();
    ReplaceText(slider.EditHwnd(), L"2.5");
    parent.TakeFocus();
    EXPECT_DOUBLE_EQ(slider.GetValue().value, 2.5);
    EXPECT_EQ(changes.calls, 1);
    slider.SetFocus();
    ReplaceText(slider.EditHwnd(), L"25");
    parent.TakeFocus();
    EXPECT_DOUBLE_EQ(slider.GetValue().value, 10.0);
    EXPECT_EQ(Edit(), L"10.00");
    EXPECT_EQ(changes.calls, 2);
}

TEST_F(LengthSliderTest, DraggedLengthsAreRoundedToHundredths) {
    // Track 0..100 pixels over 249 pixels of travel: x = 105 is 100/249*100.
    MouseDown(slider.Track().Hwnd(), 105, 6);
    MouseUp(slider.Track().Hwnd(), 105, 6);
    EXPECT_DOUBLE_EQ(slider.GetValue().value, 40.16);
    EXPECT_EQ(Edit(), L"40.16");
    EXPECT_EQ(changes.calls, 1);
}
