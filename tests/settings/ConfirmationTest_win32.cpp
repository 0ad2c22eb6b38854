// The archiver's Yes/No questions before a setting is replaced or deleted:
// a task-modal box owned by the caller's window, with the name in its text
// and No as the default. A thread timer reads the box and answers it.
#include <gtest/gtest.h>

#include <string>

#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"
#include "platform/WinApi.h"
#include "settings/SettingsArchiver.h"
#include "tests/platform/MessageBoxes_win32.h"

namespace {

SeenMessageBox gBox;
int gAnswer = IDNO;

void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) { AnswerMessageBox(gAnswer, gBox); }

class Confirmation : public testing::Test {
protected:
    void SetUp() override {
        gBox = SeenMessageBox{};
        gAnswer = IDNO;
        owner_ = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                 nullptr);
        ASSERT_NE(owner_, nullptr);
        timer_ = SetTimer(nullptr, 0, 50, Answer);
    }
    void TearDown() override {
        KillTimer(nullptr, timer_);
        DestroyWindow(owner_);
    }

    HWND owner_ = nullptr;
    UINT_PTR timer_ = 0;
};

}  // namespace

TEST_F(Confirmation, ReplaceAsksWithTheNameAndYesAnswersZero) {
    gAnswer = IDYES;
    EXPECT_EQ(SettingsArchiver::ConfirmReplace(owner_, "Soft Ragged").status, ResultCode::kSuccess);
    ASSERT_TRUE(gBox.seen);
    EXPECT_EQ(gBox.owner, owner_);
    EXPECT_EQ(gBox.caption, WideFromUtf8(LoadResourceString(SettingsArchiver::kReplaceCaptionId)));
    EXPECT_EQ(gBox.text, WideFromUtf8(WithName(LoadResourceString(SettingsArchiver::kReplaceTextId), "Soft Ragged")));
    EXPECT_NE(gBox.text.find(L"Soft Ragged"), std::wstring::npos);
    EXPECT_EQ(gBox.defaultButton, IDNO);
}

TEST_F(Confirmation, DeleteAnsweredNoIsAFailure) {
    gAnswer = IDNO;
    EXPECT_EQ(SettingsArchiver::ConfirmDelete(owner_, "Torn Paper").status, ResultCode::kFailure);
    ASSERT_TRUE(gBox.seen);
    EXPECT_EQ(gBox.caption, WideFromUtf8(LoadResourceString(SettingsArchiver::kDeleteCaptionId)));
    EXPECT_NE(gBox.text.find(L"Torn Paper"), std::wstring::npos);
}

TEST_F(Confirmation, WithoutAnOwnerNothingIsAskedAndTheAnswerIsNo) {
    EXPECT_EQ(SettingsArchiver::ConfirmReplace(nullptr, "Soft").status, ResultCode::kFailure);
    EXPECT_EQ(SettingsArchiver::ConfirmDelete(nullptr, "Soft").status, ResultCode::kFailure);
    EXPECT_FALSE(gBox.seen);
}
