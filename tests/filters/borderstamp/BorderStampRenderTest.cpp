// Border Stamp renders on small images with tubes the content writer makes:
// the band and V against a naive march, the density budget, the tube size
// cap, a negative offset, the same stamps at every preview scale, grey
// destinations and the failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "filters/borderstamp/BorderStamp.h"
#include "filters/borderstamp/BorderStampDistanceTransform.h"
#include "tests/filters/stamp/StampTestSupport.h"
#include "tests/image/DistanceReference.h"

namespace {

using namespace stamp_test;
using distance_reference::HookCall;
using distance_reference::Measure;
using distance_reference::NaiveMarch;
using distance_reference::TestMask;

// The band a naive march gives: the pixels reported with B + R <= −d <=
// B + Q − R over the image grown by max(0, −⌈B⌉), in report order; and V.
struct ReferenceBand {
    std::vector<Point> pixels;
    int64_t visited = 0;
};

ReferenceBand NaiveBand(const TestMask& mask, double width, double offset, int radius) {
    const double reach = std::max(width, 2.1 * radius);
    const double limit = std::max(offset - radius + reach, -(radius + offset));
    Rect working = mask.Bounds();
    const int grow = static_cast<int>(std::max(0.0, -std::ceil(offset)));
    working.Inflate(grow, grow);
    ReferenceBand band;
    for (const HookCall& call : NaiveMarch(mask, limit, working, Measure::kBothSides)) {
        if (call.kind != HookCall::kPixel) continue;
        ++band.visited;
        if (-call.distance >= offset + radius && -call.distance <= offset + reach - radius)
            band.pixels.push_back(call.pixel);
    }
    return band;
}

void ExpectSameBand(const StampCentres& found, const ReferenceBand& expected) {
    EXPECT_EQ(found.visited, expected.visited);
    ASSERT_EQ(found.pixels.Count(), static_cast<int64_t>(expected.pixels.size()));
    for (size_t i = 0; i < expected.pixels.size(); ++i) {
        const Point p = found.pixels.At(static_cast<int64_t>(i));
        ASSERT_TRUE(p.x == expected.pixels[i].x && p.y == expected.pixels[i].y) << "band pixel " << i;
    }
}

TEST(BorderStampBand, MatchesANaiveMarchInOrderForOffsetsInsideAndOutside) {
    TestMask mask(Rect(0, 0, 30, 40), 0);
    distance_reference::FillIrregular(mask, distance_reference::MaskKind::kBlobs, 11);
    for (const double offset : {0.0, 2.5, -4.0}) {
        BorderBandSearch search;
        search.mask = &mask.image;
        search.image = mask.Bounds();
        search.width = 7.0;
        search.offset = offset;
        search.radius = 2;
        StampCentres band;
        ASSERT_TRUE(FindBorderBand(search, band).IsSuccess());
        SCOPED_TRACE(offset);
        ExpectSameBand(band, NaiveBand(mask, 7.0, offset, 2));
    }
}

TEST(BorderStampBand, ANegativeOffsetPutsTheBandOutsideTheSelectionAndBeyondTheImage) {
    // Everything selected: the edge is half a pixel outside the image.
    TestMask mask(Rect(0, 0, 20, 20), 255);
    BorderBandSearch search;
    search.mask = &mask.image;
    search.image = mask.Bounds();
    // The strip from −6 to +1 with R = 2: centres 1 to 4 pixels outside.
    search.width = 7.0;
    search.offset = -6.0;
    search.radius = 2;
    StampCentres band;
    ASSERT_TRUE(FindBorderBand(search, band).IsSuccess());
    ASSERT_GT(band.pixels.Count(), 0);
    for (int64_t i = 0; i < band.pixels.Count(); ++i) {
        const Point p = band.pixels.At(i);
        EXPECT_FALSE(mask.Bounds().Contains(p)) << p.x << "," << p.y;
        EXPECT_TRUE(p.x >= -6 && p.y >= -6 && p.x < 26 && p.y < 26) << p.x << "," << p.y;
    }
    ExpectSameBand(band, NaiveBand(mask, 7.0, -6.0, 2));
    // Without the offset the same strip lies inside.
    search.offset = 0.0;
    ASSERT_TRUE(FindBorderBand(search, band).IsSuccess());
    ASSERT_GT(band.pixels.Count(), 0);
    for (int64_t i = 0; i < band.pixels.Count(); ++i) EXPECT_TRUE(mask.Bounds().Contains(band.pixels.At(i)));
}

// A tube of four opaque 20 × 20 squares of different colours.
class BorderStampRender : public ::testing::Test {
protected:
    void SetUp() override {
        tubePath = folder.File("squares.tub");
        WriteTube(tubePath, SquareCells(2, 2, 20, 20, 0), 2, 2);
        effect.WriteDefaults(block);
        Record().tubeFile = AbsoluteReference(tubePath);
        Record().shadowOn = 0;
    }
    BorderStampParameters& Record() { return block.As<BorderStampParameters>(); }

