// The output area of the two stamp effects against where their stamps land:
// rendered over a document far larger than the selection, no stamp or shadow
// may change a pixel outside the area the effect asked for.
#include <gtest/gtest.h>

#include "filters/LayerFillParameter.h"
#include "filters/borderstamp/BorderStamp.h"
#include "filters/fillstamp/FillStamp.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

using namespace stamp_test;

// Changed pixels of a render over `source` (all 1) that lie outside `area`.
int64_t ChangedOutside(const Image<unsigned char>& output, const Rect& area) {
    int64_t count = 0;
    for (int32_t y = output.bounds.top; y < output.bounds.bottom; ++y)
        for (int32_t x = output.bounds.left; x < output.bounds.right; ++x) {
            const uint8_t* p = At(output, x, y);
            if ((p[0] != 1 || p[1] != 1 || p[2] != 1) && !area.Contains(Point{x, y})) ++count;
        }
    return count;
}

TEST(StampOutputArea, HoldsEveryStampOfBothEffectsAtAnyOffset) {
    ScratchFolder folder;
    const std::string tube = folder.File("squares.tub");
    // Wide, thin stamps: their radius leaves no room across, so the rounding
    // of their centres shows.
    WriteTube(tube, SquareCells(2, 2, 30, 10, 0), 2, 2);
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 240, 260), [](int, int, int) { return 1; });
    // The mask covers the selection's box, as the host hands it over.
    const Rect selection(70, 80, 170, 180);
    const SingleChannelImage<unsigned char> mask = RectMask(selection, selection);
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;

    for (const double offset : {-20.0, -7.5, 0.0, 3.0})
        for (const unsigned char shadow : {0, 1})
            for (const uint16_t seed : {1, 2, 3}) {
                SCOPED_TRACE(testing::Message()
                             << "offset " << offset << ", shadow " << int(shadow) << ", seed " << seed);
                BorderStamp border;
                ParameterBlock borderBlock{};
                border.WriteDefaults(borderBlock);
                BorderStampParameters& b = borderBlock.As<BorderStampParameters>();
                b.tubeFile = AbsoluteReference(tube);
                b.borderOffset.Set(offset, kLengthPixels);
                b.tubeSize.Set(30.0, kLengthPixels);
                b.borderWidth.Set(40.0, kLengthPixels);
                b.density = 100.0;
                b.shadowOn = shadow;
                b.randomSeed = seed;
                const RenderOutcome bordered = Render(border, borderBlock, setup);
                ASSERT_TRUE(bordered.status.IsSuccess());
                EXPECT_EQ(ChangedOutside(bordered.output, border.AffectedRect(selection, borderBlock, 1.0)), 0)
                    << "Border Stamp";

                FillStamp fill;
                ParameterBlock fillBlock{};
                fill.WriteDefaults(fillBlock);
                FillStampParameters& f = fillBlock.As<FillStampParameters>();
                f.tubeFile = AbsoluteReference(tube);
                f.edgeOffset.Set(offset, kLengthPixels);
                f.stampSize.Set(30.0, kLengthPixels);
                f.density = 100.0;
                f.layerFill.behaviour = kLayerFillKeep;
                f.shadowOn = shadow;
                f.randomSeed = seed;
                const RenderOutcome filled = Render(fill, fillBlock, setup);
                ASSERT_TRUE(filled.status.IsSuccess());
                EXPECT_EQ(ChangedOutside(filled.output, fill.AffectedRect(selection, fillBlock, 1.0)), 0)
                    << "Fill Stamp";
            }
}

}  // namespace
