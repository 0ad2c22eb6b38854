#include "content/TubeCellGrid.h"

#include <gtest/gtest.h>

namespace {

// 100 × 50 in 3 × 2 cells: 33 × 25 each; the rightmost pixel column is no cell's.
TEST(TubeCellGridTest, CellsAreEqualAndRemainderPixelsAreDropped) {
    const TubeCellGrid grid(3, 2, 100, 50);
    EXPECT_EQ(grid.CellCount(), 6);
    EXPECT_EQ(grid.CellWidth(), 33);
    EXPECT_EQ(grid.CellHeight(), 25);
    const Rect expected[6] = {Rect(0, 0, 25, 33),  Rect(0, 33, 25, 66),  Rect(0, 66, 25, 99),
                              Rect(25, 0, 50, 33), Rect(25, 33, 50, 66), Rect(25, 66, 50, 99)};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(grid.CellRect(i), expected[i]) << i;
        EXPECT_EQ(grid.CellRect(i % 3, i / 3), expected[i]) << i;
    }
}

TEST(TubeCellGridTest, AGridWithoutColumnsOrRowsHasNoCells) {
    EXPECT_EQ(TubeCellGrid(0, 4, 10, 10).CellCount(), 0);
    EXPECT_EQ(TubeCellGrid(4, -1, 10, 10).CellCount(), 0);
    EXPECT_EQ(TubeCellGrid(0, 4, 10, 10).CellRect(3), Rect());
}

}  // namespace
