#include "image/DistanceTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/image/DistanceReference.h"

namespace {

using namespace distance_reference;

class RecordingTransform : public DistanceTransform {
public:
    HookLog log;

protected:
    void ProcessPixel(Point pixel, ContourPoint contour, double distance) override {
        log.Pixel(pixel, contour, distance);
    }
    void ProcessFarInside(Point pixel) override { log.Far(pixel, true); }
    void ProcessFarOutside(Point pixel) override { log.Far(pixel, false); }
};

HookLog Transform(const TestMask& mask, double maxDistance, const Rect& output) {
    RecordingTransform transform;
    NeverAbort noAbort;
    EXPECT_TRUE(transform.Init(mask.image, maxDistance, output, 0, 0).IsSuccess());
    EXPECT_EQ(transform.Run(noAbort, nullptr, 0, 1).status, ResultCode::kSuccess);
    return transform.log;
}

void ExpectSameCalls(const HookLog& actual, const HookLog& expected) {
    ASSERT_EQ(actual.calls.size(), expected.calls.size());
    for (size_t i = 0; i < actual.calls.size(); ++i) {
        const HookCall& a = actual.calls[i];
        const HookCall& e = expected.calls[i];
        ASSERT_EQ(a.kind, e.kind) << "call " << i;
        ASSERT_EQ(a.pixel.x, e.pixel.x) << "call " << i;
        ASSERT_EQ(a.pixel.y, e.pixel.y) << "call " << i;
        EXPECT_DOUBLE_EQ(a.distance, e.distance) << "call " << i;
        EXPECT_DOUBLE_EQ(a.contour.x, e.contour.x) << "call " << i;
        EXPECT_DOUBLE_EQ(a.contour.y, e.contour.y) << "call " << i;
    }
}

void ExpectEachOutputPixelOnce(const HookLog& log, const Rect& output) {
    const auto counts = log.CountsPerPixel();
    EXPECT_EQ(counts.size(), static_cast<size_t>(output.Width()) * output.Height());
    for (const auto& [pixel, count] : counts) {
        EXPECT_TRUE(output.Contains(Point{pixel.first, pixel.second})) << pixel.first << "," << pixel.second;
        EXPECT_EQ(count, 1) << pixel.first << "," << pixel.second;
    }
}

TEST(DistanceTransformTest, UniformMaskWithoutEdgeInReachGivesOnlyFarPixels) {
    for (unsigned char value : {255, 0}) {
        TestMask mask(Rect(-10, -10, 30, 30), value);
        const Rect output(0, 0, 15, 20);  // an edge (at the border) is 10 pixels away
        const HookLog log = Transform(mask, 4.0, output);
        ExpectEachOutputPixelOnce(log, output);
        for (const HookCall& call : log.calls) {
            EXPECT_EQ(call.kind, value == 255 ? HookCall::kFarInside : HookCall::kFarOutside);
        }
    }
}

TEST(DistanceTransformTest, FullSelectionHasItsEdgeHalfAPixelOutsideTheImage) {
    TestMask mask(Rect(0, 0, 8, 10), 255);
    const HookLog log = Transform(mask, 2.0, mask.bounds);
    ExpectEachOutputPixelOnce(log, mask.bounds);
    // Left column, away from the corners: the edge cell's point is (-0.5, y + 0.5).
    bool sawLeftColumn = false;
    for (const HookCall& call : log.calls) {
        if (call.pixel.x == 0 && call.pixel.y == 4) {
            sawLeftColumn = true;
            EXPECT_EQ(call.kind, HookCall::kPixel);
            EXPECT_NEAR(call.distance, -std::sqrt(0.5), 1e-12);
        }
        if (call.pixel.x == 4 && call.pixel.y == 4) {
            EXPECT_EQ(call.kind, HookCall::kFarInside);
        }
    }
    EXPECT_TRUE(sawLeftColumn);
}

TEST(DistanceTransformTest, StraightEdgeDistancesAndTheLevelBetween127And128) {
    // Columns up to 4 selected, the rest not; away from every other edge the
    // contour points are (4.5, y + 0.5), so a pixel k columns from the edge
    // sits at sqrt((k + 0.5)^2 + 0.25).
    const double expected[] = {-std::sqrt(6.5), -std::sqrt(2.5), -std::sqrt(0.5),
                               std::sqrt(0.5), std::sqrt(2.5), std::sqrt(6.5)};  // columns 2..7
    const unsigned char pairs[][2] = {{255, 0}, {128, 127}};
    // With a maximum of sqrt(2.5), columns 3 and 6 lie exactly at it and count.
    const struct {
        double maxDistance;
        int firstColumn, lastColumn;
    } reaches[] = {{3.0, 2, 7}, {std::sqrt(2.5), 3, 6}};
    for (const auto& pair : pairs) {
        TestMask mask(Rect(0, -12, 30, 20), 0);
        for (int y = 0; y < 30; ++y) {
            for (int x = -12; x < 20; ++x) mask.Set(x, y, x <= 4 ? pair[0] : pair[1]);
        }
        const Rect output(10, -3, 20, 12);
        for (const auto& reach : reaches) {
            const HookLog log = Transform(mask, reach.maxDistance, output);
            ExpectEachOutputPixelOnce(log, output);
            for (const HookCall& call : log.calls) {
                SCOPED_TRACE(call.pixel.x);
                const int x = call.pixel.x;
                if (x >= reach.firstColumn && x <= reach.lastColumn) {
                    ASSERT_EQ(call.kind, HookCall::kPixel);
                    EXPECT_NEAR(call.distance, expected[x - 2], 1e-12);
                    EXPECT_DOUBLE_EQ(call.contour.x, 4.5);
                } else {
                    EXPECT_EQ(call.kind, x <= 4 ? HookCall::kFarInside : HookCall::kFarOutside);
                }
            }
        }
    }
}

TEST(DistanceTransformTest, MaximumDistanceZeroLeavesOnlyFarPixels) {
    TestMask mask(Rect(0, 0, 16, 16), 0);
    FillIrregular(mask, MaskKind::kNoise, 7);
    mask.Set(3, 3, 127);
    mask.Set(4, 3, 128);
    const HookLog log = Transform(mask, 0.0, mask.bounds);
    ExpectEachOutputPixelOnce(log, mask.bounds);
    for (const HookCall& call : log.calls) {
        ASSERT_NE(call.kind, HookCall::kPixel);
        EXPECT_EQ(call.kind == HookCall::kFarInside, mask.Inside(call.pixel.x, call.pixel.y));
    }
}

TEST(DistanceTransformTest, OutputReachingBeyondTheMaskIsHookedOncePerPixel) {
    TestMask mask(Rect(0, 0, 20, 24), 0);
    FillIrregular(mask, MaskKind::kBlobs, 3);
    for (const Rect& output : {Rect(-6, -4, 12, 30), Rect(5, 5, 6, 6), Rect(30, 30, 33, 31)}) {
        ExpectEachOutputPixelOnce(Transform(mask, 5.0, output), output);
    }
}

// The naive march of the test reference, compared call by call: order, ties,
// contour points, signs and the far pixels.
TEST(DistanceTransformTest, MatchesTheNaiveMarchExactly) {
    const MaskKind kinds[] = {MaskKind::kBlobs, MaskKind::kSpecks, MaskKind::kNoise};
    for (MaskKind kind : kinds) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            TestMask mask(Rect(-2, 3, 24, 31), 0);
            FillIrregular(mask, kind, seed);
            for (double maxDistance : {1.0, 2.5, 7.0}) {
                for (const Rect& output : {mask.bounds, Rect(2, 6, 14, 40)}) {
                    SCOPED_TRACE(testing::Message() << "seed " << seed << " max " << maxDistance);
                    ExpectSameCalls(Transform(mask, maxDistance, output),
                                    NaiveMarch(mask, maxDistance, output, Measure::kBothSides));
                }
            }
        }
    }
}

