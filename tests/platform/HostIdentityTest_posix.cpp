#include "platform/HostIdentity.h"

#include <gtest/gtest.h>

#include <string>

TEST(HostIdentity, ThisProgramIsTheHost) {
    const std::string path = HostExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    const std::string name = "test_platform";
    ASSERT_GE(path.size(), name.size());
    EXPECT_EQ(path.substr(path.size() - name.size()), name);
    EXPECT_TRUE(HostAllowsEffectSwitching());
}
