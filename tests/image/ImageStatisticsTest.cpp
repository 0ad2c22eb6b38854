#include "image/ImageStatistics.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

const ChannelLayout kRGB(kColourModelRGB, 3, false);
const ChannelLayout kRGBA(kColourModelRGB, 3, true);
const ChannelLayout kGrey(kColourModelGrey, 1, false);
const ChannelLayout kGreyAlpha(kColourModelGrey, 1, true);

// An owning image over `bounds` whose pixels, row by row, are `pixels`.
Image<unsigned char> MakeImage(const ChannelLayout& layout, const Rect& bounds,
                               std::initializer_list<std::vector<unsigned char>> pixels) {
    ResultCode result;
    Image<unsigned char> image(layout, bounds, result);
    EXPECT_EQ(result.status, 0);
    auto pixel = pixels.begin();
    for (int32_t y = bounds.top; y < bounds.bottom; ++y)
        for (int32_t x = bounds.left; x < bounds.right; ++x, ++pixel) {
            EXPECT_EQ(pixel->size(), static_cast<std::size_t>(layout.channelCount));
            unsigned char* p = image.PixelAddress(Point{x, y});
            for (std::size_t j = 0; j < pixel->size(); ++j) p[j] = (*pixel)[j];
        }
    EXPECT_EQ(pixel, pixels.end());
    return image;
}

// Every pixel of `image` set to the pattern pixel chosen by the column parity.
void FillColumns(Image<unsigned char>& image, const std::vector<unsigned char>& even,
                 const std::vector<unsigned char>& odd) {
    for (int32_t y = image.bounds.top; y < image.bounds.bottom; ++y)
        for (int32_t x = image.bounds.left; x < image.bounds.right; ++x) {
            const std::vector<unsigned char>& source = (x - image.bounds.left) % 2 == 0 ? even : odd;
            unsigned char* p = image.PixelAddress(Point{x, y});
            for (std::size_t j = 0; j < source.size(); ++j) p[j] = source[j];
        }
}

std::vector<unsigned char> Bytes(const ColourPixel& pixel) {
    return std::vector<unsigned char>(pixel.channels, pixel.channels + pixel.layout.channelCount);
}

using V = std::vector<unsigned char>;

TEST(ImageStatisticsTest, VisiblePixelBoundsIsInclusiveBoxOfNonZeroAlpha) {
    // 5 wide, 4 high at (3, 2); grey without alpha does not count.
    Image<unsigned char> stamp =
        MakeImage(kGreyAlpha, Rect(2, 3, 6, 8), {V{9, 0}, V{0, 0}, V{0, 0}, V{0, 0},   V{9, 0},  //
                                                 V{0, 0}, V{0, 1}, V{0, 0}, V{0, 0},   V{0, 0},  //
                                                 V{0, 0}, V{0, 0}, V{0, 0}, V{0, 0},   V{0, 0},  //
                                                 V{0, 0}, V{0, 0}, V{0, 0}, V{0, 255}, V{7, 0}});
    // Visible: (4, 3) and (6, 5).
    EXPECT_EQ(VisiblePixelBounds(stamp), Rect(3, 4, 5, 6));

    Image<unsigned char> single = MakeImage(kGreyAlpha, Rect(0, 0, 2, 2), {V{0, 0}, V{5, 0}, V{0, 0}, V{0, 3}});
    EXPECT_EQ(VisiblePixelBounds(single), Rect(1, 1, 1, 1));

    Image<unsigned char> clear = MakeImage(kGreyAlpha, Rect(4, 4, 5, 6), {V{255, 0}, V{255, 0}});
    EXPECT_EQ(VisiblePixelBounds(clear), Rect(0, 0, 0, 0));

    // Without alpha every pixel is visible; no byte past the pixels is read.
    Image<unsigned char> opaque = MakeImage(kGrey, Rect(-1, 2, 1, 5), {V{0}, V{0}, V{0}, V{0}, V{0}, V{0}});
    EXPECT_EQ(VisiblePixelBounds(opaque), Rect(-1, 2, 0, 4));
}

