// Cell sizes from the tile size, the render scale and the thumbnails'
// shape, and the grid of cells over the area.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "filters/patchwork/PatchworkCells.h"

namespace patchwork {
namespace {

struct SizeCase {
    double tileSize, scale;
    int32_t thumbnailWidth, thumbnailHeight;
    int32_t width, height;  // worked out by hand
};

TEST(PatchworkCells, SizeFollowsTileSizeScaleAndThumbnailShape) {
    const SizeCase cases[] = {
        {6, 1, 8, 8, 6, 6},     // the defaults with square thumbnails
        {6, 4, 8, 8, 3, 3},     // 1.5 + 0.5 → 2, raised to 3
        {10, 4, 3, 3, 3, 3},    // 2.5 + 0.5 → 3
        {13, 2, 3, 3, 7, 7},    // 6.5 + 0.5 → 7
        {20, 1, 8, 6, 20, 15},  // 20 × 6 / 8 = 15
        {20, 1, 8, 5, 20, 13},  // 12.5 + 0.5 → 13
        {6, 1, 8, 2, 12, 3},    // h = 1.5 + 0.5 → 2 < 3: h = 3, w = 8 × 3 / 2 = 12
        {6, 1, 10, 3, 10, 3},   // h = 1.8 + 0.5 → 2: w = 10 × 3 / 3 = 10
        {6, 1, 3, 10, 6, 20},   // tall thumbnails: 6 × 10 / 3 = 20
        {100, 1, 1, 100, 100, 10000}, {0, 1, 8, 8, 3, 3},
    };
    for (const SizeCase& c : cases) {
        const CellSize size = CellSizeFor(c.tileSize, c.scale, c.thumbnailWidth, c.thumbnailHeight);
        EXPECT_EQ(size.width, c.width) << c.tileSize << " / " << c.scale << ", " << c.thumbnailWidth << "x"
                                       << c.thumbnailHeight;
        EXPECT_EQ(size.height, c.height) << c.tileSize << " / " << c.scale << ", " << c.thumbnailWidth << "x"
                                         << c.thumbnailHeight;
    }
    // Sizes that are no number, or absurdly large, stay usable.
    EXPECT_EQ(CellSizeFor(std::nan(""), 1, 8, 8).width, 3);
    const CellSize huge = CellSizeFor(std::numeric_limits<double>::infinity(), 1, 8, 8);
    EXPECT_EQ(huge.width, kLargestCellSide);
    EXPECT_EQ(huge.height, kLargestCellSide);
}

TEST(PatchworkCells, TenByTenSelectionWithSixPixelTilesIsTwoByTwoCells) {
    const CellGrid grid(Rect(20, 30, 30, 40), CellSizeFor(6, 1, 4, 4));
    ASSERT_EQ(grid.Columns(), 2);
    ASSERT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.CellCount(), 4);
    EXPECT_EQ(grid.Cell(0, 0), Rect(20, 30, 26, 36));
    EXPECT_EQ(grid.Cell(1, 0), Rect(20, 36, 26, 42));
    // The last cells reach two pixels past the selection.
    EXPECT_EQ(grid.Cell(1, 1), Rect(26, 36, 32, 42));
}

TEST(PatchworkCells, GridCoversTheAreaWithWholeCells) {
    const CellGrid exact(Rect(0, 0, 12, 18), CellSize{6, 4});
    EXPECT_EQ(exact.Columns(), 3);
    EXPECT_EQ(exact.Rows(), 3);
    const CellGrid empty(Rect(5, 5, 5, 9), CellSize{3, 3});
    EXPECT_EQ(empty.CellCount(), 0);
}

}  // namespace
}  // namespace patchwork
