// Scaled stamp sizes, the measures of a stamp, the drop shadow and the cell
// table, against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "filters/stamp/CellPreparation.h"
#include "filters/stamp/StampShadow.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

using namespace stamp_test;

constexpr double kPi = 3.14159265358979323846;

TEST(StampSize, KeepsTheCellsProportionsAndIsAtLeastTwoPixels) {
    EXPECT_EQ(ScaledStampSize(100, 50, 30.0).x, 30);
    EXPECT_EQ(ScaledStampSize(100, 50, 30.0).y, 15);
    // f = 10/3: 7 × f + 0.5 = 23.83.
    EXPECT_EQ(ScaledStampSize(3, 7, 10.0).x, 10);
    EXPECT_EQ(ScaledStampSize(3, 7, 10.0).y, 23);
    EXPECT_EQ(ScaledStampSize(100, 100, 1.0).x, 2);
    EXPECT_EQ(ScaledStampSize(100, 100, 1.0).y, 2);
}

TEST(StampMeasures, AreaRadiusAndCentreComeFromTheVisiblePixels) {
    // Visible pixels only at (2, 1) and (7, 4): the box is 5 × 3 between them.
    Image<unsigned char> stamp = MakeImage(RGBA(), Rect(0, 0, 8, 10), [](int x, int y, int c) -> uint8_t {
        if (c < 3) return 50;
        if (x == 2 && y == 1) return 51;
        if (x == 7 && y == 4) return 204;
        return 0;
    });
    FillStampScaledTubeStamp cell;
    MeasureStamp(stamp, cell);
    EXPECT_DOUBLE_EQ(cell.area, 1.0);
    EXPECT_EQ(cell.radius, 3);  // ⌈√(25 + 9) ÷ 2⌉ = ⌈2.92⌉
    // Centre (4.5, 2.5) rounds to (5, 3).
    EXPECT_EQ(cell.centreOffsetX, 5);
    EXPECT_EQ(cell.centreOffsetY, 3);
    EXPECT_DOUBLE_EQ(cell.centreFractionX, -0.5);
    EXPECT_DOUBLE_EQ(cell.centreFractionY, -0.5);
}

TEST(StampShadowTest, ASharpShadowFallsAtItsOffsetWithItsOpacity) {
    // One opaque pixel at the top-left of a 2 × 2 stamp; the shadow 3 pixels to the right.
    std::unique_ptr<Image<unsigned char>> stamp(
        new Image<unsigned char>(MakeImage(RGBA(), Rect(0, 0, 2, 2), [](int x, int y, int c) -> uint8_t {
            return (x == 0 && y == 0) ? 255 : (c == 3 ? 0 : 77);
        })));
    ShadowSettings shadow;
    shadow.on = true;
    shadow.angle = 0.0;
    shadow.distance = 3.0;
    shadow.opacity = 0.5;
    shadow.colour[0] = 10;
    shadow.colour[1] = 20;
    shadow.colour[2] = 30;
    ASSERT_TRUE(AddDropShadow(shadow, stamp, nullptr).IsSuccess());
    EXPECT_EQ(stamp->bounds, Rect(0, 0, 2, 5));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint8_t* p = At(*stamp, x, y);
            if (x == 0 && y == 0) {
                EXPECT_EQ(p[0], 255);
                EXPECT_EQ(p[3], 255);
            } else if (x == 3 && y == 0) {
                // trunc(255 × 0.5 + 0.5) under a transparent stamp pixel.
                EXPECT_EQ(p[0], 10);
                EXPECT_EQ(p[2], 30);
                EXPECT_EQ(p[3], 128);
            } else {
                EXPECT_EQ(p[3], 0) << x << "," << y;
            }
        }
}

