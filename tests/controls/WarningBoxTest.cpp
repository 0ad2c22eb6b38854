// Warning boxes are modal; a thread timer reads and closes each box from
// inside its message loop.
#include <gtest/gtest.h>

#include <string>

#include "controls/WarningBox.h"
#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"
#include "tests/controls/TestWindows.h"
#include "tests/platform/MessageBoxes_win32.h"

namespace {

SeenMessageBox gSeen;

void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) { AnswerMessageBox(IDOK, gSeen); }

class WarningBoxTest : public testing::Test {
protected:
    void SetUp() override {
        gSeen = SeenMessageBox{};
        timer = SetTimer(nullptr, 0, 50, CloseBoxes);
        ASSERT_NE(timer, 0u);
    }
    void TearDown() override { KillTimer(nullptr, timer); }
    UINT_PTR timer = 0;
};

}  // namespace

TEST_F(WarningBoxTest, ShowsTheTextWithTheCallersCaptionAndOwner) {
    TestParentWindow owner;
    ShowToolkitWarning(owner.Hwnd(),
                       "The name \xE2\x80\x9C"
                       "Soft\xE2\x80\x9D is taken.",
                       "Mornebrook Dapple!");
    ASSERT_TRUE(gSeen.seen);
    EXPECT_EQ(gSeen.caption, L"Mornebrook Dapple!");
    EXPECT_EQ(gSeen.text, L"The name \u201CSoft\u201D is taken.");
    EXPECT_EQ(gSeen.owner, owner.Hwnd());
}

TEST_F(WarningBoxTest, TextCanComeFromTheResourceModuleById) {
    // The test program carries the modules' string table.
    const std::string expected = LoadResourceString(10004);
    ASSERT_NE(expected, kLostString);
    ShowToolkitWarning(nullptr, 10004, "Mornebrook Dapple!");
    ASSERT_TRUE(gSeen.seen);
    EXPECT_EQ(gSeen.text, WideFromUtf8(expected));
}

TEST_F(WarningBoxTest, WithoutCaptionTheSystemCaptionIsUsed) {
    ShowToolkitWarning(nullptr, std::string("Plain."), nullptr);
    ASSERT_TRUE(gSeen.seen);
    EXPECT_FALSE(gSeen.caption.empty());
    EXPECT_NE(gSeen.caption, L"Mornebrook Dapple!");
}
