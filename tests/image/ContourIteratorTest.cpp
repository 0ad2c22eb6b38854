#include "image/ContourIterator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/image/DistanceReference.h"

namespace {

using namespace distance_reference;

struct CellSeen {
    Point cell;
    unsigned char corners[4];
};

std::vector<CellSeen> Walk(const TestMask& mask, const Rect& rect) {
    std::vector<CellSeen> seen;
    ContourIterator it(mask.image);
    for (it.Begin(rect, nullptr, 0.0, 1.0); it.IsValid(); it.Next()) {
        seen.push_back({it.Cell(), {it.CornerValue(0), it.CornerValue(1), it.CornerValue(2), it.CornerValue(3)}});
    }
    return seen;
}

// Every cell of `rect` (one column / row earlier at the image's own left / top
// edge) whose corners are on both sides of the level, checked one by one.
std::vector<CellSeen> BruteForceCells(const TestMask& mask, const Rect& rect) {
    std::vector<CellSeen> cells;
    const int firstX = rect.left == mask.bounds.left ? rect.left - 1 : rect.left;
    const int firstY = rect.top == mask.bounds.top ? rect.top - 1 : rect.top;
    for (int y = firstY; y < rect.bottom; ++y) {
        for (int x = firstX; x < rect.right; ++x) {
            const int v[4] = {mask.At(x, y), mask.At(x + 1, y), mask.At(x, y + 1), mask.At(x + 1, y + 1)};
            int inside = 0;
            for (int k : v) inside += k >= 128;
            if (inside == 0 || inside == 4) continue;
            cells.push_back({Point{x, y},
                             {static_cast<unsigned char>(v[0]), static_cast<unsigned char>(v[1]),
                              static_cast<unsigned char>(v[2]), static_cast<unsigned char>(v[3])}});
        }
    }
    return cells;
}

void ExpectSameCells(const std::vector<CellSeen>& actual, const std::vector<CellSeen>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].cell.x, expected[i].cell.x);
        EXPECT_EQ(actual[i].cell.y, expected[i].cell.y);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(actual[i].corners[k], expected[i].corners[k]);
    }
}

TEST(ContourIteratorTest, VisitsExactlyTheStraddlingCellsInRowOrder) {
    // Odd widths so that rows end off the eight-cell stride; the noise masks
    // put edges on every border.
    const MaskKind kinds[] = {MaskKind::kBlobs, MaskKind::kSpecks, MaskKind::kNoise};
    for (MaskKind kind : kinds) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            TestMask mask(Rect(-3, 5, 20 + static_cast<int>(seed), 42 + 3 * static_cast<int>(seed)), 0);
            FillIrregular(mask, kind, seed);
            SCOPED_TRACE(seed);
            ExpectSameCells(Walk(mask, mask.bounds), BruteForceCells(mask, mask.bounds));
            const Rect inner(0, 9, 12, 40);  // starts inside: no extra row or column
            ExpectSameCells(Walk(mask, inner), BruteForceCells(mask, inner));
            const Rect beyond(-3, 20, 30, 60);  // top on the border, right beyond the image
            ExpectSameCells(Walk(mask, beyond), BruteForceCells(mask, beyond));
        }
    }
}

TEST(ContourIteratorTest, FlatRunsLongerThanEightCellsHideNoEdge) {
    // A lone speck at every column of a long flat row; the walk covers
    // columns 1..38, so specks in columns 1 and 39 show only half their cells.
    for (int speck = 1; speck < 40; ++speck) {
        TestMask mask(Rect(0, 0, 5, 40), 255);
        mask.Set(speck, 2, 0);
        const std::vector<CellSeen> seen = Walk(mask, Rect(1, 1, 3, 39));
        ASSERT_EQ(seen.size(), static_cast<size_t>(speck == 1 || speck == 39 ? 2 : 4)) << speck;
        EXPECT_EQ(seen.front().cell.x, std::max(1, speck - 1));
    }
}