    ScratchFolder folder;
    std::string tubePath;
    BorderStamp effect;
    ParameterBlock block{};
};

TEST_F(BorderStampRender, ATubeSizeAboveTwiceTheBorderWidthIsCapped) {
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 300, 300), [](int, int, int) { return 0; });
    const SingleChannelImage<unsigned char> mask = RectMask(source.bounds, Rect(20, 20, 280, 280));
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;
    Record().borderWidth.Set(40.0, kLengthPixels);
    Record().tubeSize.Set(200.0, kLengthPixels);
    ASSERT_TRUE(Render(effect, block, setup).status.IsSuccess());
    EXPECT_EQ(effect.Cells().At(1, 1).stamp->Width(), 80);
    Record().tubeSize.Set(50.0, kLengthPixels);
    ASSERT_TRUE(Render(effect, block, setup).status.IsSuccess());
    EXPECT_EQ(effect.Cells().At(1, 1).stamp->Width(), 50);
}

TEST_F(BorderStampRender, DensityOneAndHundredSpendThreeAndThreeHundredPercentOfV) {
    TestMask mask(Rect(0, 0, 48, 64), 0);
    distance_reference::FillIrregular(mask, distance_reference::MaskKind::kBlobs, 5);
    const Image<unsigned char> source = MakeImage(RGB(), mask.Bounds(), [](int, int, int) { return 0; });
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask.image;
    Record().tubeSize.Set(6.0, kLengthPixels);
    Record().borderWidth.Set(10.0, kLengthPixels);
    for (const double density : {1.0, 100.0}) {
        Record().density = density;
        ASSERT_TRUE(Render(effect, block, setup).status.IsSuccess());
        const CellTable& cells = effect.Cells();
        int radius = 0;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c) radius = std::max(radius, cells.At(c, r).radius);
        const double budget = 0.03 * density * static_cast<double>(NaiveBand(mask, 10.0, 0.0, radius).visited);
        double placed = 0.0, last = 0.0;
        for (const Placement& placement : effect.Placements()) {
            last = cells.At(placement.column, placement.row).area;
            placed += last;
        }
        SCOPED_TRACE(density);
        EXPECT_GE(placed, budget);
        EXPECT_LT(placed - last, budget);
    }
}

TEST_F(BorderStampRender, TheSameSeedPlacesTheSameStampsAtPreviewScalesOneTwoAndFour) {
    const SingleChannelImage<unsigned char> mask = EllipseMask(Rect(0, 0, 90, 120));
    Record().shadowOn = 1;
    Record().tubeSize.Set(10.0, kLengthPixels);
    Record().borderWidth.Set(12.0, kLengthPixels);
    std::vector<PlacementList> lists;
    for (const int scale : {1, 2, 4}) {
        const Image<unsigned char> source =
            MakeImage(RGB(), Rect(0, 0, (90 + scale - 1) / scale, (120 + scale - 1) / scale),
                      [](int x, int y, int c) { return static_cast<uint8_t>(x + y + c); });
        RenderSetup setup;
        setup.source = &source;
        setup.fullMask = &mask;
        setup.fullDocument = mask.bounds;
        setup.scale = scale;
        const RenderOutcome outcome = Render(effect, block, setup);
        ASSERT_TRUE(outcome.status.IsSuccess()) << scale;
        EXPECT_FALSE(SameImage(outcome.output, source)) << scale;
        lists.push_back(effect.Placements());
    }
    ASSERT_FALSE(lists[0].empty());
    for (size_t k = 1; k < lists.size(); ++k) ExpectSamePlacements(lists[k], lists[0]);
}

TEST_F(BorderStampRender, LaterRendersOfARunGiveWhatAFreshEffectGives) {
    // The band found for the first render serves the next ones while the
    // selection, the widths and the radius stay; any change searches again.
    const SingleChannelImage<unsigned char> mask = EllipseMask(Rect(0, 0, 90, 120));
    const Image<unsigned char> source = MakeImage(RGB(), mask.bounds, [](int, int, int) { return 0; });
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;
    Record().tubeSize.Set(10.0, kLengthPixels);
    Record().borderWidth.Set(12.0, kLengthPixels);
    ASSERT_TRUE(Render(effect, block, setup).status.IsSuccess());
    const auto change = [&](const std::function<void(BorderStampParameters&)>& edit) {
        edit(Record());
        const RenderOutcome again = Render(effect, block, setup);
        BorderStamp fresh;
        const RenderOutcome first = Render(fresh, block, setup);
        ASSERT_TRUE(again.status.IsSuccess() && first.status.IsSuccess());
        EXPECT_TRUE(SameImage(again.output, first.output));
        EXPECT_EQ(effect.Placements().size(), fresh.Placements().size());
    };
    change([](BorderStampParameters& p) { p.randomSeed = 77; });
    change([](BorderStampParameters& p) { p.density = 90.0; });
    change([](BorderStampParameters& p) { p.borderWidth.Set(16.0, kLengthPixels); });
    change([](BorderStampParameters& p) { p.borderOffset.Set(-3.0, kLengthPixels); });
    change([](BorderStampParameters& p) { p.tubeSize.Set(6.0, kLengthPixels); });
}

