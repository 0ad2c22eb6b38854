#include "image/PrecisionBevel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/image/DistanceReference.h"

namespace {

using namespace distance_reference;

class RecordingBevel : public Precision_Bevel {
public:
    HookLog log;

protected:
    void ProcessPixel(Point pixel, ContourPoint contour, double distance) override {
        log.Pixel(pixel, contour, distance);
    }
    void ProcessFarInside(Point pixel) override { log.Far(pixel, true); }
    void ProcessFarOutside(Point pixel) override { log.Far(pixel, false); }
};

HookLog Bevel(const TestMask& mask, double maxDistance, const Rect& output, bool inside) {
    RecordingBevel bevel;
    NeverAbort noAbort;
    EXPECT_TRUE(bevel.Init(mask.image, maxDistance, output, inside, 0, 0).IsSuccess());
    EXPECT_EQ(bevel.Run(noAbort, nullptr, 0, 1).status, ResultCode::kSuccess);
    return bevel.log;
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

TEST(PrecisionBevelTest, MeasuresOneSideOnlyAndHooksEachPixelOnce) {
    const MaskKind kinds[] = {MaskKind::kBlobs, MaskKind::kSpecks, MaskKind::kNoise};
    const double tolerance = 0.3;  // the banded march may settle on a slightly farther edge point
    for (MaskKind kind : kinds) {
        TestMask mask(Rect(0, 0, 28, 32), 0);
        FillIrregular(mask, kind, 4);
        const std::vector<ContourPoint> contour = BruteForceContour(mask);
        const Rect output(-4, -4, 32, 30);  // partly beyond the mask, which counts as outside there
        for (bool inside : {true, false}) {
            SCOPED_TRACE(inside ? "inside" : "outside");
            const HookLog log = Bevel(mask, 5.0, output, inside);
            const auto counts = log.CountsPerPixel();
            EXPECT_EQ(counts.size(), static_cast<size_t>(output.Width()) * output.Height());
            for (const auto& entry : counts) EXPECT_EQ(entry.second, 1);
            for (const HookCall& call : log.calls) {
                const int x = call.pixel.x, y = call.pixel.y;
                ASSERT_TRUE(output.Contains(call.pixel));
                if (call.kind != HookCall::kPixel) {
                    EXPECT_EQ(call.kind == HookCall::kFarInside, mask.Inside(x, y));
                    continue;
                }
                ASSERT_EQ(mask.Inside(x, y), inside) << x << "," << y;
                EXPECT_GE(call.distance, 0.0);
                EXPECT_LE(call.distance, 5.0);
                EXPECT_TRUE(OnContour(contour, call.contour));
                EXPECT_GE(call.distance, Nearest(contour, x, y) - 1e-12);
                EXPECT_LE(call.distance, Nearest(contour, x, y) + tolerance);
            }
        }
    }
}

// The naive march of the test reference, compared call by call. It grows the
// work area for the inside without limit, which must make no difference.
TEST(PrecisionBevelTest, MatchesTheNaiveMarchExactly) {
    const MaskKind kinds[] = {MaskKind::kBlobs, MaskKind::kSpecks, MaskKind::kNoise};
    for (MaskKind kind : kinds) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            TestMask mask(Rect(5, -4, 27, 20), 0);
            FillIrregular(mask, kind, seed);
            for (double maxDistance : {1.5, 6.0}) {
                for (const Rect& output : {mask.bounds, Rect(0, -8, 30, 12), Rect(10, 0, 16, 30)}) {
                    for (bool inside : {true, false}) {
                        SCOPED_TRACE(testing::Message() << "seed " << seed << " max " << maxDistance << " inside " << inside);
                        ExpectSameCalls(Bevel(mask, maxDistance, output, inside),
                                        NaiveMarch(mask, maxDistance, output, inside ? Measure::kInside : Measure::kOutside));
                    }
                }
            }
        }
    }
}

TEST(PrecisionBevelTest, InsideOfAFullSelectionGrowsFromTheImageBorder) {
    TestMask mask(Rect(0, 0, 12, 12), 255);
    const HookLog log = Bevel(mask, 2.0, mask.bounds, true);
    // Away from the corners the border cells' points are (-0.5, y + 0.5).
    const double expected[] = {std::sqrt(0.5), std::sqrt(2.5)};  // columns 0 and 1
    int checked = 0;
    for (const HookCall& call : log.calls) {
        if (call.pixel.y != 6) continue;
        const int x = call.pixel.x;
        if (x < 2) {
            ASSERT_EQ(call.kind, HookCall::kPixel);
            EXPECT_NEAR(call.distance, expected[x], 1e-12);
            ++checked;
        } else if (x >= 3 && x <= 8) {
            EXPECT_EQ(call.kind, HookCall::kFarInside);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 8);

    for (const HookCall& call : Bevel(mask, 2.0, mask.bounds, false).calls) {
        EXPECT_EQ(call.kind, HookCall::kFarInside);  // nothing of the output is outside
    }
}

TEST(PrecisionBevelTest, LevelLiesBetween127And128ForEverySide) {
    TestMask mask(Rect(0, -10, 20, 20), 127);
    for (int y = 0; y < 20; ++y) {
        for (int x = -10; x <= 4; ++x) mask.Set(x, y, 128);
    }
    const Rect output(8, 0, 12, 10);  // columns 0..9, an edge between 4 and 5
    for (bool inside : {true, false}) {
        const int measuredColumn = inside ? 4 : 5;
        for (const HookCall& call : Bevel(mask, 1.0, output, inside).calls) {
            const int x = call.pixel.x;
            if (x == measuredColumn) {
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
    RecordingBevel bevel;
    AbortOnCall abort(1);
    ProgressLog progress;
    ASSERT_TRUE(bevel.Init(mask.image, 4.0, mask.bounds, true, 0, 0).IsSuccess());
    EXPECT_EQ(bevel.Run(abort, &progress, 0, 1).status, ResultCode::kCancelled);
    EXPECT_EQ(abort.asked, 1);
    EXPECT_TRUE(bevel.log.calls.empty());
    // Seeding ran to its end, then the first band reported before asking.
    ASSERT_GE(progress.values.size(), 2u);
    EXPECT_NEAR(progress.values[progress.values.size() - 2], 0.3, 1e-12);
    EXPECT_NEAR(progress.values.back(), 0.3, 1e-12);
}

}  // namespace