TEST(ContourIteratorTest, SelectionFillingTheImageHasItsEdgeOutside) {
    TestMask mask(Rect(0, 0, 3, 4), 255);
    const std::vector<CellSeen> seen = Walk(mask, mask.bounds);
    // The ring of cells around the 4 x 3 image: 5 above, 5 below, 2 on each side.
    ASSERT_EQ(seen.size(), 14u);
    EXPECT_EQ(seen.front().cell.x, -1);
    EXPECT_EQ(seen.front().cell.y, -1);
    EXPECT_EQ(seen.back().cell.x, 3);
    EXPECT_EQ(seen.back().cell.y, 2);
}

TEST(ContourIteratorTest, LevelLiesBetween127And128) {
    // Columns 127, 127, 128, 127, 127; the walk covers cells (1, 1) and (2, 1).
    TestMask mask(Rect(0, 0, 4, 5), 127);
    for (int y = 0; y < 4; ++y) mask.Set(2, y, 128);
    ContourIterator it(mask.image);
    it.Begin(Rect(1, 1, 2, 3), nullptr, 0, 1);
    ASSERT_TRUE(it.IsValid());
    EXPECT_EQ(it.Cell().x, 1);
    EXPECT_FALSE(it.CornerInside(0));
    EXPECT_TRUE(it.CornerInside(1));
    EXPECT_DOUBLE_EQ(it.CellContourPoint().x, 1.5);
    EXPECT_DOUBLE_EQ(it.CellContourPoint().y, 1.5);
    it.Next();
    ASSERT_TRUE(it.IsValid());
    EXPECT_TRUE(it.CornerInside(0));
    EXPECT_DOUBLE_EQ(it.CellContourPoint().x, 2.5);
    it.Next();
    EXPECT_FALSE(it.IsValid());

    // 127 next to 0 is no edge, nor 127 next to the border.
    TestMask flat(Rect(0, 0, 2, 2), 127);
    flat.Set(1, 1, 0);
    EXPECT_TRUE(Walk(flat, Rect(0, 0, 1, 1)).empty());
}

TEST(ContourIteratorTest, ContourPointIsTheMeanOfTheEdgeCrossings) {
    struct Case {
        unsigned char c0, c1, c2, c3;
        double x, y;  // expected, relative to the cell's top-left corner
    };
    const Case cases[] = {
        {0, 0, 0, 255, 0.75, 0.75},      // corner: crossings (0.5, 1) and (1, 0.5)
        {255, 0, 0, 255, 0.5, 0.5},      // saddle: four crossings at the edge middles
        {200, 100, 200, 100, 0.725, 0.5},  // vertical edge: (127.5 - 200) / (100 - 200) = 0.725
        {255, 255, 0, 51, 0.5, (0.5 + 0.625) / 2},  // left (0, 0.5); right (1, 127.5 / 204)
    };
    for (const Case& c : cases) {
        TestMask mask(Rect(9, 19, 13, 23), 0);
        mask.Set(20, 10, c.c0);
        mask.Set(21, 10, c.c1);
        mask.Set(20, 11, c.c2);
        mask.Set(21, 11, c.c3);
        ContourIterator it(mask.image);
        it.Begin(Rect(10, 20, 11, 21), nullptr, 0, 1);
        ASSERT_TRUE(it.IsValid());
        ASSERT_EQ(it.Cell().x, 20);
        EXPECT_NEAR(it.CellContourPoint().x, 20 + c.x, 1e-12);
        EXPECT_NEAR(it.CellContourPoint().y, 10 + c.y, 1e-12);
    }
}

TEST(ContourIteratorTest, ReportsProgressOncePerRow) {
    TestMask mask(Rect(0, 0, 6, 9), 0);
    mask.Set(4, 2, 255);
    ProgressLog progress;
    ContourIterator it(mask.image);
    int cells = 0;
    for (it.Begin(Rect(1, 1, 6, 9), &progress, 0.2, 0.6); it.IsValid(); it.Next()) ++cells;
    EXPECT_EQ(cells, 4);
    // Rows 1..5, each of 8 cells out of 40.
    ASSERT_EQ(progress.values.size(), 5u);
    for (size_t i = 0; i < progress.values.size(); ++i) EXPECT_NEAR(progress.values[i], 0.2 + 0.08 * (i + 1), 1e-12);

    ProgressLog none;
    it.Begin(Rect(3, 3, 3, 8), &none, 0, 1);
    EXPECT_FALSE(it.IsValid());
    EXPECT_TRUE(none.values.empty());
}

}  // namespace
