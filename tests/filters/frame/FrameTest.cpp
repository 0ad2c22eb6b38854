// The Frame record, defaults, capabilities and parameters, and renders with
// frame files the content writer makes.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "filters/LengthSliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/frame/Frame.h"
#include "platform/ResourceStrings.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

using namespace stamp_test;

TEST(FrameRecord, LayoutDefaultsAndCapabilities) {
    EXPECT_EQ(sizeof(FrameParameters), 1072u);
    EXPECT_EQ(offsetof(FrameParameters, edgeOffset), 8u);
    EXPECT_EQ(offsetof(FrameParameters, frameWidth), 24u);
    EXPECT_EQ(offsetof(FrameParameters, framePicture), 40u);

    ParameterBlock block;
    std::memset(&block, 0xAB, sizeof block);
    Frame effect;
    effect.WriteDefaults(block);
    const FrameParameters& p = block.As<FrameParameters>();
    EXPECT_EQ(p.kind, 3);
    EXPECT_EQ(p.edgeOffset.value, -5.0);
    EXPECT_EQ(p.edgeOffset.unit, kLengthPixels);
    EXPECT_EQ(p.frameWidth.value, 150.0);
    EXPECT_EQ(p.framePicture.relative, 1);
    EXPECT_EQ(ReferencePath(p.framePicture), LoadResourceString(4308));
    ExpectUntouchedFrom(block, 1072, 0xAB);

    EXPECT_EQ(effect.ParameterSize(), 1072);
    EXPECT_TRUE(effect.WantsDialog() && effect.UsesWholeCanvas() && effect.AllowsFlatImage());
    EXPECT_FALSE(effect.CoreAppliesMask());
    EXPECT_TRUE(effect.UsesTransparencyAsShape());
    EXPECT_FALSE(effect.RequiresLayer() || effect.SupportsCMYK());
    EXPECT_TRUE(effect.RendersInOnePiece());
    EXPECT_EQ(effect.MinimumSize().width, 9);
    EXPECT_EQ(effect.MinimumSize().height, 9);
    EXPECT_EQ(effect.InternalName(), "Frame");
}

TEST(FrameRecord, ParametersAndTheAffectedRectangle) {
    Frame effect;
    ParameterBlock block{};
    effect.WriteDefaults(block);
    ParameterSet set;
    ASSERT_TRUE(effect.BuildParameters(set, block).IsSuccess());
    EXPECT_EQ(KeysOf(set),
              (std::vector<uint32_t>{ps::FourCC("Path"), ps::FourCC("Rltv"), ps::FourCC("BrdT"), ps::FourCC("EdgT")}));
    FrameParameters& p = block.As<FrameParameters>();
    auto* picture = dynamic_cast<TubeButtonParameter*>(set.At(0));
    auto* width = dynamic_cast<LengthSliderParameter*>(set.At(1));
    auto* offset = dynamic_cast<LengthSliderParameter*>(set.At(2));
    ASSERT_TRUE(picture && width && offset);
    EXPECT_EQ(picture->path, p.framePicture.path);
    EXPECT_EQ(picture->label, LoadResourceString(0x1CB4));
    EXPECT_EQ(width->value, &p.frameWidth);
    EXPECT_EQ(width->minimum, 10.0);
    EXPECT_EQ(width->maximum, 400.0);
    EXPECT_EQ(width->trackLow, 0.8);
    EXPECT_EQ(width->trackHigh, 150.0);
    EXPECT_EQ(width->label, LoadResourceString(0x10CE));
    EXPECT_EQ(width->hint, LoadResourceString(0x10E1));
    EXPECT_EQ(offset->value, &p.edgeOffset);
    EXPECT_EQ(offset->minimum, -100.0);
    EXPECT_EQ(offset->maximum, 100.0);
    EXPECT_EQ(offset->label, LoadResourceString(0x10CF));
    EXPECT_EQ(offset->hint, LoadResourceString(0x10E2));
    EXPECT_NE(offset->hint, kLostString);

    // 20 − min(0, e): e = trunc(−4.5) = −4 at full size, trunc(−2) = −2 at scale 2.
    const Rect in(100, 100, 200, 200);
    EXPECT_EQ(effect.AffectedRect(in, block, 1.0), Rect(76, 76, 224, 224));
    EXPECT_EQ(effect.AffectedRect(in, block, 2.0), Rect(78, 78, 222, 222));
    p.edgeOffset.Set(30.0, kLengthPixels);
    EXPECT_EQ(effect.AffectedRect(in, block, 1.0), Rect(80, 80, 220, 220));
}

