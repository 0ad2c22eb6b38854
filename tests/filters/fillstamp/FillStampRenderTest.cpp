// Fill Stamp renders with tubes the content writer makes: the collected
// centres against a naive march, tile mode, the edge offset, layer fill,
// colourize and the same stamps at every preview scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "filters/LayerFillParameter.h"
#include "filters/fillstamp/FillStamp.h"
#include "filters/fillstamp/FillStampDistanceTransform.h"
#include "filters/fillstamp/LayerFill.h"
#include "filters/fillstamp/TiledPlacement.h"
#include "filters/stamp/StampDrawing.h"
#include "tests/filters/stamp/StampTestSupport.h"
#include "tests/image/DistanceReference.h"

namespace {

using namespace stamp_test;
using distance_reference::HookCall;
using distance_reference::TestMask;

TEST(FillStampCentres, MatchANaiveMarchInOrder) {
    TestMask mask(Rect(0, 0, 30, 40), 0);
    distance_reference::FillIrregular(mask, distance_reference::MaskKind::kBlobs, 4);
    for (const double offset : {0.0, 1.5, -3.0}) {
        const int radius = 2;
        FillCentreSearch search;
        search.mask = &mask.image;
        search.image = mask.Bounds();
        search.offset = offset;
        search.radius = radius;
        StampCentres centres;
        ASSERT_TRUE(FindFillCentres(search, centres).IsSuccess());

        const double limit = std::max(radius + offset, -offset);
        Rect working = mask.Bounds();
        const int grow = static_cast<int>(std::max(0.0, -std::ceil(offset)));
        working.Inflate(grow, grow);
        std::vector<Point> expected;
        for (const HookCall& call :
             distance_reference::NaiveMarch(mask, limit, working, distance_reference::Measure::kBothSides)) {
            const bool kept =
                call.kind == HookCall::kFarInside ||
                (call.kind == HookCall::kPixel && call.distance >= -limit && call.distance <= -(radius + offset));
            if (kept) expected.push_back(call.pixel);
        }
        SCOPED_TRACE(offset);
        EXPECT_EQ(centres.visited, static_cast<int64_t>(expected.size()));
        ASSERT_EQ(centres.pixels.Count(), static_cast<int64_t>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            const Point p = centres.pixels.At(static_cast<int64_t>(i));
            ASSERT_TRUE(p.x == expected[i].x && p.y == expected[i].y) << i;
        }
    }
}

TEST(FillStampTiles, TheCountNeverDividesByZeroAndIsAtLeastOne) {
    // 100 pixels ÷ M × 0.03 × 50 + 0.5, with M at least 1.
    EXPECT_EQ(TiledStampCount(Rect(0, 0, 10, 10), 0.0, 50.0), 150);
    EXPECT_EQ(TiledStampCount(Rect(0, 0, 10, 10), 0.4, 50.0), 150);
    EXPECT_EQ(TiledStampCount(Rect(0, 0, 10, 10), 2.0, 50.0), 75);
    EXPECT_EQ(TiledStampCount(Rect(0, 0, 3, 3), 900.0, 1.0), 1);
}

TEST(LayerFillRows, ClearFillAndKeepFollowTheMask) {
    const SingleChannelImage<unsigned char> mask =
        MakeMask(Rect(0, 0, 1, 4), [](int x, int) -> uint8_t { return static_cast<uint8_t>(x * 85); });
    Image<unsigned char> rgba =
        MakeImage(RGBA(), Rect(0, 0, 2, 5), [](int, int, int c) -> uint8_t { return c == 3 ? 200 : 100; });
    LayerFill fill;
    fill.behaviour = kLayerFillTransparent;
    fill.selection.mask = &mask;
    fill.selection.bounds = mask.bounds;
    fill.destination = &rgba;
    FillLayerRows(fill, Rect(0, 0, 1, 5));
    // alpha − alpha × m ÷ 255 for m = 0, 85, 170, 255; x = 4 lies beyond the mask.
    const int expectedAlpha[5] = {200, 134, 67, 0, 200};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(At(rgba, x, 0)[3], expectedAlpha[x]) << x;
        EXPECT_EQ(At(rgba, x, 0)[0], 100);
        EXPECT_EQ(At(rgba, x, 1)[3], 200) << "row 1 is not asked for";
    }
    fill.selection.everything = true;
    FillLayerRows(fill, Rect(1, 0, 2, 5));
    for (int x = 0; x < 5; ++x) EXPECT_EQ(At(rgba, x, 1)[3], 0);

