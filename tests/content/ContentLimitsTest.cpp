#include "content/ContentLimits.h"

#include <gtest/gtest.h>

namespace {

// 4096 pixels per stored byte, and never beyond 2^28 pixels.
TEST(ContentLimitsTest, PicturesMayNotOutgrowTheirFilesOrTheAbsoluteLimit) {
    EXPECT_TRUE(IsPlausiblePictureSize(4096, 1, 1));
    EXPECT_FALSE(IsPlausiblePictureSize(4097, 1, 1));
    EXPECT_TRUE(IsPlausiblePictureSize(64, 640, 10));
    EXPECT_FALSE(IsPlausiblePictureSize(64, 641, 10));
    EXPECT_FALSE(IsPlausiblePictureSize(1, 1, 0));

    const uint64_t plenty = uint64_t(1) << 40;
    EXPECT_TRUE(IsPlausiblePictureSize(1 << 14, 1 << 14, plenty));
    EXPECT_FALSE(IsPlausiblePictureSize((1 << 14) + 1, 1 << 14, plenty));
    EXPECT_FALSE(IsPlausiblePictureSize(INT32_MAX, INT32_MAX, plenty));
    EXPECT_FALSE(IsPlausiblePictureSize(0, 5, plenty));
    EXPECT_FALSE(IsPlausiblePictureSize(5, -5, plenty));
}

}  // namespace
