// The tab control: one page per title, the page of the chosen tab shown.
#include <gtest/gtest.h>

#include "controls/CommonControls.h"
#include "controls/VtTabControl.h"
#include "tests/controls/TestWindows.h"

namespace {

class TabControlTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(tabs.Create(parent.Hwnd(), RECT{5, 5, 305, 205}, 1009, nullptr).IsSuccess());
        for (const char* title : {"Edge", "Colour", "Light"}) ASSERT_TRUE(tabs.AddPage(title).IsSuccess());
        tabs.SetChangeSink(&changes);
    }

    std::vector<bool> Shown() {
        std::vector<bool> shown;
        // The pages' own visibility: the test parent itself stays hidden.
        for (int i = 0; i < tabs.PageCount(); ++i)
            shown.push_back((GetWindowLongW(tabs.PageWindow(i), GWL_STYLE) & WS_VISIBLE) != 0);
        return shown;
    }

    VtTabControl tabs;
};

}  // namespace

TEST_F(TabControlTest, OnePagePerTitleWithTheFirstShown) {
    ASSERT_EQ(tabs.PageCount(), 3);
    EXPECT_EQ(TabCtrl_GetItemCount(tabs.TabsHwnd()), 3);
    EXPECT_EQ(tabs.CurrentPage(), 0);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(tabs.PageWindow(3), nullptr);
    EXPECT_EQ(tabs.PageWindow(-1), nullptr);
    // Pages lie under the tab strip, inside the control.
    RECT page{};
    GetWindowRect(tabs.PageWindow(1), &page);
    MapWindowPoints(nullptr, tabs.Hwnd(), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_GT(page.top, 10);
    EXPECT_GT(page.left, 0);
    EXPECT_LT(page.right, 300);
    EXPECT_LT(page.bottom, 200);
}

TEST_F(TabControlTest, AClickOnATabShowsItsPageAndNotifies) {
    RECT item{};
    TabCtrl_GetItemRect(tabs.TabsHwnd(), 2, &item);
    Click(tabs.TabsHwnd(), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    EXPECT_EQ(tabs.CurrentPage(), 2);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));

    tabs.SelectPage(1);
    EXPECT_EQ(tabs.CurrentPage(), 1);
    EXPECT_EQ(changes.calls, 1);
    tabs.SelectPage(7);
    EXPECT_EQ(tabs.CurrentPage(), 1);
}

TEST_F(TabControlTest, CtrlTabStepsThroughThePagesFromInside) {
    HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, tabs.PageWindow(0), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetFocus(field);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(PressKey(VK_TAB));
    EXPECT_EQ(tabs.CurrentPage(), 1);
    {
        HeldShift shift;
        PressKey(VK_TAB);
        PressKey(VK_TAB);
    }
    EXPECT_EQ(tabs.CurrentPage(), 2);
    EXPECT_EQ(changes.calls, 3);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    // Tab alone is the dialog's.
    EXPECT_FALSE(PressKey(VK_TAB));
    EXPECT_EQ(tabs.CurrentPage(), 2);
}

TEST_F(TabControlTest, PagesFollowTheControlsSize) {
    RECT before{};
    GetClientRect(tabs.PageWindow(0), &before);
    IControl& control = tabs;
    control.SetRect(RECT{5, 5, 405, 305});
    RECT after{};
    GetClientRect(tabs.PageWindow(0), &after);
    EXPECT_EQ(after.right - before.right, 100);
    EXPECT_EQ(after.bottom - before.bottom, 100);
}
