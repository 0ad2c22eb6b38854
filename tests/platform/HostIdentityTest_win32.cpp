#include "platform/HostIdentity.h"

#include <gtest/gtest.h>

#include <string>

TEST(HostIdentity, ThisProgramIsTheHost) {
    const std::string path = HostExecutablePath();
    ASSERT_GT(path.size(), 3u);
    EXPECT_EQ(path.substr(1, 2), ":\\") << path;  // a drive path
    const std::string name = "\\test_platform.exe";
    ASSERT_GE(path.size(), name.size());
    EXPECT_EQ(path.substr(path.size() - name.size()), name);
    EXPECT_TRUE(HostAllowsEffectSwitching());
}
