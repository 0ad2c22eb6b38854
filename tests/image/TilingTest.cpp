// The tiler against a naive walk that steps square by square from the
// starting edge, and its edge cases.
#include <gtest/gtest.h>

#include <vector>

#include "image/Tiling.h"

namespace {

std::vector<Rect> NaiveTiles(const Rect& area, int32_t size, TileOrder order) {
    std::vector<Rect> tiles;
    if (area.IsEmpty()) return tiles;
    if (size <= 0) return {area};
    for (int32_t row = 0;; ++row) {
        const int32_t top = order == TileOrder::TopDown ? area.top + row * size : area.bottom - (row + 1) * size;
        if (top >= area.bottom || top + size <= area.top) break;
        for (int32_t left = area.left; left < area.right; left += size)
            tiles.push_back(Rect::Intersect(Rect(top, left, top + size, left + size), area));
    }
    return tiles;
}

std::vector<Rect> Tiles(const Tiling& tiling) {
    std::vector<Rect> tiles;
    for (int32_t i = 0; i < tiling.Count(); ++i) tiles.push_back(tiling.Tile(i));
    return tiles;
}

TEST(Tiling, MatchesANaiveWalkInBothOrders) {
    const Rect areas[] = {Rect(0, 0, 40, 30), Rect(-7, -13, 301, 599), Rect(5, 3, 6, 4), Rect(-20, -20, -1, -2)};
    for (const Rect& area : areas) {
        for (int32_t size : {1, 7, 30, 300, 1000}) {
            for (TileOrder order : {TileOrder::TopDown, TileOrder::BottomUp}) {
                const Tiling tiling{area, size, order};
                EXPECT_EQ(Tiles(tiling), NaiveTiles(area, size, order))
                    << area.left << "," << area.top << " size " << size;
            }
        }
    }
}

TEST(Tiling, BottomUpStartsAtTheBottomLeftAndClipsTheTopRow) {
    const Tiling tiling{Rect(0, 0, 40, 30), 30, TileOrder::BottomUp};
    ASSERT_EQ(tiling.Count(), 2);  // 1 column × 2 rows
    EXPECT_EQ(tiling.Tile(0), Rect(10, 0, 40, 30));
    EXPECT_EQ(tiling.Tile(1), Rect(0, 0, 10, 30));
}

TEST(Tiling, EmptyAreaHasNoTilesAndANonPositiveSizeTakesTheAreaWhole) {
    for (TileOrder order : {TileOrder::TopDown, TileOrder::BottomUp}) {
        EXPECT_EQ((Tiling{Rect(5, 5, 5, 90), 500, order}.Count()), 0);
        EXPECT_EQ((Tiling{Rect(5, 5, 5, 90), 0, order}.Count()), 0);
        for (int32_t size : {0, -3}) {
            const Tiling whole{Rect(0, 0, 40, 30), size, order};
            ASSERT_EQ(whole.Count(), 1);
            EXPECT_EQ(whole.Tile(0), Rect(0, 0, 40, 30));
        }
    }
}

}  // namespace
