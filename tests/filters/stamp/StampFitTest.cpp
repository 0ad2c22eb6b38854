// Stamp sizes the stamp effects refuse before making a cell: the radius they
// judge by against the radius the cells really get, refusals that name the
// selection or the picture, and stamps too large to make.
#include <gtest/gtest.h>

#include <cmath>

#include "filters/LayerFillParameter.h"
#include "filters/borderstamp/BorderStamp.h"
#include "filters/fillstamp/FillStamp.h"
#include "filters/stamp/CellPreparation.h"
#include "filters/stamp/StampFit.h"
#include "platform/ResourceStrings.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

using namespace stamp_test;

TEST(StampFit, TheJudgedRadiusNeverExceedsTheRadiusTheCellsGet) {
    // Soft-edged discs and bars, not centred in their cells: scaling blurs
    // their edges and drops their faintest pixels.
    const Image<unsigned char> tube = MakeImage(RGBA(), Rect(0, 0, 30, 80), [](int x, int y, int c) -> uint8_t {
        if (c < 3) return 90;
        const int cell = x / 40, cx = x % 40, cy = y;
        const double r = cell == 0 ? std::hypot(cx - 14.0, cy - 12.0) : std::fabs(cy - 20.0) * 3.0 + 2.0;
        return static_cast<uint8_t>(std::clamp(255.0 * (9.0 - r) / 4.0, 0.0, 255.0));
    });
    for (const double width : {2.0, 3.0, 5.0, 9.0, 17.0, 40.0, 61.0, 150.0}) {
        CellPreparation request;
        request.tube = const_cast<Image<unsigned char>*>(&tube);
        request.columns = 2;
        request.rows = 1;
        request.targetWidth = width;
        CellTable cells;
        CellMeasures measures;
        ASSERT_TRUE(PrepareCells(request, cells, measures).IsSuccess());
        const int32_t judged = LeastLargestRadius(tube, 2, 1, width);
        EXPECT_LE(judged, measures.largestRadius) << width;
        EXPECT_GE(judged, measures.largestRadius * 0.6 - 2) << width;
    }
    EXPECT_TRUE(SomePixelThatDeep(Rect(0, 0, 40, 100), 21.0));
    EXPECT_FALSE(SomePixelThatDeep(Rect(0, 0, 40, 100), 21.5));
}

class StampRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTube(tube, SquareCells(2, 2, 20, 20, 0), 2, 2);
        border.WriteDefaults(borderBlock);
        fill.WriteDefaults(fillBlock);
        Border().tubeFile = AbsoluteReference(tube);
        Fill().tubeFile = AbsoluteReference(tube);
    }
    BorderStampParameters& Border() { return borderBlock.As<BorderStampParameters>(); }
    FillStampParameters& Fill() { return fillBlock.As<FillStampParameters>(); }

    ScratchFolder folder;
    const std::string tube = folder.File("squares.tub");
    BorderStamp border;
    FillStamp fill;
    ParameterBlock borderBlock{};
    ParameterBlock fillBlock{};
};

TEST_F(StampRefusal, StampsLargerThanThePictureAreRefusedBeforeAnyCellIsMade) {
    // Stamps 200 pixels wide on a picture 45 wide. (At 1000 picas, 12000
    // pixels, the cells took 2.3 GB and minutes to make, only to find that
    // no stamp fits.)
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 30, 45), [](int, int, int) { return 7; });
    const SingleChannelImage<unsigned char> part = RectMask(source.bounds, Rect(2, 2, 28, 40));
    Fill().stampSize.Set(200.0, kLengthPixels);
    Border().tubeSize.Set(200.0, kLengthPixels);
    Border().borderWidth.Set(200.0, kLengthPixels);
    for (const bool selected : {false, true}) {
        RenderSetup setup;
        setup.source = &source;
        setup.mask = selected ? &part : nullptr;
        const uint16_t expected = selected ? kNothingFitsSelection : kNothingFitsPicture;
        for (Filter* effect : {static_cast<Filter*>(&border), static_cast<Filter*>(&fill)}) {
            RecordingProgress progress;
            setup.progress = &progress;
            const RenderOutcome outcome = Render(*effect, effect == &border ? borderBlock : fillBlock, setup);
            SCOPED_TRACE(testing::Message() << effect->InternalName() << (selected ? " in a selection" : ""));
            EXPECT_EQ(outcome.status.messageId, expected);
            EXPECT_TRUE(SameImage(outcome.output, source));
            // The tube was read (progress to 0.1 or 0.2) and no cell made.
            for (const double value : progress.values) EXPECT_LE(value, 0.2 + 1e-9);
            EXPECT_TRUE((effect == &border ? border.Cells() : fill.Cells()).IsEmpty());
        }
    }
    for (const uint16_t id : {kNothingFitsSelection, kNothingFitsPicture, kStampsTooLarge})
        EXPECT_NE(LoadResourceString(id), kLostString);
}

TEST_F(StampRefusal, StampsTooLargeToMakeAreRefusedWithTheirReason) {
    // Tiled stamps fit any picture; 300 inches (21600 pixels) wide they are
    // too large to make, 600 pixels wide (1.4 MB each) they are drawn.
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 30, 45), [](int, int, int) { return 7; });
    RenderSetup setup;
    setup.source = &source;
    Fill().tileMode = 1;
    Fill().layerFill.behaviour = kLayerFillKeep;
    Fill().stampSize.Set(300.0, kLengthInches);
    RenderOutcome outcome = Render(fill, fillBlock, setup);
    EXPECT_EQ(outcome.status.messageId, kStampsTooLarge);
    EXPECT_TRUE(fill.Cells().IsEmpty());
    Fill().stampSize.Set(600.0, kLengthPixels);
    outcome = Render(fill, fillBlock, setup);
    EXPECT_TRUE(outcome.status.IsSuccess());
    EXPECT_FALSE(SameImage(outcome.output, source));
}

}  // namespace
