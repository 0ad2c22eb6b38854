// What the preview draws: colours of every layout, transparency over the
// checkerboard, which pixel lands where at a magnification, and the
// thumbnail's frame.
#include <gtest/gtest.h>

#include <vector>

#include "dialog/PreviewPixels.h"

namespace {

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

}  // namespace

TEST(PreviewPixelsTest, ColoursOfEveryLayout) {
    const unsigned char rgb[] = {10, 20, 30};
    EXPECT_EQ(ScreenColour(rgb, ChannelLayout(kColourModelRGB, 3, false), 0, 0), Rgb(10, 20, 30));
    const unsigned char grey[] = {77};
    EXPECT_EQ(ScreenColour(grey, ChannelLayout(kColourModelGrey, 1, false), 0, 0), Rgb(77, 77, 77));
    // CMYK samples are inverted: 255 is no ink, so all 255 is white and no
    // black ink over full cyan is a saturated cyan.
    const unsigned char paper[] = {255, 255, 255, 255};
    EXPECT_EQ(ScreenColour(paper, ChannelLayout(kColourModelCMYK, 4, false), 0, 0), Rgb(255, 255, 255));
    const unsigned char cyan[] = {0, 255, 255, 255};
    const uint32_t shown = ScreenColour(cyan, ChannelLayout(kColourModelCMYK, 4, false), 0, 0);
    EXPECT_LT(shown >> 16, 60u);
    EXPECT_GT(shown & 0xFF, 200u);
    // Lab: L* 100 (255), a and b 0 (128) is white.
    const unsigned char white[] = {255, 128, 128};
    EXPECT_EQ(ScreenColour(white, ChannelLayout(kColourModelLab, 3, false), 0, 0), Rgb(255, 255, 255));
}

TEST(PreviewPixelsTest, TransparencyShowsTheCheckerboardThrough) {
    const ChannelLayout layout(kColourModelRGB, 3, true);
    const unsigned char clear[] = {200, 0, 0, 0};
    const unsigned char half[] = {0, 0, 0, 128};
    // Light squares (255) and dark ones (204) of 8 pixels.
    EXPECT_EQ(ScreenColour(clear, layout, 0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(ScreenColour(clear, layout, 8, 0), Rgb(204, 204, 204));
    EXPECT_EQ(ScreenColour(clear, layout, 8, 8), Rgb(255, 255, 255));
    // Black at 128/255 over white: 255 × 127 / 255, rounded.
    EXPECT_EQ(ScreenColour(half, layout, 0, 0), Rgb(127, 127, 127));
}

TEST(PreviewPixelsTest, AMagnifiedViewRepeatsEachPixelAndARenderReplacesTheSource) {
    // A 20 × 10 grey ramp, shown at 400 % in a 16 × 8 view.
    ResultCode made;
    Image<unsigned char> image(ChannelLayout(kColourModelGrey, 1, false), Rect(0, 0, 10, 20), made);
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 20; ++x) *image.PixelAddress(Point{x, y}) = static_cast<unsigned char>(10 * x + y);
    PreviewGeometry geometry;
    geometry.SetImageSize(20, 10);
    geometry.SetViewSize(16, 8);
    geometry.ActualSize();
    while (geometry.Scale() > 0.25) geometry.ZoomIn();
    const Point origin = geometry.Origin();
    std::vector<uint32_t> pixels(16 * 8);
    ComposeView(geometry, image, nullptr, pixels.data());
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            const uint32_t v = static_cast<uint32_t>(10 * (origin.x + x / 4) + origin.y + y / 4);
            ASSERT_EQ(pixels[static_cast<std::size_t>(y) * 16 + x], Rgb(v, v, v)) << x << "," << y;
        }
    }
    // A render of part of the view replaces those pixels only.
    RowImage rendered;
    ASSERT_TRUE(rendered.Allocate(Rect(origin.y, origin.x, origin.y + 1, origin.x + 2), 1, 1).IsSuccess());
    std::fill(rendered.Row(origin.y), rendered.Row(origin.y) + 2, 250);
    ComposeView(geometry, image, &rendered, pixels.data());
    EXPECT_EQ(pixels[0], Rgb(250, 250, 250));
    EXPECT_EQ(pixels[7], Rgb(250, 250, 250));
    EXPECT_NE(pixels[8], Rgb(250, 250, 250));
    EXPECT_NE(pixels[4 * 16], Rgb(250, 250, 250));
}

TEST(PreviewPixelsTest, TheThumbnailFitsTheImageAndMapsBothWays) {
    const ThumbnailFrame frame(6000, 4000, 71, 71);
    EXPECT_NEAR(frame.Scale(), 6000.0 / 71.0, 1e-9);
    const Rect whole = frame.ThumbnailRect(Rect(0, 0, 4000, 6000));
    EXPECT_EQ(whole.left, 0);
    EXPECT_EQ(whole.right, 71);
    EXPECT_EQ(whole.top, (71 - 47) / 2);
    const SourcePoint middle = frame.SourceAt(35, 35);
    EXPECT_NEAR(middle.x, 3000.0, frame.Scale());
    EXPECT_NEAR(middle.y, 2000.0, frame.Scale());
    // A small image is not enlarged.
    EXPECT_EQ(ThumbnailFrame(30, 20, 71, 71).Scale(), 1.0);
}