TEST(ImageStatisticsTest, MeanColourWithoutAlphaRoundsEachChannel) {
    Image<unsigned char> image =
        MakeImage(kRGB, Rect(0, 0, 2, 2), {V{10, 20, 30}, V{20, 40, 60}, V{30, 60, 91}, V{43, 0, 1}});
    ColourPixel out;
    ASSERT_TRUE(MeanColour(image, image.bounds, out));
    EXPECT_EQ(out.layout, kRGB);
    // R 103/4 = 25.75, G 120/4 = 30, B 182/4 = 45.5.
    EXPECT_EQ(Bytes(out), (V{26, 30, 46}));

    // Right column only: R 63/2, G 40/2, B 61/2.
    ASSERT_TRUE(MeanColour(image, Rect(0, 1, 2, 2), out));
    EXPECT_EQ(Bytes(out), (V{32, 20, 31}));

    // A rectangle reaching past the image averages the part inside it.
    ASSERT_TRUE(MeanColour(image, Rect(-5, 1, 1, 9), out));
    EXPECT_EQ(Bytes(out), (V{20, 40, 60}));
}

TEST(ImageStatisticsTest, MeanColourWithAlphaWeightsColourByAlpha) {
    Image<unsigned char> image = MakeImage(kRGBA, Rect(0, 0, 1, 2), {V{200, 100, 0, 255}, V{0, 0, 100, 51}});
    ColourPixel out;
    ASSERT_TRUE(MeanColour(image, image.bounds, out));
    // Alpha 306/2 = 153; R 51000/306 = 166.7, G 25500/306 = 83.3, B 5100/306 = 16.7.
    EXPECT_EQ(Bytes(out), (V{167, 83, 17, 153}));

    Image<unsigned char> grey = MakeImage(kGreyAlpha, Rect(0, 0, 1, 3), {V{90, 0}, V{30, 10}, V{60, 20}});
    ASSERT_TRUE(MeanColour(grey, grey.bounds, out));
    // Alpha 30/3 = 10; grey (300 + 1200) / 30 = 50; the transparent 90 does not count.
    EXPECT_EQ(Bytes(out), (V{50, 10}));

    Image<unsigned char> clear = MakeImage(kRGBA, Rect(0, 0, 1, 2), {V{255, 128, 7, 0}, V{99, 99, 99, 0}});
    ASSERT_TRUE(MeanColour(clear, clear.bounds, out));
    EXPECT_EQ(Bytes(out), (V{0, 0, 0, 0}));
}

TEST(ImageStatisticsTest, RefusalsLeaveTheOutputAllZero) {
    Image<unsigned char> image = MakeImage(kGrey, Rect(0, 0, 2, 2), {V{1}, V{2}, V{3}, V{4}});
    ColourPixel out;
    out.channels[0] = 77;
    EXPECT_FALSE(MeanColour(image, Rect(5, 5, 8, 8), out));  // wholly outside
    EXPECT_EQ(out.channels[0], 0);
    EXPECT_FALSE(TiledMeanColour(image, image.bounds, Rect(3, 3, 3, 9), out));      // empty rectangle
    EXPECT_FALSE(TiledMeanColour(image, Rect(0, 0, 0, 2), Rect(0, 0, 1, 1), out));  // empty wrap
    // A wrap reaching outside the image would read memory it does not own.
    EXPECT_FALSE(TiledMeanColour(image, Rect(-1, 0, 2, 2), Rect(0, 0, 1, 1), out));

    ResultCode result;
    Image<unsigned char> wide(ChannelLayout(kColourModelNone, ColourPixel::kMaxChannels, true), Rect(0, 0, 1, 1),
                              result);
    ASSERT_EQ(result.status, 0);
    EXPECT_FALSE(MeanColour(wide, wide.bounds, out));
    EXPECT_FALSE(TiledMeanColour(wide, wide.bounds, wide.bounds, out));
}

