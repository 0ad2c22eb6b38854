#include "image/ContourIterator.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/image/DistanceReference.h"

namespace {

using namespace distance_reference;

// Cell corners and corner values, in walk order.
std::vector<std::vector<int>> Walk(const TestMask& mask, const Rect& rect) {
    std::vector<std::vector<int>> seen;
    ContourIterator it(mask.image);
    for (it.Begin(rect, nullptr, 0.0, 1.0); it.IsValid(); it.Next()) {
        seen.push_back(
            {it.Cell().x, it.Cell().y, it.CornerValue(0), it.CornerValue(1), it.CornerValue(2), it.CornerValue(3)});
    }
    return seen;
}

// Every cell of `rect` (one column / row earlier at the image's own left / top
// edge) whose corners lie on both sides of the level, checked one by one.
std::vector<std::vector<int>> BruteForceCells(const TestMask& mask, const Rect& rect) {
    std::vector<std::vector<int>> cells;
    for (int y = rect.top - (rect.top == mask.Bounds().top); y < rect.bottom; ++y) {
        for (int x = rect.left - (rect.left == mask.Bounds().left); x < rect.right; ++x) {
            std::vector<int> cell = {x, y, mask.At(x, y), mask.At(x + 1, y), mask.At(x, y + 1), mask.At(x + 1, y + 1)};
            const int inside = (cell[2] >= 128) + (cell[3] >= 128) + (cell[4] >= 128) + (cell[5] >= 128);
            if (inside != 0 && inside != 4) cells.push_back(cell);
        }
    }
    return cells;
}

TEST(ContourIteratorTest, VisitsExactlyTheStraddlingCellsInRowOrder) {
    for (MaskKind kind : kAllKinds) {
        for (int seed = 1; seed <= 3; ++seed) {
            // Odd widths, so that rows end off the eight-cell stride.
            TestMask mask(Rect(-3, 5, 20 + seed, 42 + 3 * seed), 0);
            FillIrregular(mask, kind, seed);
            // Whole image; starting inside; top on the border and right beyond the image.
            for (const Rect& rect : {mask.Bounds(), Rect(0, 9, 12, 40), Rect(-3, 20, 30, 60)}) {
                EXPECT_EQ(Walk(mask, rect), BruteForceCells(mask, rect)) << "seed " << seed;
            }
        }
    }
    // A selection filling a 4 x 3 image: only the ring of 14 cells around it.
    TestMask full(Rect(0, 0, 3, 4), 255);
    const auto ring = Walk(full, full.Bounds());
    ASSERT_EQ(ring.size(), 14u);
    EXPECT_EQ(ring.front(), (std::vector<int>{-1, -1, 0, 0, 0, 255}));
    EXPECT_EQ(ring.back(), (std::vector<int>{3, 2, 255, 0, 0, 0}));
}

TEST(ContourIteratorTest, ContourPointIsTheMeanOfTheEdgeCrossings) {
    const struct {
        int c0, c1, c2, c3;
        double x, y;  // expected, relative to the cell's top-left corner
    } cases[] = {
        {0, 0, 0, 255, 0.75, 0.75},        // one corner: crossings (0.5, 1) and (1, 0.5)
        {255, 0, 0, 255, 0.5, 0.5},        // saddle: four crossings at the edge middles
        {200, 100, 200, 100, 0.725, 0.5},  // (127.5 - 200) / (100 - 200)
        {255, 255, 0, 51, 0.5, 0.5625},    // left (0, 0.5), right (1, 127.5 / 204)
        {127, 128, 127, 128, 0.5, 0.5},    // the level lies between 127 and 128
    };
    for (const auto& c : cases) {
        TestMask mask(Rect(9, 19, 13, 23), 0);
        mask.Set(20, 10, c.c0);
        mask.Set(21, 10, c.c1);
        mask.Set(20, 11, c.c2);
        mask.Set(21, 11, c.c3);
        ContourIterator it(mask.image);
        it.Begin(Rect(10, 20, 11, 21), nullptr, 0, 1);
        ASSERT_TRUE(it.IsValid());
        EXPECT_EQ(it.CornerInside(1), c.c1 >= 128);
        EXPECT_NEAR(it.CellContourPoint().x, 20 + c.x, 1e-12);
        EXPECT_NEAR(it.CellContourPoint().y, 10 + c.y, 1e-12);
    }
    TestMask flat(Rect(0, 0, 2, 2), 127);  // 127 beside 0 (and the border) is no edge
    flat.Set(1, 1, 0);
    EXPECT_TRUE(Walk(flat, flat.Bounds()).empty());
}

TEST(ContourIteratorTest, ReportsProgressOncePerRow) {
    TestMask mask(Rect(0, 0, 6, 9), 0);
    mask.Set(4, 2, 255);
    ProgressLog progress;
    ContourIterator it(mask.image);
    int cells = 0;
    for (it.Begin(Rect(1, 1, 6, 9), &progress, 0.2, 0.6); it.IsValid(); it.Next()) ++cells;
    EXPECT_EQ(cells, 4);
    ASSERT_EQ(progress.values.size(), 5u);  // rows 1..5 of 8 cells, 40 in all
    for (size_t i = 0; i < 5; ++i) EXPECT_NEAR(progress.values[i], 0.2 + 0.08 * (i + 1), 1e-12);

    it.Begin(Rect(3, 3, 3, 8), &progress, 0, 1);
    EXPECT_FALSE(it.IsValid());
    EXPECT_EQ(progress.values.size(), 5u);
}

}  // namespace
