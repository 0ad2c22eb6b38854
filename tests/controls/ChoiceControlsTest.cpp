// The checkbox, drop-down list and random seed controls, driven with the
// window messages of clicks, typing and focus changes.
#include <gtest/gtest.h>

#include "controls/ChildWindows.h"
#include "controls/ParameterGrid.h"
#include "controls/VtCheckboxControl.h"
#include "controls/VtDropdownListControl.h"
#include "controls/VtRandomSeedControl.h"
#include "tests/controls/TestWindows.h"

namespace {

class CheckboxTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(checkbox.Create(parent.Hwnd(), RECT{10, 10, 200, 28}, 5, nullptr, "Transparent").IsSuccess());
        checkbox.SetChangeSink(&changes);
    }
    VtCheckboxControl checkbox;
};

}  // namespace

TEST_F(CheckboxTest, SetCheckedNeverNotifiesAndClicksOnTheBoxDo) {
    checkbox.SetChecked(true);
    EXPECT_TRUE(checkbox.IsChecked());
    checkbox.SetChecked(false);
    EXPECT_FALSE(checkbox.IsChecked());
    EXPECT_EQ(changes.calls, 0);
    SendMessageW(checkbox.ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(checkbox.IsChecked());
    EXPECT_EQ(changes.calls, 1);
}

TEST_F(CheckboxTest, AClickOnTheLabelTogglesAndNotifiesOnce) {
    RECT label{};
    GetWindowRect(checkbox.LabelHwnd(), &label);
    MapWindowPoints(nullptr, checkbox.Hwnd(), reinterpret_cast<POINT*>(&label), 2);
    // The label lets the mouse through to the container.
    POINT inLabel{label.left + 5, label.top + 3};
    EXPECT_EQ(SendMessageW(checkbox.LabelHwnd(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);

    Click(checkbox.Hwnd(), inLabel.x, inLabel.y);
    EXPECT_TRUE(checkbox.IsChecked());
    EXPECT_EQ(changes.calls, 1);
    Click(checkbox.Hwnd(), inLabel.x, inLabel.y);
    EXPECT_FALSE(checkbox.IsChecked());
    EXPECT_EQ(changes.calls, 2);
}

TEST_F(CheckboxTest, APressOnTheLabelReleasedOutsideStillToggles) {
    MouseDown(checkbox.Hwnd(), 40, 5);
    EXPECT_EQ(GetCapture(), checkbox.Hwnd());
    MouseUp(checkbox.Hwnd(), -300, 400);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(checkbox.IsChecked());
    EXPECT_EQ(changes.calls, 1);
    // A release with no press before it is no click.
    MouseUp(checkbox.Hwnd(), 40, 5);
    EXPECT_TRUE(checkbox.IsChecked());
    EXPECT_EQ(changes.calls, 1);
}

TEST_F(CheckboxTest, AQuickDoubleClickOnTheLabelTogglesTwice) {
    // What the system sends for a double click: down, up, double-click, up.
    MouseDown(checkbox.Hwnd(), 40, 5);
    MouseUp(checkbox.Hwnd(), 40, 5);
    SendMessageW(checkbox.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 5));
    MouseUp(checkbox.Hwnd(), 40, 5);
    EXPECT_FALSE(checkbox.IsChecked());
    EXPECT_EQ(changes.calls, 2);
}

TEST_F(CheckboxTest, APressWhoseMouseAnotherWindowTakesIsNoClick) {
    MouseDown(checkbox.Hwnd(), 40, 5);
    SetCapture(parent.Hwnd());
    ReleaseCapture();
    MouseUp(checkbox.Hwnd(), 40, 5);
    EXPECT_FALSE(checkbox.IsChecked());
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(CheckboxTest, DisablingGreysButtonAndLabelTogether) {
    IControl& control = checkbox;
    control.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(checkbox.ButtonHwnd()));
    EXPECT_FALSE(IsWindowEnabled(checkbox.LabelHwnd()));
    EXPECT_FALSE(IsWindowEnabled(checkbox.Hwnd()));
    control.Enable(true);
    EXPECT_TRUE(IsWindowEnabled(checkbox.ButtonHwnd()));
    EXPECT_TRUE(IsWindowEnabled(checkbox.LabelHwnd()));
    EXPECT_TRUE(IsWindowEnabled(checkbox.Hwnd()));
}

namespace {

class DropdownListTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(list.Create(parent.Hwnd(), RECT{10, 10, 260, 40}, 6, nullptr, "Edge type").IsSuccess());
        list.SetChangeSink(&changes);
    }
    VtDropdownListControl list;
};

}  // namespace

