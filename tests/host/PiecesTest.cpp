// Edge cases of the full-size render's pieces (the order is seen from a host
// in the render tests).
#include <gtest/gtest.h>

#include "host/RenderPieces.h"

namespace {

TEST(RenderPieces, EmptyAreaHasNoPiecesAndANonPositiveSizeTakesItWhole) {
    EXPECT_EQ(RenderPieceCount(Rect(5, 5, 5, 90), 500), 0);
    const Rect area(0, 0, 40, 30);
    EXPECT_EQ(RenderPieceCount(area, 0), 1);
    EXPECT_EQ(RenderPiece(area, 0, 0), area);
    EXPECT_EQ(RenderPieceCount(area, 30), 2);  // 1 column × 2 rows
}

}  // namespace
