#include "platform/ProductVersion.h"

#include <gtest/gtest.h>

#include <regex>

TEST(ProductVersion, IsTheVersionNumberFollowedByRelease) {
    const std::string version = ProductVersion();
    EXPECT_TRUE(std::regex_match(version, std::regex("[0-9]+(\\.[0-9]+){1,3} Release"))) << version;
}
