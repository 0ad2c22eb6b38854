#include "image/PrecisionBevel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/image/DistanceReference.h"

namespace {

using namespace distance_reference;

HookLog Bevel(const TestMask& mask, double maxDistance, const Rect& output, bool inside) {
    Recording<Precision_Bevel> bevel;
    NeverAbort noAbort;
    EXPECT_TRUE(bevel.Init(mask.image, maxDistance, output, inside, 0, 0).IsSuccess());
    EXPECT_EQ(bevel.Run(noAbort, nullptr, 0, 1).status, ResultCode::kSuccess);
    return bevel.log;
}

TEST(PrecisionBevelTest, MeasuresOneSideOnlyAndAgreesWithTheBruteForceContour) {
    const double slack = 0.3;  // the banded march may settle on a slightly farther edge point
    for (MaskKind kind : kAllKinds) {
        TestMask mask(Rect(0, 0, 28, 32), 0);
        FillIrregular(mask, kind, 4);
        const std::vector<ContourPoint> contour = BruteForceContour(mask);
        const Rect output(-4, -4, 32, 30);  // partly beyond the mask, which counts as outside
        for (bool inside : {true, false}) {
            SCOPED_TRACE(inside ? "inside" : "outside");
            const HookLog log = Bevel(mask, 5.0, output, inside);
            ExpectEachOutputPixelOnce(log, output);
            for (const HookCall& call : log) {
                const int x = call.pixel.x, y = call.pixel.y;
                if (call.kind != HookCall::kPixel) {
                    EXPECT_EQ(call.kind == HookCall::kFarInside, mask.Inside(x, y));
                    continue;
                }
                ASSERT_EQ(mask.Inside(x, y), inside) << x << "," << y;
                EXPECT_TRUE(OnContour(contour, call.contour));
                EXPECT_LE(call.distance, 5.0);
                EXPECT_GE(call.distance, Nearest(contour, x, y) - 1e-12);
                EXPECT_LE(call.distance, Nearest(contour, x, y) + slack);
            }
        }
    }
}

// Call by call against the naive march, which grows the work area for the
// inside without limit: that must make no difference.
TEST(PrecisionBevelTest, MatchesTheNaiveMarchExactly) {
    for (MaskKind kind : kAllKinds) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            TestMask mask(Rect(5, -4, 27, 20), 0);
            FillIrregular(mask, kind, seed);
            for (double maxDistance : {1.5, 6.0}) {
                for (const Rect& output : {mask.Bounds(), Rect(0, -8, 30, 12), Rect(10, 0, 16, 30)}) {
                    for (bool inside : {true, false}) {
                        SCOPED_TRACE(testing::Message()
                                     << "seed " << seed << " max " << maxDistance << " in " << inside);
                        ExpectSameCalls(
                            Bevel(mask, maxDistance, output, inside),
                            NaiveMarch(mask, maxDistance, output, inside ? Measure::kInside : Measure::kOutside));
                    }
                }
            }
        }
    }
}

TEST(PrecisionBevelTest, MatchesTheNaiveMarchOverManyGridTiles) {
    TestMask mask(Rect(3, -20, 80, 75), 0);
    FillIrregular(mask, MaskKind::kSpecks, 8);
    for (bool inside : {true, false}) {
        SCOPED_TRACE(inside);
        ExpectSameCalls(Bevel(mask, 7.5, mask.Bounds(), inside),
                        NaiveMarch(mask, 7.5, mask.Bounds(), inside ? Measure::kInside : Measure::kOutside));
    }
}

TEST(PrecisionBevelTest, FullSelectionAndTheLevelBetween127And128) {
    // Inside a full selection distances grow from the border: (-0.5, y + 0.5)
    // is the nearest point of row 6; the outside has no pixel in the image.
    TestMask full(Rect(0, 0, 12, 12), 255);
    for (const HookCall& call : Bevel(full, 2.0, full.Bounds(), true)) {
        const int fromBorder = std::min(call.pixel.x, 11 - call.pixel.x);
        if (call.pixel.y != 6) continue;
        ASSERT_EQ(call.kind, fromBorder < 2 ? HookCall::kPixel : HookCall::kFarInside) << call.pixel.x;
        if (fromBorder < 2) {
            EXPECT_NEAR(call.distance, std::sqrt((fromBorder + 0.5) * (fromBorder + 0.5) + 0.25), 1e-12);
        }
    }
    for (const HookCall& call : Bevel(full, 2.0, full.Bounds(), false)) EXPECT_EQ(call.kind, HookCall::kFarInside);

    // 128 up to column 4, 127 beyond: seeding, the side check and the far
    // pixels all split there.
    TestMask mask(Rect(0, -10, 20, 20), 127);
    for (int y = 0; y < 20; ++y) {
        for (int x = -10; x <= 4; ++x) mask.Set(x, y, 128);
    }
    for (bool inside : {true, false}) {
        for (const HookCall& call : Bevel(mask, 1.0, Rect(8, 0, 12, 10), inside)) {
            const int x = call.pixel.x;
            if (x == (inside ? 4 : 5)) {
                ASSERT_EQ(call.kind, HookCall::kPixel);
                EXPECT_NEAR(call.distance, std::sqrt(0.5), 1e-12);
            } else {
                EXPECT_EQ(call.kind, x <= 4 ? HookCall::kFarInside : HookCall::kFarOutside) << x;
            }
        }
    }
}

TEST(PrecisionBevelTest, AbortOnTheFirstQuestionHooksNothing) {
    TestMask mask(Rect(0, 0, 16, 16), 0);
    FillIrregular(mask, MaskKind::kBlobs, 2);
    Recording<Precision_Bevel> bevel;
    AbortOnCall abort(1);
    ProgressLog progress;
    ASSERT_TRUE(bevel.Init(mask.image, 4.0, mask.Bounds(), true, 0, 0).IsSuccess());
    EXPECT_EQ(bevel.Run(abort, &progress, 0, 1).status, ResultCode::kCancelled);
    EXPECT_EQ(abort.asked, 1);
    EXPECT_TRUE(bevel.log.empty());
    // Seeding ran to its end, then the first band reported before asking.
    ASSERT_GE(progress.values.size(), 2u);
    EXPECT_NEAR(progress.values[progress.values.size() - 2], 0.3, 1e-12);
    EXPECT_NEAR(progress.values.back(), 0.3, 1e-12);
}

}  // namespace