TEST(DistanceTransformTest, PoolGrowsFromTheMinimumCapacity) {
    TestMask mask(Rect(0, 0, 24, 24), 0);
    FillIrregular(mask, MaskKind::kSpecks, 11);
    RecordingTransform transform;
    NeverAbort noAbort;
    ASSERT_TRUE(transform.Init(mask.image, 6.0, mask.bounds, 0, 0).IsSuccess());
    EXPECT_EQ(transform.PoolCapacity(), 10u);  // 576 pixels: below one record per hundred
    ASSERT_EQ(transform.Run(noAbort, nullptr, 0, 1).status, ResultCode::kSuccess);
    EXPECT_GT(transform.PoolCapacity(), 10u);
    EXPECT_LE(transform.PoolCapacity(), 576u);
    ExpectSameCalls(transform.log, NaiveMarch(mask, 6.0, mask.bounds, Measure::kBothSides));
}

// Independent of the marching rules: what any correct answer must satisfy.
TEST(DistanceTransformTest, DistancesAgreeWithTheBruteForceContour) {
    const double tolerance = 0.3;  // the banded march may settle on a slightly farther edge point
    const MaskKind kinds[] = {MaskKind::kBlobs, MaskKind::kSpecks, MaskKind::kNoise};
    for (MaskKind kind : kinds) {
        TestMask mask(Rect(0, 0, 30, 36), 0);
        FillIrregular(mask, kind, 21);
        const std::vector<ContourPoint> contour = BruteForceContour(mask);
        const double maxDistance = 6.0;
        const Rect output(-3, -3, 33, 39);
        for (const HookCall& call : Transform(mask, maxDistance, output).calls) {
            const int x = call.pixel.x, y = call.pixel.y;
            const double nearest = Nearest(contour, x, y);
            SCOPED_TRACE(testing::Message() << x << "," << y);
            if (call.kind != HookCall::kPixel) {
                EXPECT_EQ(call.kind == HookCall::kFarInside, mask.Inside(x, y));
                EXPECT_GT(nearest, maxDistance - tolerance);
                continue;
            }
            EXPECT_EQ(call.distance < 0, mask.Inside(x, y));
            const double d = std::fabs(call.distance);
            EXPECT_LE(d, maxDistance);
            EXPECT_TRUE(OnContour(contour, call.contour));
            EXPECT_NEAR(d, std::hypot(x - call.contour.x, y - call.contour.y), 1e-12);
            EXPECT_GE(d, nearest - 1e-12);
            EXPECT_LE(d, nearest + tolerance);
        }
    }
}

