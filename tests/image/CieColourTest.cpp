// sRGB, XYZ and Lab against published values, and the way back.
#include "image/CieColour.h"

#include <gtest/gtest.h>

namespace {

TEST(CieColour, SrgbPrimariesAndWhiteHaveTheirPublishedCoordinates) {
    // sRGB red: XYZ (0.4125, 0.2127, 0.0193), L* 53.24, a* 80.09, b* 67.20.
    const XYZColour red = XYZFromSrgb(RGBColour{1.0, 0.0, 0.0});
    EXPECT_NEAR(red.x, 0.4125, 1e-4);
    EXPECT_NEAR(red.y, 0.2127, 1e-4);
    EXPECT_NEAR(red.z, 0.0193, 1e-4);
    const LabColour lab = LabFromXYZ(red);
    EXPECT_NEAR(lab.lightness, 53.24, 0.01);
    EXPECT_NEAR(lab.a, 80.09, 0.01);
    EXPECT_NEAR(lab.b, 67.20, 0.01);
    // The white is D65, L* 100 with no colour; a dark grey stays on the
    // straight part of the curve (L* 903.3 Y below Y 0.008856).
    const LabColour white = LabFromXYZ(XYZFromSrgb(RGBColour{1.0, 1.0, 1.0}));
    EXPECT_NEAR(white.lightness, 100.0, 1e-5);
    EXPECT_NEAR(white.a, 0.0, 1e-3);
    EXPECT_NEAR(white.b, 0.0, 1e-3);
    EXPECT_NEAR(LabFromXYZ(XYZColour{0.0, 0.005, 0.0}).lightness, 903.2963 * 0.005, 1e-6);
}

// The published matrices are each other's inverse to about seven digits.
TEST(CieColour, ColoursOfTheGamutComeBackAndOthersAreClipped) {
    for (const RGBColour& colour : {RGBColour{0.2, 0.5, 0.9}, RGBColour{0.01, 0.0, 0.02}, RGBColour{1.0, 0.7, 0.0}}) {
        const RGBColour back = SrgbFromXYZ(XYZFromLab(LabFromXYZ(XYZFromSrgb(colour))));
        EXPECT_NEAR(back.red, colour.red, 1e-6);
        EXPECT_NEAR(back.green, colour.green, 1e-6);
        EXPECT_NEAR(back.blue, colour.blue, 1e-6);
    }
    // Lab's most saturated green lies outside sRGB.
    const RGBColour clipped = SrgbFromXYZ(XYZFromLab(LabColour{50.0, -128.0, 0.0}));
    EXPECT_EQ(clipped.red, 0.0);
    EXPECT_GE(clipped.green, 0.0);
    EXPECT_LE(clipped.green, 1.0);
}

}  // namespace