    Image<unsigned char> rgb = MakeImage(RGB(), Rect(0, 0, 1, 5), [](int, int, int) -> uint8_t { return 100; });
    fill.destination = &rgb;
    fill.selection.everything = false;
    FillLayerRows(fill, rgb.bounds);
    EXPECT_EQ(At(rgb, 3, 0)[0], 100) << "nothing to make transparent";
    fill.behaviour = kLayerFillWithColour;
    fill.colour[0] = 200;
    fill.colour[1] = 0;
    fill.colour[2] = 100;
    FillLayerRows(fill, rgb.bounds);
    // 100 + (200 − 100) × 85 ÷ 255 = 133; 100 − 100 × 85 ÷ 255 = 67.
    EXPECT_EQ(At(rgb, 0, 0)[0], 100);
    EXPECT_EQ(At(rgb, 1, 0)[0], 133);
    EXPECT_EQ(At(rgb, 1, 0)[1], 67);
    EXPECT_EQ(At(rgb, 3, 0)[0], 200);
    EXPECT_EQ(At(rgb, 4, 0)[0], 100);
    fill.behaviour = kLayerFillKeep;
    EXPECT_FALSE(LayerFillApplies(fill));
}

// A tube of four opaque 20 × 20 squares.
class FillStampRender : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = folder.File("squares.tub");
        WriteTube(path, SquareCells(2, 2, 20, 20, 0), 2, 2);
        effect.WriteDefaults(block);
        Record().tubeFile = AbsoluteReference(path);
        Record().stampSize.Set(8.0, kLengthPixels);
    }
    FillStampParameters& Record() { return block.As<FillStampParameters>(); }
    void UseTube(const std::string& name, const RasterImage& picture) {
        WriteTube(folder.File(name), picture, 1, 1);
        Record().tubeFile = AbsoluteReference(folder.File(name));
    }

    ScratchFolder folder;
    FillStamp effect;
    ParameterBlock block{};
};

TEST_F(FillStampRender, TileModeAtDensityOnePlacesAStampEvenOnATinyImage) {
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 3, 3), [](int, int, int) { return 9; });
    RenderSetup setup;
    setup.source = &source;
    Record().tileMode = 1;
    Record().density = 1.0;
    ASSERT_TRUE(Render(effect, block, setup).status.IsSuccess());
    EXPECT_EQ(effect.Placements().size(), 1u);
}

TEST_F(FillStampRender, TileModeChangesNoPixelOutsideTheSelection) {
    // Tiled stamps cover the whole picture; a soft ellipse keeps them, their
    // shadows and the fill colour to itself, rendered over the whole picture.
    const Image<unsigned char> source =
        MakeImage(RGB(), Rect(0, 0, 90, 120), [](int x, int y, int c) { return static_cast<uint8_t>(x + y + c); });
    const SingleChannelImage<unsigned char> mask = EllipseMask(source.bounds);
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;
    Record().tileMode = 1;
    Record().density = 80.0;
    for (const uint32_t fill : {kLayerFillKeep, kLayerFillWithColour}) {
        Record().layerFill.behaviour = fill;
        const RenderOutcome outcome = Render(effect, block, setup);
        ASSERT_TRUE(outcome.status.IsSuccess());
        int64_t outside = 0, changedInside = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 120; ++x) {
                const bool same = std::equal(At(source, x, y), At(source, x, y) + 3, At(outcome.output, x, y));
                if (*mask.PixelAddress(Point{x, y}) == 0) {
                    outside += same ? 0 : 1;
                } else {
                    changedInside += same ? 0 : 1;
                }
            }
        EXPECT_EQ(outside, 0) << "fill " << fill;
        EXPECT_GT(changedInside, 2000) << "fill " << fill;
    }
}

