#include <gtest/gtest.h>

#include "controls/EventNotifySink.h"
#include "controls/VtButtonControl.h"
#include "tests/controls/TestWindows.h"

namespace {

class ButtonTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(classes.result.IsSuccess());
        ASSERT_NE(parent.Hwnd(), nullptr);
    }

    RegisteredControlClasses classes;
    TestParentWindow parent;
};

RECT ChildRectInParent(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TEST_F(ButtonTest, InnerButtonIsOnePixelInsideOnEverySideWithTheStockFont) {
    VtButtonControl button;
    ASSERT_TRUE(button.Create(parent.Hwnd(), RECT{20, 30, 95, 53}, 7, false, nullptr).IsSuccess());
    ASSERT_NE(button.ButtonHwnd(), nullptr);

    const RECT outer = ChildRectInParent(button.Hwnd(), parent.Hwnd());
    EXPECT_EQ(outer.left, 20);
    EXPECT_EQ(outer.top, 30);
    EXPECT_EQ(outer.right - outer.left, 75);
    EXPECT_EQ(outer.bottom - outer.top, 23);

    const RECT inner = ChildRectInParent(button.ButtonHwnd(), button.Hwnd());
    EXPECT_EQ(inner.left, 0);
    EXPECT_EQ(inner.top, 0);
    EXPECT_EQ(inner.right - inner.left, 73);
    EXPECT_EQ(inner.bottom - inner.top, 21);

    const auto font = reinterpret_cast<HFONT>(SendMessageW(button.ButtonHwnd(), WM_GETFONT, 0, 0));
    EXPECT_EQ(font, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(GetDlgCtrlID(button.ButtonHwnd()), VtButtonControl::kInnerButtonId);
    EXPECT_EQ(GetDlgCtrlID(button.Hwnd()), 7);
    EXPECT_NE(GetWindowLongW(button.Hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
}

TEST_F(ButtonTest, GivenFontAndDefaultStyleAreUsed) {
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    ASSERT_NE(font, nullptr);
    {
        VtButtonControl button;
        ASSERT_TRUE(button.Create(parent.Hwnd(), RECT{0, 0, 60, 20}, 1, true, font).IsSuccess());
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button.ButtonHwnd(), WM_GETFONT, 0, 0)), font);
        EXPECT_EQ(GetWindowLongW(button.ButtonHwnd(), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
        DestroyWindow(button.Hwnd());
    }
    DeleteObject(font);
}

TEST_F(ButtonTest, ClickNotifiesTheSinkOnce) {
    VtButtonControl button;
    ASSERT_TRUE(button.Create(parent.Hwnd(), RECT{0, 0, 60, 20}, 1, false, nullptr).IsSuccess());
    CountingSink sink;
    // Without a sink a click does nothing harmful.
    SendMessageW(button.ButtonHwnd(), BM_CLICK, 0, 0);
    button.SetClickSink(&sink);
    SendMessageW(button.ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(sink.calls, 1);
    // A command from another child id is no click.
    button.Send(WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0);
    EXPECT_EQ(sink.calls, 1);
    button.SetClickSink(nullptr);
    SendMessageW(button.ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(sink.calls, 1);
}

TEST_F(ButtonTest, CaptionAndEnableActOnTheInnerButton) {
    VtButtonControl button;
    ASSERT_TRUE(button.Create(parent.Hwnd(), RECT{0, 0, 60, 20}, 1, false, nullptr).IsSuccess());
    button.SetCaption("Ab\xC3\xA9");  // UTF-8 in, the same text on screen
    wchar_t text[16] = {};
    GetWindowTextW(button.ButtonHwnd(), text, 16);
    EXPECT_STREQ(text, L"Ab\u00E9");

    IControl& control = button;
    control.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(button.ButtonHwnd()));
    EXPECT_TRUE(IsWindowEnabled(button.Hwnd()));
    control.Enable(true);
    EXPECT_TRUE(IsWindowEnabled(button.ButtonHwnd()));
}

TEST_F(ButtonTest, MemberSinkForwardsToItsOwner) {
    struct Owner {
        void Clicked() { ++clicks; }
        int clicks = 0;
    } owner;
    MemberNotifySink<Owner, &Owner::Clicked> sink(&owner);
    VtButtonControl button;
    ASSERT_TRUE(button.Create(parent.Hwnd(), RECT{0, 0, 60, 20}, 1, false, nullptr).IsSuccess());
    button.SetClickSink(&sink);
    SendMessageW(button.ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(owner.clicks, 1);
}