TEST(StampShadowTest, TheImageGrowsByTheOffsetRoundedUpAndTheBlur) {
    ShadowSettings shadow;
    shadow.angle = 315.0 * kPi / 180.0;  // lower right
    shadow.distance = 4.0;               // ⌈2.83⌉ = 3 each way
    shadow.blur = 5.0;
    EXPECT_EQ(ShadowedRect(Rect(0, 0, 10, 10), shadow), Rect(-5, -5, 18, 18));
    shadow.angle = 135.0 * kPi / 180.0;  // upper left: ⌈−2.83⌉ = −2
    shadow.blur = 0.0;
    EXPECT_EQ(ShadowedRect(Rect(0, 0, 10, 10), shadow), Rect(-2, -2, 10, 10));
}

TEST(StampShadowTest, ABlurredShadowSpreadsBeyondItsSharpOutline) {
    std::unique_ptr<Image<unsigned char>> stamp(new Image<unsigned char>(
        MakeImage(RGBA(), Rect(0, 0, 6, 6), [](int, int, int c) -> uint8_t { return c == 3 ? 255 : 200; })));
    ShadowSettings shadow;
    shadow.on = true;
    shadow.angle = 0.0;
    shadow.distance = 2.0;
    shadow.blur = 3.0;
    shadow.opacity = 1.0;
    ASSERT_TRUE(AddDropShadow(shadow, stamp, nullptr).IsSuccess());
    EXPECT_EQ(stamp->bounds, Rect(-3, -3, 9, 11));
    // Right of the sharp shadow (which ends at x = 7) the blur leaves some shadow.
    EXPECT_GT(At(*stamp, 8, 2)[3], 0);
    EXPECT_LT(At(*stamp, 8, 2)[3], 255);
    // The stamp itself stays on top.
    EXPECT_EQ(At(*stamp, 2, 2)[0], 200);
    EXPECT_EQ(At(*stamp, 2, 2)[3], 255);
}

TEST(CellTablePreparation, EveryCellIsScaledMeasuredAndReportedInTurn) {
    // Two opaque 20 × 10 cells side by side, scaled to 8 pixels wide: 8 × 4 each.
    Image<unsigned char> tube = MakeImage(RGBA(), Rect(0, 0, 10, 40), [](int x, int, int c) -> uint8_t {
        return c == 3 ? 255 : static_cast<uint8_t>(x < 20 ? 30 : 220);
    });
    CellPreparation request;
    request.tube = &tube;
    request.columns = 2;
    request.rows = 1;
    request.targetWidth = 8.0;
    RecordingProgress progress;
    request.progress = &progress;
    request.progressFrom = 0.2;
    request.progressTo = 0.4;
    CellTable cells;
    CellMeasures measures;
    ASSERT_TRUE(PrepareCells(request, cells, measures).IsSuccess());
    ASSERT_EQ(cells.Columns(), 2);
    ASSERT_EQ(cells.Rows(), 1);
    EXPECT_EQ(cells.At(0, 0).stamp->bounds, Rect(0, 0, 4, 8));
    EXPECT_EQ(At(*cells.At(0, 0).stamp, 3, 2)[0], 30);
    EXPECT_EQ(At(*cells.At(1, 0).stamp, 3, 2)[0], 220);
    EXPECT_DOUBLE_EQ(cells.At(1, 0).area, 32.0);
    EXPECT_DOUBLE_EQ(measures.meanArea, 32.0);
    EXPECT_EQ(measures.largestRadius, 4);  // ⌈√(49 + 9) ÷ 2⌉
    ASSERT_EQ(progress.values.size(), 2u);
    EXPECT_DOUBLE_EQ(progress.values[0], 0.2);
    EXPECT_DOUBLE_EQ(progress.values[1], 0.3);
    EXPECT_EQ(cells.At(0, 0).colourStamp, nullptr);

    AbortFrom abort(2);
    request.abort = &abort;
    request.progress = nullptr;
    EXPECT_EQ(PrepareCells(request, cells, measures).status, ResultCode::kCancelled);
}

}  // namespace