// A 3 × 3 frame picture of 20 × 20 cells, each one colour: cell (c, r) is
// (10 + 30c, 10 + 30r, 200), opaque.
const uint8_t kCellBlue = 200;
uint8_t CellRed(int column) { return static_cast<uint8_t>(10 + 30 * column); }
uint8_t CellGreen(int row) { return static_cast<uint8_t>(10 + 30 * row); }

class FrameRender : public ::testing::Test {
protected:
    void SetUp() override {
        picturePath = folder.File("cells.rfr");
        WriteTube(picturePath,
                  CellPicture(3, 3, 20, 20,
                              [](int32_t c, int32_t r, int32_t, int32_t, uint8_t* p) {
                                  p[0] = CellRed(c);
                                  p[1] = CellGreen(r);
                                  p[2] = kCellBlue;
                                  p[3] = 255;
                              }),
                  3, 3);
        effect.WriteDefaults(block);
        Record().framePicture = AbsoluteReference(picturePath);
        Record().edgeOffset.Set(0.0, kLengthPixels);
        Record().frameWidth.Set(20.0, kLengthPixels);
    }
    FrameParameters& Record() { return block.As<FrameParameters>(); }

    ScratchFolder folder;
    std::string picturePath;
    Frame effect;
    ParameterBlock block{};
};

TEST_F(FrameRender, CornersAndSidesTakeTheirCellsAndTheMiddleStays) {
    // A 100 × 60 selection (the mask covers the selection's box, as the host
    // hands it over): five pieces of 20 across, three down, cells unscaled.
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 80, 120), [](int, int, int) { return 1; });
    const SingleChannelImage<unsigned char> mask = RectMask(Rect(10, 10, 70, 110), Rect(10, 10, 70, 110));
    RenderSetup setup;
    setup.source = &source;
    setup.mask = &mask;
    const RenderOutcome outcome = Render(effect, block, setup);
    ASSERT_TRUE(outcome.status.IsSuccess());
    EXPECT_EQ(effect.Layout().columns, 5);
    EXPECT_EQ(effect.Layout().rows, 3);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x) {
            const uint8_t* p = At(outcome.output, x, y);
            const bool inFrame = x >= 10 && x < 110 && y >= 10 && y < 70;
            const int column = (x - 10) / 20, row = (y - 10) / 20;
            const bool middle = column >= 1 && column <= 3 && row == 1;
            if (!inFrame || middle) {
                ASSERT_EQ(p[0], 1) << x << "," << y;
                continue;
            }
            const int cellColumn = column == 0 ? 0 : (column == 4 ? 2 : 1);
            ASSERT_EQ(p[0], CellRed(cellColumn)) << x << "," << y;
            ASSERT_EQ(p[1], CellGreen(row)) << x << "," << y;
            ASSERT_EQ(p[2], kCellBlue) << x << "," << y;
        }
}

TEST_F(FrameRender, TheOutputAreaHoldsEveryPieceTheLayoutPlaces) {
    // Rendered over a document far larger than the frame, every changed
    // pixel must lie in the output area: whole pieces can reach past the
    // 20 pixels the offset rule allows (4 pixels, for 2859 x 600 and 54).
    struct Case {
        int32_t width, height;
        double frameWidth, edgeOffset;
    };
    for (const Case& c : {Case{2859, 600, 54.0, -5.0}, Case{181, 97, 40.0, 0.0}, Case{333, 250, 43.0, -15.0},
                          Case{500, 41, 10.0, 30.0}, Case{97, 503, 33.0, -100.0}, Case{720, 480, 62.0, -5.0}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << ", " << c.frameWidth);
        const Rect selection(150, 150, 150 + c.height, 150 + c.width);
        const Image<unsigned char> source =
            MakeImage(RGB(), Rect(0, 0, c.height + 300, c.width + 300), [](int, int, int) { return 1; });
        const SingleChannelImage<unsigned char> mask = RectMask(selection, selection);
        Record().frameWidth.Set(c.frameWidth, kLengthPixels);
        Record().edgeOffset.Set(c.edgeOffset, kLengthPixels);
        RenderSetup setup;
        setup.source = &source;
        setup.mask = &mask;
        const RenderOutcome outcome = Render(effect, block, setup);
        ASSERT_TRUE(outcome.status.IsSuccess());
        const Rect area = effect.AffectedRect(selection, block, 1.0);
        int64_t outside = 0;
        for (int32_t y = 0; y < source.bounds.bottom; ++y)
            for (int32_t x = 0; x < source.bounds.right; ++x)
                if (At(outcome.output, x, y)[0] != 1 && !area.Contains(Point{x, y})) ++outside;
        EXPECT_EQ(outside, 0);
    }
}

