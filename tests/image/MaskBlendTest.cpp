// The mask blend of one pixel, against values worked out by hand
// from the integer formulas (divisions truncating toward zero).
#include <gtest/gtest.h>

#include <cstdint>

#include "image/MaskBlend.h"

namespace {

TEST(MaskBlend, WithoutAlphaMovesTowardTheRenderedPixelByTheMaskWeight) {
    struct Case {
        uint8_t input, rendered;
        int32_t t;
        uint8_t expected;
    };
    const Case cases[] = {
        {100, 200, 128, 150},  // 100 + 100·128/255 = 100 + 50.2
        {200, 100, 128, 150},  // 200 − 50.2 truncates toward zero to 200 − 50, not 149
        {10, 250, 1, 10},      // 240/255 < 1
        {10, 250, 254, 249},   // 10 + 60960/255 = 10 + 239.06
        {37, 90, 0, 37},       // unselected: the source
        {37, 90, 255, 90},     // selected: the render
    };
    for (const Case& c : cases) {
        const uint8_t input[1] = {c.input};
        uint8_t output[1] = {c.rendered};
        BlendPixel(input, output, 1, c.t);
        EXPECT_EQ(output[0], c.expected) << int(c.input) << " -> " << int(c.rendered) << " at " << c.t;
    }
}

TEST(MaskBlend, WithAlphaWeighsColoursByTheRenderedAlpha) {
    // v = 127·200 + 100·128 = 38200; f = 128·255·100 / 38200 = 85.4 → 85.
    const uint8_t input[4] = {100, 50, 20, 200};
    uint8_t output[4] = {200, 150, 220, 100};
    BlendPixelWithAlpha(input, output, 3, 128);
    EXPECT_EQ(output[0], 133);  // 100 + 100·85/255 = 100 + 33.3
    EXPECT_EQ(output[1], 83);   // 50 + 33.3
    EXPECT_EQ(output[2], 86);   // 20 + 200·85/255 = 20 + 66.7
    EXPECT_EQ(output[3], 150);  // 200 + (−100)·128/255 = 200 − 50.2 → 200 − 50
}

TEST(MaskBlend, WithAlphaOverATransparentSourceKeepsTheRenderedColour) {
    // aI = 0: v = 255·100 = 25500 and f = 100·255·255 / 25500 = 255.
    const uint8_t input[2] = {0, 0};
    uint8_t output[2] = {180, 255};
    BlendPixelWithAlpha(input, output, 1, 100);
    EXPECT_EQ(output[0], 180);
    EXPECT_EQ(output[1], 100);  // 0 + 255·100/255
}

TEST(MaskBlend, WithAlphaAndNoWeightAtAllClearsTheAlphaOnly) {
    // Transparent source outside the selection: v = 0.
    const uint8_t input[3] = {1, 2, 0};
    uint8_t output[3] = {9, 8, 77};
    BlendPixelWithAlpha(input, output, 2, 0);
    EXPECT_EQ(output[0], 9);
    EXPECT_EQ(output[1], 8);
    EXPECT_EQ(output[2], 0);
}

}  // namespace
