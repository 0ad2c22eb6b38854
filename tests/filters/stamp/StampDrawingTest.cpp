// Where a placement lands at any render scale, and stamps drawn through
// separate clips giving the same pixels as one clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "filters/stamp/StampDrawing.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

using namespace stamp_test;

TEST(StampPlacementOffset, FractionsMapOntoTheRenderedDocumentWithTruncatedRounding) {
    const Rect document(0, 0, 80, 100);
    EXPECT_EQ(StampOffset(Placement{0.25, 0.5, 0, 0}, document).x, 25);   // trunc(25.5)
    EXPECT_EQ(StampOffset(Placement{0.25, 0.5, 0, 0}, document).y, 40);   // trunc(40.5)
    EXPECT_EQ(StampOffset(Placement{-0.014, 0.0, 0, 0}, document).x, 0);  // trunc(−0.9)
    EXPECT_EQ(StampOffset(Placement{-0.02, 0.0, 0, 0}, document).x, -1);  // trunc(−1.5)
    // The same placement on a preview of a quarter the size.
    EXPECT_EQ(StampOffset(Placement{0.25, 0.5, 0, 0}, Rect(0, 0, 20, 25)).x, 6);  // trunc(6.75)
}

TEST(StampDrawingTest, RowBandsDrawnApartEqualTheWholeDrawnAtOnce) {
    CellTable cells;
    cells.Reset(2, 1);
    for (int c = 0; c < 2; ++c) {
        cells.At(c, 0).stamp.reset(
            new Image<unsigned char>(MakeImage(RGBA(), Rect(-2, -2, 9, 7), [c](int x, int y, int ch) -> uint8_t {
                if (ch == 3) return static_cast<uint8_t>((x * 37 + y * 11 + c * 90) % 256);
                return static_cast<uint8_t>(40 * ch + 7 * x + c * 100);
            })));
    }
    std::mt19937 random(3);
    PlacementList placements;
    for (int i = 0; i < 200; ++i)
        placements.push_back(Placement{(random() % 1000) / 1000.0 - 0.05, (random() % 1000) / 1000.0 - 0.05,
                                       static_cast<int32_t>(random() % 2), 0});
    const Image<unsigned char> start =
        MakeImage(RGBA(), Rect(0, 0, 50, 60), [](int x, int y, int c) -> uint8_t { return (x + y + c) % 7 * 30; });

    Image<unsigned char> whole = Copy(start);
    Image<unsigned char> bands = Copy(start);
    StampDrawing drawing;
    drawing.placements = &placements;
    drawing.cells = &cells;
    drawing.document = start.bounds;
    drawing.destination = &whole;
    ASSERT_TRUE(DrawStamps(drawing, start.bounds).IsSuccess());
    drawing.destination = &bands;
    for (int top = 0; top < 50; top += 7)
        ASSERT_TRUE(DrawStampsInRect(drawing, Rect(top, 0, std::min(top + 7, 50), 60)).IsSuccess());
    EXPECT_TRUE(SameImage(whole, bands));
    EXPECT_FALSE(SameImage(whole, start));
}

TEST(StampDrawingTest, ProgressRunsOverTheRowsAndAbortStopsBeforeTheNextBand) {
    CellTable cells;
    cells.Reset(1, 1);
    cells.At(0, 0).stamp.reset(
        new Image<unsigned char>(MakeImage(RGBA(), Rect(0, 0, 2, 2), [](int, int, int) -> uint8_t { return 255; })));
    PlacementList placements(4, Placement{0.1, 0.1, 0, 0});
    // 64 rows of 4096 pixels: bands of 42 rows (512 KiB), so two bands.
    Image<unsigned char> destination =
        MakeImage(RGB(), Rect(0, 0, 64, 4096), [](int, int, int) -> uint8_t { return 0; });
    StampDrawing drawing;
    drawing.placements = &placements;
    drawing.cells = &cells;
    drawing.document = destination.bounds;
    drawing.destination = &destination;
    RecordingProgress progress;
    drawing.progress = &progress;
    drawing.progressFrom = 0.6;
    ASSERT_TRUE(DrawStamps(drawing, destination.bounds).IsSuccess());
    // Progress rises by the bands done (a half, then the whole; on several
    // threads both may finish before the first report).
    ASSERT_FALSE(progress.values.empty());
    ASSERT_LE(progress.values.size(), 2u);
    if (progress.values.size() == 2) {
        EXPECT_NEAR(progress.values[0], 0.6 + 0.4 / 2, 1e-12);
    }
    EXPECT_NEAR(progress.values.back(), 1.0, 1e-12);

    AbortFrom abort(2);
    drawing.abort = &abort;
    drawing.progress = nullptr;
    EXPECT_EQ(DrawStamps(drawing, destination.bounds).status, ResultCode::kCancelled);
    EXPECT_EQ(abort.asked, 2);
}

}  // namespace