TEST(DistanceTransformTest, AbortStopsAtTheCallThatAnswersYes) {
    TestMask mask(Rect(0, 0, 20, 20), 0);
    FillIrregular(mask, MaskKind::kBlobs, 5);
    const HookLog full = Transform(mask, 4.0, mask.bounds);
    AbortOnCall counter(1 << 30);
    {
        RecordingTransform transform;
        ASSERT_TRUE(transform.Init(mask.image, 4.0, mask.bounds, 0, 0).IsSuccess());
        ASSERT_EQ(transform.Run(counter, nullptr, 0, 1).status, ResultCode::kSuccess);
    }
    // One question per band (at most 5 for distances up to 4) and one per row.
    ASSERT_GT(counter.asked, 20);
    ASSERT_LE(counter.asked, 25);

    for (int n : {1, 2, counter.asked - 19, counter.asked - 10, counter.asked}) {
        RecordingTransform transform;
        AbortOnCall abort(n);
        ASSERT_TRUE(transform.Init(mask.image, 4.0, mask.bounds, 0, 0).IsSuccess());
        EXPECT_EQ(transform.Run(abort, nullptr, 0, 1).status, ResultCode::kCancelled);
        EXPECT_EQ(abort.asked, n);
        // What was handed over before the abort is the start of the full run.
        ASSERT_LE(transform.log.calls.size(), full.calls.size());
        for (size_t i = 0; i < transform.log.calls.size(); ++i) {
            EXPECT_EQ(transform.log.calls[i].pixel.x, full.calls[i].pixel.x);
            EXPECT_EQ(transform.log.calls[i].pixel.y, full.calls[i].pixel.y);
        }
        if (n == 1) {
            EXPECT_TRUE(transform.log.calls.empty());
        }
        if (n == counter.asked) {
            // Only the far pixels of the last row are missing.
            size_t lastRowFar = 0;
            for (const HookCall& call : full.calls) lastRowFar += call.kind != HookCall::kPixel && call.pixel.y == 19;
            EXPECT_EQ(transform.log.calls.size(), full.calls.size() - lastRowFar);
        }
    }
}

TEST(DistanceTransformTest, ProgressRisesWithinItsRange) {
    TestMask mask(Rect(0, 0, 25, 30), 0);
    FillIrregular(mask, MaskKind::kBlobs, 9);
    for (const auto& [from, to] : {std::pair{0.0, 1.0}, std::pair{0.25, 0.75}}) {
        RecordingTransform transform;
        NeverAbort noAbort;
        ProgressLog progress;
        ASSERT_TRUE(transform.Init(mask.image, 5.0, mask.bounds, 0, 0).IsSuccess());
        ASSERT_EQ(transform.Run(noAbort, &progress, from, to).status, ResultCode::kSuccess);
        ASSERT_FALSE(progress.values.empty());
        for (size_t i = 0; i < progress.values.size(); ++i) {
            EXPECT_GE(progress.values[i], from);
            EXPECT_LE(progress.values[i], to);
            if (i > 0) {
                EXPECT_GE(progress.values[i], progress.values[i - 1]);
            }
        }
        // Seeding ends at 30%, the far rows start at 60%.
        // The mask copy reaches one pixel past the mask (rows 0..24) and the
        // cell walk one more: cell rows -2..25, so the first finished row is
        // 1/28 of seeding.
        EXPECT_NEAR(progress.values.front(), from + 0.3 * (to - from) / 28, 1e-12);
        EXPECT_GE(progress.values.back(), from + 0.6 * (to - from));
    }
}

TEST(DistanceTransformTest, RunWithoutInitFails) {
    RecordingTransform transform;
    NeverAbort noAbort;
    EXPECT_EQ(transform.Run(noAbort, nullptr, 0, 1).status, ResultCode::kFailure);
    EXPECT_TRUE(transform.log.calls.empty());
}

}  // namespace
