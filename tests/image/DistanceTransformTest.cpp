#include "image/DistanceTransform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "image/Parallel.h"
#include "tests/image/DistanceReference.h"

namespace {

using namespace distance_reference;
using RecordingTransform = Recording<DistanceTransform>;

HookLog Transform(const TestMask& mask, double maxDistance, const Rect& output) {
    RecordingTransform transform;
    NeverAbort noAbort;
    EXPECT_TRUE(transform.Init(mask.image, maxDistance, output, 0, 0).IsSuccess());
    EXPECT_EQ(transform.Run(noAbort, nullptr, 0, 1).status, ResultCode::kSuccess);
    return transform.log;
}

TEST(DistanceTransformTest, UniformOrEdgelessMasksGiveOnlyFarPixels) {
    for (int value : {255, 0}) {
        TestMask mask(Rect(-10, -10, 30, 30), static_cast<unsigned char>(value));
        const Rect output(0, 0, 15, 20);  // the edge at the border is 10 pixels away
        const HookLog log = Transform(mask, 4.0, output);
        ExpectEachOutputPixelOnce(log, output);
        for (const HookCall& call : log) EXPECT_EQ(call.kind, value ? HookCall::kFarInside : HookCall::kFarOutside);
    }
    // Maximum 0: no contour point lies on a pixel, so every pixel is far; a
    // maximum that is not a number or negative takes in nothing either.
    TestMask noise(Rect(0, 0, 16, 16), 0);
    FillIrregular(noise, MaskKind::kNoise, 7);
    noise.Set(3, 3, 127);
    noise.Set(4, 3, 128);
    for (double maxDistance : {0.0, -3.0, std::nan("")}) {
        const HookLog log = Transform(noise, maxDistance, noise.Bounds());
        ExpectEachOutputPixelOnce(log, noise.Bounds());
        for (const HookCall& call : log) {
            ASSERT_NE(call.kind, HookCall::kPixel);
            EXPECT_EQ(call.kind == HookCall::kFarInside, noise.Inside(call.pixel.x, call.pixel.y));
        }
    }
    EXPECT_TRUE(Transform(noise, 5.0, Rect(4, 4, 4, 9)).empty());  // an empty output rectangle
}

TEST(DistanceTransformTest, FullSelectionHasItsEdgeHalfAPixelOutsideTheImage) {
    TestMask mask(Rect(0, 0, 8, 10), 255);
    const HookLog log = Transform(mask, 2.0, mask.Bounds());
    ExpectEachOutputPixelOnce(log, mask.Bounds());
    // Row 4: the border cells' points are (-0.5, 4.5) and (9.5, 4.5).
    for (const HookCall& call : log) {
        if (call.pixel.y != 4) continue;
        const int fromBorder = std::min(call.pixel.x, 9 - call.pixel.x);
        if (fromBorder < 2) {
            ASSERT_EQ(call.kind, HookCall::kPixel);
            EXPECT_NEAR(call.distance, -std::sqrt((fromBorder + 0.5) * (fromBorder + 0.5) + 0.25), 1e-12);
        } else {
            EXPECT_EQ(call.kind, HookCall::kFarInside);
        }
    }
}

TEST(DistanceTransformTest, StraightEdgeDistancesAndTheLevelBetween127And128) {
    // Columns up to 4 selected: away from other edges the contour points are
    // (4.5, y + 0.5), so a pixel k columns off the edge sits at
    // sqrt((k + 0.5)^2 + 0.25). A maximum of sqrt(2.5) takes in columns 3 and
    // 6 exactly.
    const int pairs[][2] = {{255, 0}, {128, 127}};
    const struct {
        double maxDistance;
        int first, last;
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
            for (const HookCall& call : log) {
                const int x = call.pixel.x;
                const double k = x <= 4 ? 4 - x : x - 5;
                if (x < reach.first || x > reach.last) {
                    EXPECT_EQ(call.kind, x <= 4 ? HookCall::kFarInside : HookCall::kFarOutside) << x;
                    continue;
                }
                ASSERT_EQ(call.kind, HookCall::kPixel) << x;
                EXPECT_NEAR(call.distance, (x <= 4 ? -1 : 1) * std::sqrt((k + 0.5) * (k + 0.5) + 0.25), 1e-12);
                EXPECT_DOUBLE_EQ(call.contour.x, 4.5);
            }
        }
    }
}

