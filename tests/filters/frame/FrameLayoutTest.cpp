// The frame rectangle, the piece search and the clockwise order, with the
// numbers worked out by hand.
#include <gtest/gtest.h>

#include "filters/frame/FrameLayout.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

FrameLayout LayOut(const Rect& bounds, double edgeOffset, double frameWidth, double aspect = 1.0) {
    FrameRequest request;
    request.bounds = bounds;
    request.edgeOffset = edgeOffset;
    request.frameWidth = frameWidth;
    request.aspect = aspect;
    FrameLayout layout;
    EXPECT_TRUE(LayOutFrame(request, layout).IsSuccess());
    return layout;
}

TEST(FrameLayoutTest, TheDefaultOffsetMakesTheFrameRectangleFourPixelsLargerAndCentred) {
    // e = trunc(0.5 − 5) = −4.
    const FrameLayout layout = LayOut(Rect(10, 20, 110, 220), -5.0, 30.0);
    EXPECT_EQ(layout.frame, Rect(8, 18, 112, 222));
    // An inward offset: e = trunc(10.5) = 10, five pixels in on each side.
    EXPECT_EQ(LayOut(Rect(10, 20, 110, 220), 10.0, 30.0).frame, Rect(15, 25, 105, 215));
}

TEST(FrameLayoutTest, TheWidthIsLimitedToHalfTheFrameRectangleSoTheSidesMeet) {
    // W = 100: b = min(150, 50) = 50, hb = 50; fx = 2, fy = 6.
    const FrameLayout layout = LayOut(Rect(0, 0, 300, 100), 0.0, 150.0);
    EXPECT_EQ(layout.columns, 2);
    EXPECT_EQ(layout.rows, 6);
    EXPECT_EQ(layout.pieceWidth, 50);
    EXPECT_EQ(layout.pieceHeight, 50);
    EXPECT_EQ(layout.origin.x, 0);
    EXPECT_EQ(layout.origin.y, 0);
}

TEST(FrameLayoutTest, TheCheapestOfTheFourCandidatesWins) {
    // W = 440, H = 320, b = 150, a = 1: fx = 2.93, fy = 2.13. Costs: (2, 2) 0.421,
    // (2, 3) 0.761, (3, 2) 0.051, (3, 3) 0.197: three pieces of 147 across, two of 160 down.
    const FrameLayout layout = LayOut(Rect(0, 0, 320, 440), 0.0, 150.0);
    EXPECT_EQ(layout.columns, 3);
    EXPECT_EQ(layout.rows, 2);
    EXPECT_EQ(layout.pieceWidth, 147);
    EXPECT_EQ(layout.pieceHeight, 160);
    // (440 − 441) / 2 truncates to 0.
    EXPECT_EQ(layout.origin.x, 0);
    EXPECT_EQ(layout.origin.y, 0);
    // Tall cells (a = 0.5): hb = min(160, 300) = 160, fy = 2: (3, 2) costs
    // 0.01 + 0.5 × |0.919 − 0.5| ÷ 0.5 = 0.429 against (2, 2) 0.233 + 0.875.
    const FrameLayout tall = LayOut(Rect(0, 0, 320, 440), 0.0, 150.0, 0.5);
    EXPECT_EQ(tall.columns, 3);
    EXPECT_EQ(tall.rows, 2);
}

TEST(FrameLayoutTest, TheSmallestFrameHasFourCornersAndNoSides) {
    const FrameLayout layout = LayOut(Rect(0, 0, 10, 10), 0.0, 150.0);
    EXPECT_EQ(layout.columns, 2);
    EXPECT_EQ(layout.rows, 2);
    const std::vector<PiecePlacement> placements = ClockwisePlacements(layout);
    ASSERT_EQ(placements.size(), 4u);
    EXPECT_EQ(placements[0].piece, kTopLeftCorner);
    EXPECT_EQ(placements[1].piece, kTopRightCorner);
    EXPECT_EQ(placements[2].piece, kBottomRightCorner);
    EXPECT_EQ(placements[3].piece, kBottomLeftCorner);
    EXPECT_EQ(placements[2].at.x, 5);
    EXPECT_EQ(placements[2].at.y, 5);
}

TEST(FrameLayoutTest, PiecesGoClockwiseFromTheTopLeftCorner) {
    FrameLayout layout;
    layout.columns = 4;
    layout.rows = 3;
    layout.pieceWidth = 10;
    layout.pieceHeight = 20;
    layout.origin = Point{5, 7};
    const std::vector<PiecePlacement> placements = ClockwisePlacements(layout);
    const PiecePlacement expected[] = {
        {kTopLeftCorner, {5, 7}},   {kTopSide, {15, 7}},     {kTopSide, {25, 7}},
        {kTopRightCorner, {35, 7}}, {kRightSide, {35, 27}},  {kBottomRightCorner, {35, 47}},
        {kBottomSide, {25, 47}},    {kBottomSide, {15, 47}}, {kBottomLeftCorner, {5, 47}},
        {kLeftSide, {5, 27}},
    };
    ASSERT_EQ(placements.size(), std::size(expected));
    for (size_t i = 0; i < placements.size(); ++i) {
        EXPECT_EQ(placements[i].piece, expected[i].piece) << i;
        EXPECT_EQ(placements[i].at.x, expected[i].at.x) << i;
        EXPECT_EQ(placements[i].at.y, expected[i].at.y) << i;
    }
}

TEST(FrameLayoutTest, AbortIsAskedBeforeEachCandidate) {
    stamp_test::AbortFrom abort(3);
    FrameRequest request;
    request.bounds = Rect(0, 0, 100, 100);
    request.frameWidth = 20.0;
    request.abort = &abort;
    FrameLayout layout;
    EXPECT_EQ(LayOutFrame(request, layout).status, ResultCode::kCancelled);
    EXPECT_EQ(abort.asked, 3);
}

}  // namespace