TEST_F(DropdownListTest, NothingIsSelectedAtFirstAndUnknownValuesKeepTheSelection) {
    EXPECT_EQ(list.GetSelectedValue(), CB_ERR);
    list.AddItem(30, "Zebra");
    list.AddItem(10, "Apple");
    list.AddItem(-4, "Mango");
    EXPECT_EQ(list.GetSelectedValue(), CB_ERR);
    list.SelectValue(77);
    EXPECT_EQ(list.GetSelectedValue(), CB_ERR);

    list.SelectValue(10);
    EXPECT_EQ(list.GetSelectedValue(), 10);
    // Items stay in the order they were added: "Apple" is the second.
    EXPECT_EQ(SendMessageW(list.ComboHwnd(), CB_GETCURSEL, 0, 0), 1);
    list.SelectValue(77);
    EXPECT_EQ(list.GetSelectedValue(), 10);
    list.SelectValue(-4);
    EXPECT_EQ(list.GetSelectedValue(), -4);
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(DropdownListTest, TheLabelReadsLikeEveryOtherAndTheUsersPickNotifies) {
    EXPECT_EQ(TextOf(list.LabelHwnd()), L"Edge type");
    list.AddItem(1, "One");
    list.AddItem(2, "Two");
    list.SelectValue(1);
    // Down arrow in the closed list picks the next item, as the user would.
    SetFocus(list.ComboHwnd());
    SendMessageW(list.ComboHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list.GetSelectedValue(), 2);
    EXPECT_EQ(changes.calls, 1);
    IControl& control = list;
    EXPECT_EQ(control.SetFocus(), 1);
    EXPECT_EQ(GetFocus(), list.ComboHwnd());
}

namespace {

class RandomSeedTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        // As wide as the dialog's parameter column.
        ASSERT_TRUE(seed.Create(parent.Hwnd(), RECT{10, 10, 308, 32}, 8, nullptr, "Random seed").IsSuccess());
        seed.SetSeed(7);
        seed.SetChangeSink(&changes);
    }

    // Types `text` into the field and leaves it.
    void Enter(const std::wstring& text) {
        SetFocus(seed.EditHwnd());
        ReplaceText(seed.EditHwnd(), text);
        parent.TakeFocus();
    }

    VtRandomSeedControl seed;
};

}  // namespace

TEST_F(RandomSeedTest, TypedSeedsAreClampedShownBareAndNotifyOnce) {
    struct Case {
        const wchar_t* typed;
        int32_t seed;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"0", 0, L"0"},
        {L"-5", 0, L"0"},
        {L"12345", 12345, L"12345"},
        {L"70000", 65535, L"65535"},
        {L"99999999999999", 65535, L"65535"},
        {L"42abc", 42, L"42"},
        {L"  +13", 13, L"13"},
        {L"abc", 0, L"0"},
    };
    for (const Case& c : cases) {
        seed.SetSeed(7);
        changes.calls = 0;
        Enter(c.typed);
        EXPECT_EQ(seed.GetSeed(), c.seed) << c.typed;
        EXPECT_EQ(TextOf(seed.EditHwnd()), c.shown) << c.typed;
        EXPECT_EQ(changes.calls, 1) << c.typed;
    }
}

TEST_F(RandomSeedTest, TheSameSeedNeitherNotifiesNorRewritesTheText) {
    Enter(L"7abc");
    EXPECT_EQ(seed.GetSeed(), 7);
    EXPECT_EQ(TextOf(seed.EditHwnd()), L"7abc");
    Enter(L"007");
    EXPECT_EQ(TextOf(seed.EditHwnd()), L"007");
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(RandomSeedTest, SetSeedClampsAndNeverNotifies) {
    seed.SetSeed(-3);
    EXPECT_EQ(seed.GetSeed(), 0);
    seed.SetSeed(12345);
    EXPECT_EQ(seed.GetSeed(), 12345);
    seed.SetSeed(70000);
    EXPECT_EQ(seed.GetSeed(), 65535);
    EXPECT_EQ(TextOf(seed.EditHwnd()), L"65535");
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(RandomSeedTest, TheButtonDrawsTheNextSeedOfItsOwnSequence) {
    RandomGenerator reference(seed.Generator().State());
    for (int press = 0; press < 3; ++press) {
        SendMessageW(seed.ButtonHwnd(), BM_CLICK, 0, 0);
        const int32_t expected = 1 + reference.Next() % 9999;
        EXPECT_EQ(seed.GetSeed(), expected);
        EXPECT_EQ(TextOf(seed.EditHwnd()), std::to_wstring(expected));
    }
    EXPECT_EQ(changes.calls, 3);
}

TEST_F(RandomSeedTest, TheButtonFitsItsLabelAndTheFieldStandsInTheValueColumn) {
    const int w = seed.LabelWidth();
    EXPECT_GT(w, 20);
    RECT button{}, edit{}, control{};
    GetWindowRect(seed.ButtonHwnd(), &button);
    GetWindowRect(seed.EditHwnd(), &edit);
    GetWindowRect(seed.Hwnd(), &control);
    EXPECT_EQ(button.right - button.left, w + 15);
    EXPECT_EQ(button.bottom - button.top, 22);
    const ParameterGrid grid = ParameterGrid::For(seed.Hwnd(), nullptr);
    const int width = control.right - control.left;
    EXPECT_EQ(edit.left - control.left, grid.ValueLeft(width));
    EXPECT_EQ(edit.right - control.left, grid.ValueRight(width));
    // Room for the largest seed in the font.
    SIZE largest{};
    ASSERT_TRUE(MeasureText(seed.Hwnd(), nullptr, "65535", largest));
    EXPECT_GE(edit.right - edit.left, largest.cx + 12);
}

TEST_F(RandomSeedTest, EnterCommitsTheTypedSeed) {
    SetFocus(seed.EditHwnd());
    ReplaceText(seed.EditHwnd(), L"123");
    EXPECT_FALSE(PressKey(VK_RETURN));
    EXPECT_EQ(seed.GetSeed(), 123);
    EXPECT_EQ(changes.calls, 1);
}
