// Hue, saturation and value: values worked out by hand, and the way back.
#include <gtest/gtest.h>

#include "image/HueSaturationValue.h"

namespace {

void ExpectHSV(const RGBColour& rgb, double hue, double saturation, double value) {
    const HSVColour hsv = ToHSV(rgb);
    EXPECT_NEAR(hsv.hue, hue, 1e-12) << rgb.red << " " << rgb.green << " " << rgb.blue;
    EXPECT_NEAR(hsv.saturation, saturation, 1e-12);
    EXPECT_NEAR(hsv.value, value, 1e-12);
}

TEST(HueSaturationValue, HandWorkedColours) {
    ExpectHSV({1.0, 0.0, 0.0}, 0.0, 1.0, 1.0);
    ExpectHSV({0.0, 0.8, 0.0}, 1.0 / 3.0, 1.0, 0.8);
    ExpectHSV({0.0, 0.0, 0.5}, 2.0 / 3.0, 1.0, 0.5);
    // Red largest, blue above green: (0 − 0.5) / 1 / 6 + 1.
    ExpectHSV({1.0, 0.0, 0.5}, 1.0 - 0.5 / 6.0, 1.0, 1.0);
    // Green largest: ((0.2 − 0.4) / 0.6 + 2) / 6.
    ExpectHSV({0.4, 1.0, 0.2}, (-0.2 / 0.8 + 2.0) / 6.0, 0.8, 1.0);
    ExpectHSV({0.3, 0.3, 0.3}, 0.0, 0.0, 0.3);
    ExpectHSV({0.0, 0.0, 0.0}, 0.0, 0.0, 0.0);
}

TEST(HueSaturationValue, BackToRedGreenBlueGivesTheColour) {
    for (int r = 0; r <= 10; ++r)
        for (int g = 0; g <= 10; ++g)
            for (int b = 0; b <= 10; ++b) {
                const RGBColour in{r / 10.0, g / 10.0, b / 10.0};
                const RGBColour out = ToRGB(ToHSV(in));
                ASSERT_NEAR(out.red, in.red, 1e-9) << r << g << b;
                ASSERT_NEAR(out.green, in.green, 1e-9) << r << g << b;
                ASSERT_NEAR(out.blue, in.blue, 1e-9) << r << g << b;
            }
}

}  // namespace