TEST_F(FillStampRender, ALargeEdgeOffsetPlacesNothingAndReportsMessage8500) {
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 40, 40), [](int, int, int) { return 9; });
    const SingleChannelImage<unsigned char> mask = RectMask(source.bounds, Rect(5, 5, 35, 35));
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;
    Record().edgeOffset.Set(100.0, kLengthPixels);
    const RenderOutcome outcome = Render(effect, block, setup);
    EXPECT_EQ(outcome.status.status, -1);
    EXPECT_EQ(outcome.status.messageId, 8500);
    EXPECT_TRUE(SameImage(outcome.output, source));
}

TEST_F(FillStampRender, KeepingTheImageWithoutColourizeLeavesUnstampedPixelsAlone) {
    const Image<unsigned char> source =
        MakeImage(RGB(), Rect(0, 0, 50, 60), [](int x, int y, int c) { return static_cast<uint8_t>(x * 3 + y + c); });
    const SingleChannelImage<unsigned char> mask = EllipseMask(source.bounds);
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;
    Record().layerFill.behaviour = kLayerFillKeep;
    Record().density = 10.0;
    const RenderOutcome outcome = Render(effect, block, setup);
    ASSERT_TRUE(outcome.status.IsSuccess());
    std::vector<Rect> stamped;
    for (const Placement& placement : effect.Placements()) {
        const Rect& b = effect.Cells().At(placement.column, placement.row).stamp->bounds;
        const Point at = StampOffset(placement, source.bounds);
        stamped.push_back(Rect(b.top + at.y, b.left + at.x, b.bottom + at.y, b.right + at.x));
    }
    int untouched = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool underAStamp = std::any_of(stamped.begin(), stamped.end(), [&](const Rect& r) {
                return r.Contains(Point{x, y});
            });
            if (underAStamp) continue;
            ++untouched;
            for (int c = 0; c < 3; ++c) ASSERT_EQ(At(outcome.output, x, y)[c], At(source, x, y)[c]) << x << "," << y;
        }
    EXPECT_GT(untouched, 0);
    EXPECT_FALSE(SameImage(outcome.output, source));
}

TEST_F(FillStampRender, ColourizeOnAGreySourceChangesNothing) {
    const Image<unsigned char> source =
        MakeImage(Grey(), Rect(0, 0, 40, 50), [](int x, int y, int) { return static_cast<uint8_t>(x * 4 + y); });
    const SingleChannelImage<unsigned char> mask = EllipseMask(source.bounds);
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;
    Record().layerFill.behaviour = kLayerFillKeep;
    const RenderOutcome plain = Render(effect, block, setup);
    Record().colorize = 1;
    const RenderOutcome colourized = Render(effect, block, setup);
    ASSERT_TRUE(plain.status.IsSuccess() && colourized.status.IsSuccess());
    EXPECT_FALSE(SameImage(plain.output, source));
    EXPECT_TRUE(SameImage(plain.output, colourized.output));
}

