// The tiled real image behind the edge amounts: values as a plain array would
// hold them, memory only for tiles with more than one value.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "filters/edge/EdgeTiles.h"

namespace {

using edge::TiledImage;

TEST(EdgeTiles, HoldsWhatWasWrittenAcrossTileBorders) {
    // 150 x 70 from (-10, 5): three tile columns (64, 64, 22) and two rows.
    const Rect bounds(5, -10, 75, 140);
    TiledImage image;
    ASSERT_TRUE(image.Init(bounds, 0.25, -3.0).IsSuccess());
    EXPECT_EQ(image.TileColumns(), 3);
    EXPECT_EQ(image.TileRows(), 2);
    std::vector<double> plain;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x) {
            const double v = (x * 31 + y * 17) % 11 / 10.0;
            plain.push_back(v);
            image.Set(x, y, v);
        }
    }
    std::size_t i = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x) ASSERT_EQ(image.At(x, y), plain[i++]) << x << "," << y;
    EXPECT_EQ(image.At(bounds.left - 1, 10), -3.0);
    EXPECT_EQ(image.At(10, bounds.bottom), -3.0);
    EXPECT_FALSE(image.OutOfMemory());
    EXPECT_EQ(image.TileRect(2, 1), Rect(69, 118, 75, 140));
    EXPECT_EQ(image.TileEnd(-10), 54);
    EXPECT_EQ(image.TileEnd(130), 140);
}

TEST(EdgeTiles, RunsHoldWhatPixelByPixelWritesHold) {
    // Runs that start and end inside tiles and across them, onto tiles that
    // are unwritten, constant at the run's value or another, or materialised.
    const Rect bounds(5, -10, 75, 140);
    TiledImage runs;
    TiledImage pixels;
    ASSERT_TRUE(runs.Init(bounds, 0.0, -1.0).IsSuccess());
    ASSERT_TRUE(pixels.Init(bounds, 0.0, -1.0).IsSuccess());
    uint32_t state = 7;
    for (int pass = 0; pass < 400; ++pass) {
        state = state * 1664525u + 1013904223u;
        const int y = bounds.top + static_cast<int>(state >> 8) % bounds.Height();
        const int left = bounds.left + static_cast<int>(state >> 16) % bounds.Width();
        const int right = std::min(bounds.right, left + 1 + static_cast<int>(state >> 4) % 90);
        const double value = (state >> 28) % 3 / 2.0;
        runs.SetRun(y, left, right, value);
        for (int x = left; x < right; ++x) pixels.Set(x, y, value);
    }
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x) ASSERT_EQ(runs.At(x, y), pixels.At(x, y)) << x << "," << y;
}

TEST(EdgeTiles, OneValueTilesTakeNoMemory) {
    TiledImage image;
    ASSERT_TRUE(image.Init(Rect(0, 0, 128, 128), 0.0, 0.0).IsSuccess());
    // Tile 0 all ones, tile 1 all zeros but one pixel, tiles 2 and 3 untouched.
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) image.Set(x, y, x < 64 ? 1.0 : 0.0);
    image.Set(100, 30, 0.5);
    EXPECT_EQ(image.TileData(0), nullptr);
    EXPECT_EQ(image.TileConstant(0), 1.0);
    ASSERT_NE(image.TileData(1), nullptr);
    EXPECT_EQ(image.At(100, 30), 0.5);
    EXPECT_EQ(image.At(101, 30), 0.0);
    // A tile whose first value was 1 keeps it for pixels written before it
    // took memory.
    image.Set(0, 64, 1.0);
    image.Set(1, 64, 0.75);
    EXPECT_EQ(image.At(0, 64), 1.0);
    EXPECT_EQ(image.At(1, 64), 0.75);
    EXPECT_EQ(image.At(127, 127), 0.0);  // never written: the initial value

    image.SetTileConstant(1, 0.125);
    EXPECT_EQ(image.TileData(1), nullptr);
    EXPECT_EQ(image.At(100, 30), 0.125);
}

TEST(EdgeTiles, BilinearReadsNeighboursInOtherTilesAndBeyond) {
    TiledImage image;
    ASSERT_TRUE(image.Init(Rect(0, 0, 70, 70), 0.0, 1.0).IsSuccess());
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 70; ++x) image.Set(x, y, x / 100.0 + y / 1000.0);
    // Between columns 63 and 64 (two tiles) and rows 10 and 11.
    EXPECT_NEAR(image.Bilinear(63.25, 10.5), 0.6325 + 0.0105, 1e-12);
    // Half a pixel beyond the right side reads the outside value 1.
    EXPECT_NEAR(image.Bilinear(69.5, 0.0), 0.5 * 0.69 + 0.5 * 1.0, 1e-12);
}

}  // namespace