TEST(ImageStatisticsTest, TiledMeanColourWrapsNegativeCoordinatesIntoTheTile) {
    // Grey 2 × 2 tile: row 0 is 0, 100; row 1 is 200, 42.
    Image<unsigned char> tile = MakeImage(kGrey, Rect(0, 0, 2, 2), {V{0}, V{100}, V{200}, V{42}});
    ColourPixel out;
    // x -5, -4, -3 wrap to 1, 0, 1; y -3 wraps to 1: 42 + 200 + 42 = 284, / 3 truncated.
    ASSERT_TRUE(TiledMeanColour(tile, tile.bounds, Rect(-3, -5, -2, -2), out));
    EXPECT_EQ(Bytes(out), (V{94}));

    // A wrap rectangle inside a larger image, away from the origin: the 2 × 2
    // block at (21, 11) of a 4 × 3 image at (20, 10).
    Image<unsigned char> image = MakeImage(kGrey, Rect(10, 20, 13, 24),
                                           {V{1}, V{1}, V{1}, V{1},    //
                                            V{1}, V{10}, V{20}, V{1},  //
                                            V{1}, V{30}, V{50}, V{1}});
    // x 19, 20 wrap to 21, 22; y 14 wraps to 12: 30 + 50 = 80, / 2.
    ASSERT_TRUE(TiledMeanColour(image, Rect(11, 21, 13, 23), Rect(14, 19, 15, 21), out));
    EXPECT_EQ(Bytes(out), (V{40}));
    // x 23 wraps to 21, y 11 stays: 10 + 30 = 40 over two rows, / 2.
    ASSERT_TRUE(TiledMeanColour(image, Rect(11, 21, 13, 23), Rect(11, 23, 13, 24), out));
    EXPECT_EQ(Bytes(out), (V{20}));
}

TEST(ImageStatisticsTest, TiledMeanColourWithAlphaTruncatesColourAndRoundsAlpha) {
    Image<unsigned char> tile = MakeImage(kRGBA, Rect(0, 0, 1, 2), {V{200, 100, 0, 255}, V{0, 0, 100, 51}});
    ColourPixel out;
    // Three points: x 0, 1, 2 wrap to 0, 1, 0: alpha 561, R 102000, G 51000, B 5100.
    ASSERT_TRUE(TiledMeanColour(tile, tile.bounds, Rect(0, 0, 1, 3), out));
    // R 181.8, G 90.9, B 9.09 truncated; alpha 561 / 3 = 187.
    EXPECT_EQ(Bytes(out), (V{181, 90, 9, 187}));

    Image<unsigned char> clear = MakeImage(kRGBA, Rect(0, 0, 1, 1), {V{50, 60, 70, 0}});
    ASSERT_TRUE(TiledMeanColour(clear, clear.bounds, Rect(-4, -4, 4, 4), out));
    EXPECT_EQ(Bytes(out), (V{0, 0, 0, 0}));
}

TEST(ImageStatisticsTest, TiledMeanColourSumsPast32Bits) {
    // A 300 × 300 opaque stamp with alternating columns: red sums to
    // 255 × (250 + 200) × 45000 ≈ 5.2e9, past 2^32.
    ResultCode result;
    Image<unsigned char> stamp(kRGBA, Rect(0, 0, 300, 300), result);
    ASSERT_EQ(result.status, 0);
    FillColumns(stamp, V{250, 10, 255, 255}, V{200, 30, 0, 255});
    ColourPixel out;
    ASSERT_TRUE(TiledMeanColour(stamp, stamp.bounds, stamp.bounds, out));
    EXPECT_EQ(Bytes(out), (V{225, 20, 127, 255}));  // blue 127.5 truncated

    // The same tile repeated over a rectangle 200 times its size.
    Image<unsigned char> pair = MakeImage(kRGBA, Rect(0, 0, 1, 2), {V{250, 10, 255, 255}, V{200, 30, 0, 255}});
    ASSERT_TRUE(TiledMeanColour(pair, pair.bounds, Rect(-200, -200, 200, 200), out));
    EXPECT_EQ(Bytes(out), (V{225, 20, 127, 255}));

    // Without alpha a 32-bit sum needs 2^32 / 255 ≈ 16.8 million pixels.
    Image<unsigned char> grey = MakeImage(kGrey, Rect(0, 0, 1, 2), {V{255}, V{254}});
    ASSERT_TRUE(TiledMeanColour(grey, grey.bounds, Rect(0, 0, 4200, 4200), out));
    EXPECT_EQ(Bytes(out), (V{254}));  // 254.5 truncated
}

}  // namespace