// Call by call against the naive march: order, ties, contour points, signs,
// far pixels, and a pool that starts at its minimum of 10 records and grows.
TEST(DistanceTransformTest, MatchesTheNaiveMarchExactly) {
    for (MaskKind kind : kAllKinds) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            TestMask mask(Rect(-2, 3, 24, 31), 0);
            FillIrregular(mask, kind, seed);
            for (double maxDistance : {1.0, 2.5, 7.0}) {
                for (const Rect& output : {mask.Bounds(), Rect(2, 6, 14, 40)}) {
                    SCOPED_TRACE(testing::Message() << "seed " << seed << " max " << maxDistance);
                    RecordingTransform transform;
                    NeverAbort noAbort;
                    ASSERT_TRUE(transform.Init(mask.image, maxDistance, output, 0, 0).IsSuccess());
                    const size_t initialPool = transform.PoolCapacity();
                    ASSERT_EQ(transform.Run(noAbort, nullptr, 0, 1).status, ResultCode::kSuccess);
                    ExpectSameCalls(transform.log, NaiveMarch(mask, maxDistance, output, Measure::kBothSides));
                    if (maxDistance == 7.0) {
                        EXPECT_EQ(initialPool, 10u);
                        EXPECT_GT(transform.PoolCapacity(), 10u);
                    }
                }
            }
        }
    }
}

// A work area of many grid tiles, not aligned with them, with records in most
// of them; and a subclass that wants no far pixels gets the same pixels.
TEST(DistanceTransformTest, MatchesTheNaiveMarchOverManyGridTiles) {
    for (MaskKind kind : {MaskKind::kSpecks, MaskKind::kBlobs}) {
        TestMask mask(Rect(-5, 7, 90, 110), 0);
        FillIrregular(mask, kind, 21);
        for (double maxDistance : {3.0, 9.5}) {
            for (const Rect& output : {mask.Bounds(), Rect(-9, 30, 75, 120)}) {
                SCOPED_TRACE(testing::Message() << "max " << maxDistance);
                const HookLog expected = NaiveMarch(mask, maxDistance, output, Measure::kBothSides);
                ExpectSameCalls(Transform(mask, maxDistance, output), expected);

                class NearOnly : public RecordingTransform {
                protected:
                    bool WantsFarPixels() const override { return false; }
                } near;
                NeverAbort noAbort;
                ASSERT_TRUE(near.Init(mask.image, maxDistance, output, 0, 0).IsSuccess());
                ASSERT_TRUE(near.Run(noAbort, nullptr, 0, 1).IsSuccess());
                HookLog reported;
                for (const HookCall& call : expected)
                    if (call.kind == HookCall::kPixel) reported.push_back(call);
                ExpectSameCalls(near.log, reported);
            }
        }
    }
}

// Wide regions the march never reaches, inside and outside, across whole
// grid tiles that are never made and past the mask's edges: the far runs.
TEST(DistanceTransformTest, FarRunsAcrossUntouchedTilesMatchTheNaiveMarch) {
    TestMask mask(Rect(3, -11, 203, 181), 0);
    const struct { double x, y, radius; } discs[] = {{60.0, 70.0, 52.0}, {140.0, 150.0, 33.0}, {165.0, 20.0, 9.5}};
    for (int y = mask.Bounds().top; y < mask.Bounds().bottom; ++y) {
        for (int x = mask.Bounds().left; x < mask.Bounds().right; ++x) {
            double value = 0.0;
            for (const auto& disc : discs) {
                const double depth = disc.radius - std::hypot(x + 0.5 - disc.x, y + 0.5 - disc.y);
                value = std::max(value, std::clamp(127.5 + depth * 90.0, 0.0, 255.0));
            }
            mask.Set(x, y, static_cast<int>(value));
        }
    }
    for (const Rect& output : {Rect(-20, -30, 221, 233), Rect(40, 17, 150, 170)}) {
        SCOPED_TRACE(testing::Message() << "output " << output.left << "," << output.top);
        ExpectSameCalls(Transform(mask, 2.0, output), NaiveMarch(mask, 2.0, output, Measure::kBothSides));
    }
}

// A soft ellipse large enough that each band spreads thousands of records,
// which the march splits between the halves of the image above and below
// its middle and, given threads, spreads at once: the same calls as the
// naive march whatever the thread count.
TEST(DistanceTransformTest, LargeFrontsMatchTheNaiveMarchOnAnyNumberOfThreads) {
    TestMask mask(Rect(0, 0, 1500, 1100), 0);
    for (int y = 0; y < 1100; ++y) {
        for (int x = 0; x < 1500; ++x) {
            const double u = (x + 0.5 - 750.0) / 700.0, v = (y + 0.5 - 550.0) / 500.0;
            mask.Set(x, y, static_cast<int>(std::clamp(127.5 + (1.0 - std::hypot(u, v)) * 6000.0, 0.0, 255.0)));
        }
    }
    const Rect output(-10, 20, 1490, 1110);
    const HookLog expected = NaiveMarch(mask, 4.5, output, Measure::kBothSides);
    size_t firstBand = 0;
    for (const HookCall& call : expected) firstBand += call.kind == HookCall::kPixel && std::abs(call.distance) < 1.0;
    ASSERT_GT(firstBand, 4096u);  // enough to spread on several threads
    for (int threads : {1, 2, 3}) {
        SCOPED_TRACE(testing::Message() << threads << " threads");
        SetParallelThreads(threads);
        ExpectSameCalls(Transform(mask, 4.5, output), expected);
    }
    SetParallelThreads(0);
}