TEST_F(FillStampRender, ColourizedStampsKeepTheirHueAndMoveHalfWayToTheBrightnessBeneath) {
    // Pure red stamps over a grey of value 0.2: value 1 + (0.2 − 1) × 0.5 =
    // 0.6, so red 153; the same in tile mode, where the mean wraps.
    UseTube("red.tub", CellPicture(1, 1, 20, 20, [](int32_t, int32_t, int32_t, int32_t, uint8_t* p) {
                p[0] = 255;
                p[1] = 0;
                p[2] = 0;
                p[3] = 255;
            }));
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 40, 40), [](int, int, int) { return 51; });
    RenderSetup setup;
    setup.source = &source;
    Record().layerFill.behaviour = kLayerFillKeep;
    Record().shadowOn = 0;
    Record().colorize = 1;
    for (const unsigned char tile : {0, 1}) {
        Record().tileMode = tile;
        const RenderOutcome outcome = Render(effect, block, setup);
        ASSERT_TRUE(outcome.status.IsSuccess());
        int stamped = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const uint8_t* p = At(outcome.output, x, y);
                if (p[0] == 51 && p[1] == 51 && p[2] == 51) continue;
                ++stamped;
                ASSERT_EQ(p[0], 153) << x << "," << y << " tile " << int(tile);
                ASSERT_EQ(p[1], 0);
                ASSERT_EQ(p[2], 0);
            }
        EXPECT_GT(stamped, 0) << int(tile);
    }
}

TEST_F(FillStampRender, AColourizedStampFadesWithTheTransparencyBeneathIt) {
    UseTube("white.tub", CellPicture(1, 1, 10, 10, [](int32_t, int32_t, int32_t, int32_t, uint8_t* p) {
                p[0] = p[1] = p[2] = 255;
                p[3] = 255;
            }));
    // Transparent everywhere: the stamps' alpha becomes 255 × 0 ÷ 255.
    const Image<unsigned char> source =
        MakeImage(RGBA(), Rect(0, 0, 30, 30), [](int, int, int c) -> uint8_t { return c == 3 ? 0 : 90; });
    RenderSetup setup;
    setup.source = &source;
    Record().layerFill.behaviour = kLayerFillKeep;
    Record().shadowOn = 0;
    Record().colorize = 1;
    Record().tileMode = 1;
    const RenderOutcome outcome = Render(effect, block, setup);
    ASSERT_TRUE(outcome.status.IsSuccess());
    EXPECT_FALSE(effect.Placements().empty());
    EXPECT_TRUE(SameImage(outcome.output, source));
}

TEST_F(FillStampRender, AnInvisibleTubeChangesNothing) {
    UseTube("clear.tub", CellPicture(1, 1, 10, 10, [](int32_t, int32_t, int32_t, int32_t, uint8_t* p) {
                p[0] = p[1] = p[2] = 200;
                p[3] = 0;
            }));
    const Image<unsigned char> source = MakeImage(RGBA(), Rect(0, 0, 30, 30), [](int, int, int) { return 90; });
    RenderSetup setup;
    setup.source = &source;
    const RenderOutcome outcome = Render(effect, block, setup);
    EXPECT_TRUE(outcome.status.IsSuccess());
    EXPECT_TRUE(SameImage(outcome.output, source));
}

TEST_F(FillStampRender, TheSameSeedPlacesTheSameStampsAtPreviewScalesOneTwoAndFour) {
    const SingleChannelImage<unsigned char> mask = EllipseMask(Rect(0, 0, 80, 100));
    for (const unsigned char tile : {0, 1}) {
        Record().tileMode = tile;
        std::vector<PlacementList> lists;
        for (const int scale : {1, 2, 4}) {
            const Image<unsigned char> source = MakeImage(RGBA(), Rect(0, 0, 80 / scale, 100 / scale),
                                                          [](int x, int, int) { return static_cast<uint8_t>(x); });
            RenderSetup setup;
            setup.source = &source;
            setup.fullMask = &mask;
            setup.fullDocument = mask.bounds;
            setup.scale = scale;
            setup.shapeFromTransparency = true;
            ASSERT_TRUE(Render(effect, block, setup).status.IsSuccess()) << scale;
            lists.push_back(effect.Placements());
        }
        ASSERT_FALSE(lists[0].empty());
        for (size_t k = 1; k < lists.size(); ++k) ExpectSamePlacements(lists[k], lists[0]);
    }
}

}  // namespace
