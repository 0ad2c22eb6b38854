// The light, the shading amounts and the blends, against values worked out
// by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "filters/resurface/ResurfaceParameters.h"
#include "filters/resurface/SurfaceShading.h"
#include "filters/resurface/SurfaceTexture.h"

namespace resurface {
namespace {

TEST(SurfaceShading, DefaultLightComesFromTheUpperLeftAtFortyFiveDegrees) {
    const Light light = LightFrom(DefaultParameters().light);
    EXPECT_NEAR(light.x, -0.5, 1e-8);
    EXPECT_NEAR(light.y, -0.5, 1e-8);
    EXPECT_NEAR(light.z, std::sqrt(0.5), 1e-8);
    EXPECT_NEAR(light.highlightExponent, 20.3205081, 1e-6);  // 2·√75 + 3
    EXPECT_EQ(light.brightnessFactor, 0.5);
}

TEST(SurfaceShading, FlatSurfaceIsShadedByItsInclinationAlone) {
    const Light light = LightFrom(DefaultParameters().light);
    // e = Lz = sin 45°: shadow 255 (1 − 0.70711) = 74.69; r = Lz, highlight
    // 127.5 × 0.70711^20.32 = 127.5 × e^(−7.0425) = 0.1114.
    for (double gain : {0.1, 1.057, 3.0}) {
        const Shading flat = ShadingFor(gain, 0.0, 0.0, light);
        EXPECT_NEAR(flat.shadow, 74.6878, 1e-3);
        EXPECT_NEAR(flat.highlight, 0.1114, 1e-4);
    }
}

TEST(SurfaceShading, SlopesTurnTowardsOrAwayFromTheLight) {
    const Light light = LightFrom(DefaultParameters().light);
    // Rising to the lower right (gx = gy = -0.5 with gain 3): e = -1.5 + 0.7071 < 0.
    const Shading away = ShadingFor(3.0, -0.5, -0.5, light);
    EXPECT_EQ(away.shadow, 255.0);
    EXPECT_EQ(away.highlight, kNoHighlight);
    // Facing the light: N = (-0.7071, -0.7071, 1)·... with k·g = 0.7071 each
    // way, N ∥ L: e = 0.7071 + 0.7071 = 1.41421, |N| = √2, no shadow; r =
    // 2 × 1.41421 / 2 − 0.70711 = 0.70711, as for the flat surface.
    const double g = std::sqrt(0.5);
    const Shading facing = ShadingFor(1.0, g, g, light);
    EXPECT_NEAR(facing.shadow, 0.0, 1e-9);
    EXPECT_NEAR(facing.highlight, 0.1114, 1e-4);
    // Slopes along the light's mirror direction: straight up the mirror ray
    // when N is halfway between L and the viewer: full highlight.
    const Light bright = LightFrom(LightingValue{100.0, 100.0, 0.0, 90.0, ColorSpec::RGB(255, 255, 255)});
    EXPECT_NEAR(ShadingFor(1.0, 0.0, 0.0, bright).highlight, 255.0, 1e-9);  // r = 1, exponent 3
}

TEST(SurfaceShading, BlendsPaintOverThePixel) {
    const double black[3] = {0, 0, 0}, white[3] = {255, 255, 255};
    double opaque[3] = {100, 50, 200};
    BlendToward(opaque, 3, nullptr, black, 51);  // a fifth of the way to black
    EXPECT_DOUBLE_EQ(opaque[0], 80);
    EXPECT_DOUBLE_EQ(opaque[1], 40);
    EXPECT_DOUBLE_EQ(opaque[2], 160);
    BlendToward(opaque, 3, nullptr, white, 255);
    EXPECT_DOUBLE_EQ(opaque[2], 255);

    // o = 204 × 128 / 255 = 102.4, t = 153.4, c = 102.4 × 100 / 153.4.
    double translucent[2] = {100, 128};
    BlendToward(translucent, 1, &translucent[1], black, 51);
    EXPECT_NEAR(translucent[0], 66.7536, 1e-4);
    EXPECT_NEAR(translucent[1], 153.4, 1e-9);
    // Nothing to paint on and nothing painted: colours stay, alpha 0.
    double clear[2] = {42, 0};
    BlendToward(clear, 1, &clear[1], white, 0);
    EXPECT_EQ(clear[0], 42);
    EXPECT_EQ(clear[1], 0);
}

TEST(SurfaceShading, TexturesScaleToTheWidthButNeverUnderTwoPixels) {
    EXPECT_EQ(ScaledTextureSize(256, 128, 350).width, 350);
    EXPECT_EQ(ScaledTextureSize(256, 128, 350).height, 175);
    EXPECT_EQ(ScaledTextureSize(40, 30, 25).height, 19);  // 18.75 + 0.5
    EXPECT_EQ(ScaledTextureSize(300, 200, 1).width, 2);   // 1 x 0.67
    EXPECT_EQ(ScaledTextureSize(300, 200, 1).height, 2);
    EXPECT_EQ(ScaledTextureSize(300, 200, 0.001).width, 2);
    EXPECT_EQ(ScaledTextureSize(300, 200, std::nan("")).width, 2);
    EXPECT_EQ(ScaledTextureSize(10, 10, 1e30).width, kLargestTextureSide);
}

}  // namespace
}  // namespace resurface
