// Without a sink, warnings go to standard error where there are no windows.
#include "platform/Warning.h"

#include <gtest/gtest.h>

#include <string>

TEST(Warning, WithoutSinkOneLineGoesToStandardError) {
    const WarningSink previous = SetWarningSink(nullptr);
    testing::internal::CaptureStderr();
    ShowWarning("Reading the selection failed.", nullptr);
    const std::string written = testing::internal::GetCapturedStderr();
    SetWarningSink(previous);
    EXPECT_EQ(written, "Mornebrook Dapple!: Reading the selection failed.\n");
}