TEST_F(BorderStampRender, GreyImagesTakeTheBrightestChannelOfEachStampPixel) {
    const SingleChannelImage<unsigned char> mask = EllipseMask(Rect(0, 0, 40, 50));
    const Image<unsigned char> rgb = MakeImage(RGB(), mask.bounds, [](int, int, int) { return 0; });
    const Image<unsigned char> grey = MakeImage(Grey(), mask.bounds, [](int, int, int) { return 0; });
    Record().tubeSize.Set(8.0, kLengthPixels);
    Record().borderWidth.Set(10.0, kLengthPixels);
    RenderSetup setup;
    setup.mask = &mask;
    setup.source = &rgb;
    const RenderOutcome colour = Render(effect, block, setup);
    setup.source = &grey;
    const RenderOutcome reduced = Render(effect, block, setup);
    ASSERT_TRUE(colour.status.IsSuccess() && reduced.status.IsSuccess());
    ASSERT_FALSE(SameImage(reduced.output, grey));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) {
            const uint8_t* p = At(colour.output, x, y);
            ASSERT_EQ(At(reduced.output, x, y)[0], std::max({p[0], p[1], p[2]})) << x << "," << y;
        }
}

TEST_F(BorderStampRender, NothingPlacedReportsMessage8500AndLeavesTheImage) {
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 40, 40), [](int, int, int) { return 7; });
    const SingleChannelImage<unsigned char> mask = RectMask(source.bounds, Rect(15, 15, 21, 21));
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;
    const RenderOutcome outcome = Render(effect, block, setup);
    EXPECT_EQ(outcome.status.status, -1);
    EXPECT_EQ(outcome.status.messageId, 8500);
    EXPECT_TRUE(SameImage(outcome.output, source));
}

TEST_F(BorderStampRender, TubesThatCannotBeOpenedOrReadAreReportedWithTheirMessages) {
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 40, 40), [](int, int, int) { return 7; });
    RenderSetup setup;
    setup.source = &source;
    Record().tubeFile = AbsoluteReference(folder.File("missing.tub"));
    RenderOutcome outcome = Render(effect, block, setup);
    EXPECT_EQ(outcome.status.status, -1);
    EXPECT_EQ(outcome.status.messageId, 10032);
    std::ofstream(folder.File("damaged.tub"), std::ios::binary) << "not a picture tube at all";
    Record().tubeFile = AbsoluteReference(folder.File("damaged.tub"));
    outcome = Render(effect, block, setup);
    EXPECT_EQ(outcome.status.status, -1);
    EXPECT_EQ(outcome.status.messageId, 10033);
    EXPECT_TRUE(SameImage(outcome.output, source));
}

TEST_F(BorderStampRender, AbortEndsThePassAndProgressRisesToOne) {
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 60, 60), [](int, int, int) { return 7; });
    RenderSetup setup;
    setup.source = &source;
    Record().tubeSize.Set(8.0, kLengthPixels);
    AbortFrom abort(1);
    setup.abort = &abort;
    RenderOutcome outcome = Render(effect, block, setup);
    EXPECT_EQ(outcome.status.status, ResultCode::kCancelled);
    EXPECT_TRUE(SameImage(outcome.output, source));

    for (const double scale : {1.0, 2.0}) {
        RecordingProgress progress;
        setup.abort = nullptr;
        setup.progress = &progress;
        setup.scale = scale;
        setup.fullDocument = Rect(0, 0, 60, 60);
        ASSERT_TRUE(Render(effect, block, setup).status.IsSuccess());
        ASSERT_FALSE(progress.values.empty());
        for (size_t i = 1; i < progress.values.size(); ++i)
            EXPECT_GE(progress.values[i], progress.values[i - 1] - 1e-12) << "report " << i << " at scale " << scale;
        EXPECT_GE(progress.values.front(), 0.0);
        EXPECT_EQ(progress.values.back(), 1.0);
    }
}

}  // namespace