TEST_F(FrameRender, AFrameWhollyBeyondThePictureIsRefusedWithItsReason) {
    // Edge offset −100 around the whole picture with sides 40 wide: the
    // frame runs from 50 to 10 pixels beyond every edge.
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 150, 200), [](int, int, int) { return 1; });
    Record().edgeOffset.Set(-100.0, kLengthPixels);
    Record().frameWidth.Set(40.0, kLengthPixels);
    RenderSetup setup;
    setup.source = &source;
    const RenderOutcome outcome = Render(effect, block, setup);
    EXPECT_EQ(outcome.status.messageId, frame::kFrameOutsidePicture);
    EXPECT_TRUE(SameImage(outcome.output, source));
    EXPECT_NE(LoadResourceString(frame::kFrameOutsidePicture), kLostString);
    // Sides 60 wide reach 10 pixels in.
    Record().frameWidth.Set(60.0, kLengthPixels);
    EXPECT_TRUE(Render(effect, block, setup).status.IsSuccess());
}

TEST_F(FrameRender, GreyImagesTakeTheBrightestChannel) {
    const Image<unsigned char> source = MakeImage(Grey(), Rect(0, 0, 60, 60), [](int, int, int) { return 1; });
    RenderSetup setup;
    setup.source = &source;
    const RenderOutcome outcome = Render(effect, block, setup);
    ASSERT_TRUE(outcome.status.IsSuccess());
    EXPECT_EQ(At(outcome.output, 5, 5)[0], kCellBlue);
    EXPECT_EQ(At(outcome.output, 30, 30)[0], 1);
}

TEST_F(FrameRender, AGridOtherThanThreeByThreeIsRejectedBeforeAnythingIsDrawn) {
    WriteTube(folder.File("two.rfr"), SquareCells(2, 2, 20, 20, 0), 2, 2);
    Record().framePicture = AbsoluteReference(folder.File("two.rfr"));
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 60, 60), [](int, int, int) { return 1; });
    RenderSetup setup;
    setup.source = &source;
    RecordingProgress progress;
    setup.progress = &progress;
    const RenderOutcome outcome = Render(effect, block, setup);
    EXPECT_EQ(outcome.status.status, -1);
    EXPECT_EQ(outcome.status.messageId, frame::kNotThreeByThree);
    EXPECT_NE(LoadResourceString(frame::kNotThreeByThree), kLostString);
    EXPECT_TRUE(SameImage(outcome.output, source));
    EXPECT_TRUE(progress.values.empty());

    Record().framePicture = AbsoluteReference(folder.File("missing.rfr"));
    EXPECT_EQ(Render(effect, block, setup).status.messageId, 10032);
}

TEST_F(FrameRender, ProgressFollowsThePiecesAndPlacementsAndAbortStops) {
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 60, 60), [](int, int, int) { return 1; });
    RenderSetup setup;
    setup.source = &source;
    RecordingProgress progress;
    setup.progress = &progress;
    ASSERT_TRUE(Render(effect, block, setup).status.IsSuccess());
    // 3 × 3 pieces: 8 placements, counted as 2 (3 + 3) = 12 steps.
    std::vector<double> expected = {0.3, 0.4, 0.5, 0.56, 0.58, 0.60, 0.62, 0.64, 0.66, 0.68, 0.70};
    for (int k = 0; k < 8; ++k) expected.push_back(0.75 + 0.25 * k / 12.0);
    ASSERT_GE(progress.values.size(), expected.size());
    const std::vector<double> tail(progress.values.end() - static_cast<std::ptrdiff_t>(expected.size()),
                                   progress.values.end());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(tail[i], expected[i], 1e-12) << i;
    for (double value : std::vector<double>(progress.values.begin(), progress.values.end() - expected.size()))
        EXPECT_LE(value, 0.25);

    AbortFrom abort(1);
    setup.abort = &abort;
    setup.progress = nullptr;
    const RenderOutcome aborted = Render(effect, block, setup);
    EXPECT_EQ(aborted.status.status, ResultCode::kCancelled);
    EXPECT_TRUE(SameImage(aborted.output, source));
}

}  // namespace