// Independent of the marching rules: what any answer must satisfy.
TEST(DistanceTransformTest, DistancesAgreeWithTheBruteForceContour) {
    const double maxDistance = 6.0;
    const double slack = 0.3;  // the banded march may settle on a slightly farther edge point
    for (MaskKind kind : kAllKinds) {
        TestMask mask(Rect(0, 0, 30, 36), 0);
        FillIrregular(mask, kind, 21);
        const std::vector<ContourPoint> contour = BruteForceContour(mask);
        for (const HookCall& call : Transform(mask, maxDistance, Rect(-3, -3, 33, 39))) {
            const int x = call.pixel.x, y = call.pixel.y;
            const double nearest = Nearest(contour, x, y), d = std::fabs(call.distance);
            SCOPED_TRACE(testing::Message() << x << "," << y);
            if (call.kind != HookCall::kPixel) {
                EXPECT_EQ(call.kind == HookCall::kFarInside, mask.Inside(x, y));
                EXPECT_GT(nearest, maxDistance - slack);
                continue;
            }
            EXPECT_EQ(call.distance < 0, mask.Inside(x, y));
            EXPECT_TRUE(OnContour(contour, call.contour));
            EXPECT_NEAR(d, std::hypot(x - call.contour.x, y - call.contour.y), 1e-12);
            EXPECT_LE(d, maxDistance);
            EXPECT_GE(d, nearest - 1e-12);
            EXPECT_LE(d, nearest + slack);
        }
    }
}

TEST(DistanceTransformTest, AbortStopsAtTheCallThatAnswersYesAndProgressRises) {
    TestMask mask(Rect(0, 0, 20, 20), 0);
    FillIrregular(mask, MaskKind::kBlobs, 5);
    const HookLog full = Transform(mask, 4.0, mask.Bounds());
    size_t lastRowFar = 0;
    for (const HookCall& call : full) lastRowFar += call.kind != HookCall::kPixel && call.pixel.y == 19;

    // One question per band (at most 5 for distances up to 4) and one per row.
    AbortOnCall never(1 << 30);
    RecordingTransform counted;
    ProgressLog progress;
    ASSERT_TRUE(counted.Init(mask.image, 4.0, mask.Bounds(), 0, 0).IsSuccess());
    ASSERT_EQ(counted.Run(never, &progress, 0.25, 0.75).status, ResultCode::kSuccess);
    ASSERT_GT(never.asked, 20);
    ASSERT_LE(never.asked, 25);
    for (size_t i = 0; i < progress.values.size(); ++i) {
        EXPECT_GE(progress.values[i], 0.25);
        EXPECT_LE(progress.values[i], 0.75);
        if (i > 0) {
            EXPECT_GE(progress.values[i], progress.values[i - 1]);
        }
    }
    // Cell rows -2..20 (the mask copy reaches one past the mask, the walk one
    // more), so the first finished row is 1/23 of the seeding's 30%.
    EXPECT_NEAR(progress.values.front(), 0.25 + 0.15 / 23, 1e-12);
    EXPECT_NEAR(progress.values.back(), 0.25 + 0.5 * (0.6 + 0.4 * 19 / 20), 1e-12);  // the last row

    for (int n : {1, never.asked - 19, never.asked - 10, never.asked}) {
        RecordingTransform transform;
        AbortOnCall abort(n);
        ASSERT_TRUE(transform.Init(mask.image, 4.0, mask.Bounds(), 0, 0).IsSuccess());
        EXPECT_EQ(transform.Run(abort, nullptr, 0, 1).status, ResultCode::kCancelled);
        EXPECT_EQ(abort.asked, n);
        // What was handed over before the abort is the start of the full run.
        ASSERT_LE(transform.log.size(), full.size());
        ExpectSameCalls(transform.log, HookLog(full.begin(), full.begin() + transform.log.size()));
        if (n == 1) {
            EXPECT_TRUE(transform.log.empty());
        }
        if (n == never.asked) {
            EXPECT_EQ(transform.log.size(), full.size() - lastRowFar);
        }
    }

    RecordingTransform uninitialised;
    NeverAbort noAbort;
    EXPECT_EQ(uninitialised.Run(noAbort, nullptr, 0, 1).status, ResultCode::kFailure);
}

}  // namespace
