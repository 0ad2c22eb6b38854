// Without windows nobody can answer the archiver's questions: every one is
// answered No, with an owner or without.
#include <gtest/gtest.h>

#include "settings/SettingsArchiver.h"

TEST(Confirmation, WithoutWindowsTheAnswerIsAlwaysNo) {
    int window = 0;
    EXPECT_EQ(SettingsArchiver::ConfirmReplace(&window, "Soft").status, ResultCode::kFailure);
    EXPECT_EQ(SettingsArchiver::ConfirmDelete(&window, "Soft").status, ResultCode::kFailure);
    EXPECT_EQ(SettingsArchiver::ConfirmReplace(nullptr, "Soft").status, ResultCode::kFailure);
}
