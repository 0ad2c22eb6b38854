// The continue selector: pieces, progress, the blend through the selection
// and the way failures reach the host.
#include "EntryFixture.h"

#include "platform/ResourceStrings.h"

namespace {

std::vector<uint8_t> PixelAt(const HostImage& image, int32_t x, int32_t y) {
    std::vector<uint8_t> pixel;
    for (int32_t p = 0; p < image.Planes(); ++p) pixel.push_back(image.At(x, y, p));
    return pixel;
}

using Pixel = std::vector<uint8_t>;

TEST_F(EntryTest, PiecesRunFromTheBottomLeftRowByRowUpwardsWithProgressPerPiece) {
    host.SetImage(Filled(HostImageMode::Rgb, 130, 90, false, {10, 20, 30}));
    probe.settings.rendersInOnePiece = false;
    probe.settings.tileSize = 50;
    SpyOnAdvanceState();
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());

    const std::vector<Rect> pieces = {Rect(40, 0, 90, 50), Rect(40, 50, 90, 100), Rect(40, 100, 90, 130),
                                      Rect(0, 0, 40, 50),  Rect(0, 50, 40, 100),  Rect(0, 100, 40, 130)};
    EXPECT_EQ(probe.log.pieces, pieces);
    ASSERT_EQ(requests.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(requests[i].out, pieces[i]) << i;
        EXPECT_EQ(requests[i].in, pieces[i]) << i;
        EXPECT_EQ(requests[i].inLoPlane, 0);
        EXPECT_EQ(requests[i].inHiPlane, 2);
    }
    // Each piece from its start to its end, in thousandths of a piece.
    std::vector<std::pair<int32_t, int32_t>> expected;
    for (int32_t i = 0; i < 6; ++i) {
        expected.push_back({i * 1000, 6000});
        expected.push_back({(i + 1) * 1000, 6000});
    }
    std::vector<std::pair<int32_t, int32_t>> reported;
    for (const ProgressCall& call : host.ProgressCalls()) reported.push_back({call.done, call.total});
    EXPECT_EQ(reported, expected);
    EXPECT_EQ(probe.log.beginRenders, 1);
    EXPECT_EQ(probe.log.endRenders, 1);

    // The negative everywhere, the last piece written back too.
    EXPECT_EQ(PixelAt(host.Image(), 0, 0), (Pixel{245, 235, 225}));
    EXPECT_EQ(PixelAt(host.Image(), 129, 89), (Pixel{245, 235, 225}));
    EXPECT_EQ(PixelAt(host.Image(), 60, 20), (Pixel{245, 235, 225}));
}

TEST_F(EntryTest, OnePieceReportsFromNoneToAll) {
    host.SetImage(Filled(HostImageMode::Grey, 7, 5, false, {0}));
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    ASSERT_EQ(host.ProgressCalls().size(), 2u);
    EXPECT_EQ(host.ProgressCalls()[0].done, 0);
    EXPECT_EQ(host.ProgressCalls()[1].done, 1000);
    EXPECT_EQ(host.ProgressCalls()[1].total, 1000);
    EXPECT_EQ(host.Image().At(6, 4, 0), 255);
}

TEST_F(EntryTest, APartlySelectedImageIsBlendedThroughTheMask) {
    host.SetImage(Filled(HostImageMode::Rgb, 6, 4, false, {100, 50, 200}));
    std::vector<uint8_t> selection(24, 0);
    selection[1 * 6 + 1] = 128;
    selection[1 * 6 + 2] = 64;
    selection[1 * 6 + 3] = 255;
    selection[2 * 6 + 1] = 255;  // (2, 2) and (3, 2) stay 0 inside the bounds
    host.SetSelection(selection);
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    EXPECT_EQ(probe.log.pieces, std::vector<Rect>{Rect(1, 1, 3, 4)});

    // Rendered: 155, 205, 55. t = 128: 100 + 55·128/255 = 127.6, 50 + 77.8,
    // 200 − 72.8, each truncated toward zero.
    EXPECT_EQ(PixelAt(host.Image(), 1, 1), (Pixel{127, 127, 128}));
    // t = 64: 100 + 13.8, 50 + 38.9, 200 − 36.4.
    EXPECT_EQ(PixelAt(host.Image(), 2, 1), (Pixel{113, 88, 164}));
    EXPECT_EQ(PixelAt(host.Image(), 3, 1), (Pixel{155, 205, 55}));
    EXPECT_EQ(PixelAt(host.Image(), 1, 2), (Pixel{155, 205, 55}));
    EXPECT_EQ(PixelAt(host.Image(), 2, 2), (Pixel{100, 50, 200}));
    EXPECT_EQ(PixelAt(host.Image(), 0, 0), (Pixel{100, 50, 200}));
    EXPECT_EQ(PixelAt(host.Image(), 5, 3), (Pixel{100, 50, 200}));
}

TEST_F(EntryTest, APartlySelectedLayerBlendsColoursAndAlpha) {
    host.SetImage(Filled(HostImageMode::Rgb, 5, 3, true, {100, 50, 20, 200}));
    std::vector<uint8_t> selection(15, 0);
    selection[1 * 5 + 1] = 128;
    selection[1 * 5 + 2] = 255;
    host.SetSelection(selection);
    probe.settings.renderedAlpha = 100;
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    // v = 127·200 + 100·128 = 38200, f = 3264000 / 38200 = 85:
    // 100 + 55·85/255 = 118, 50 + 155·85/255 = 101, 20 + 215·85/255 = 91,
    // alpha 200 − 12800/255 = 200 − 50.
    EXPECT_EQ(PixelAt(host.Image(), 1, 1), (Pixel{118, 101, 91, 150}));
    EXPECT_EQ(PixelAt(host.Image(), 2, 1), (Pixel{155, 205, 235, 100}));
    EXPECT_EQ(PixelAt(host.Image(), 0, 1), (Pixel{100, 50, 20, 200}));
}

TEST_F(EntryTest, TheTransparencyShapeMultipliesTheRenderedAlpha) {
    HostImage layer = Filled(HostImageMode::Rgb, 12, 9, true, {10, 20, 30, 0});
    for (int32_t y = 3; y < 7; ++y) {
        for (int32_t x = 5; x < 10; ++x) layer.At(x, y, 3) = 200;
    }
    host.SetImage(layer);
    probe.settings.renderedAlpha = 100;
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    EXPECT_EQ(probe.log.pieces, std::vector<Rect>{Rect(3, 5, 7, 10)});
    EXPECT_TRUE(probe.log.shapeFromTransparency);
    EXPECT_EQ(PixelAt(host.Image(), 5, 3), (Pixel{245, 235, 225, 78}));  // 100·200/255 = 78.4
    EXPECT_EQ(PixelAt(host.Image(), 9, 6), (Pixel{245, 235, 225, 78}));
    EXPECT_EQ(PixelAt(host.Image(), 4, 3), (Pixel{10, 20, 30, 0}));
}

TEST_F(EntryTest, AnEffectThatMasksByItselfIsLeftAlone) {
    host.SetImage(Filled(HostImageMode::Rgb, 6, 4, false, {100, 50, 200}));
    std::vector<uint8_t> selection(24, 0);
    selection[1 * 6 + 1] = 128;
    selection[1 * 6 + 2] = 255;
    host.SetSelection(selection);
    probe.settings.coreAppliesMask = false;
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    EXPECT_EQ(PixelAt(host.Image(), 1, 1), (Pixel{155, 205, 55}));
}

TEST_F(EntryTest, TheAreaToRenderIsWhatTheSelectionAffectsWithinTheDocument) {
    host.SetImage(Filled(HostImageMode::Grey, 20, 10, false, {0})).SelectRect(Rect(1, 2, 4, 6));
    probe.settings.affectedGrowth = 3;
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    // (1, 2)–(4, 6) grown by 3 is (−2, −1)–(7, 9), cut at the top and left.
    EXPECT_EQ(probe.log.pieces, std::vector<Rect>{Rect(0, 0, 7, 9)});
    EXPECT_EQ(host.Image().At(8, 6, 0), 0);  // outside the selection: t = 0
}

TEST_F(EntryTest, AbortBeforeAPieceEndsTheRenderWithResultOne) {
    host.SetImage(Filled(HostImageMode::Rgb, 8, 8, false, {1, 2, 3}));
    host.AbortAfterCalls(0);
    const RunOutcome outcome = host.RunFilter(kKind);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.selector, ps::filterSelectorContinue);
    EXPECT_TRUE(probe.log.pieces.empty());
    EXPECT_EQ(probe.log.endRenders, 1);
    EXPECT_EQ(host.DataSlot(kKind), 0);
    EXPECT_EQ(PixelAt(host.Image(), 4, 4), (Pixel{1, 2, 3}));
    EXPECT_TRUE(warnings.empty());
}

TEST_F(EntryTest, RenderFailuresReachTheHostAsTheirCodesOrAsAMessage) {
    host.SetImage(Filled(HostImageMode::Rgb, 8, 8, false, {1, 2, 3}));
    probe.settings.renderStatus = -1;
    probe.settings.renderMessage = 10004;
    RunOutcome outcome = host.RunFilter(kKind);
    EXPECT_EQ(outcome.result, 1);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], Shown(LoadResourceString(10004)));

    warnings.clear();
    probe.settings.renderMessage = 0;
    outcome = host.RunFilter(kKind);
    EXPECT_EQ(outcome.result, -1);
    EXPECT_TRUE(warnings.empty());

    probe.settings.renderStatus = -108;
    EXPECT_EQ(host.RunFilter(kKind).result, -108);
    EXPECT_EQ(probe.log.endRenders, 3);
    EXPECT_EQ(host.DataSlot(kKind), 0);
}

TEST_F(EntryTest, RunningOutOfMemoryInARenderIsCaughtAtTheEntry) {
    host.SetImage(Filled(HostImageMode::Rgb, 8, 8, false, {1, 2, 3}));
    probe.settings.throwInRender = true;
    const RunOutcome outcome = host.RunFilter(kKind);
    EXPECT_EQ(outcome.result, -108);
    EXPECT_EQ(outcome.selector, ps::filterSelectorContinue);
    EXPECT_EQ(probe.log.pieces.size(), 1u);  // no further continue calls
    EXPECT_EQ(host.DataSlot(kKind), 0);
    EXPECT_EQ(probe.log.created, probe.log.destroyed);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST_F(EntryTest, HostCallsFromASecondThreadAreRefusedDuringARender) {
    host.SetImage(Filled(HostImageMode::Rgb, 8, 8, false, {1, 2, 3}));
    probe.settings.callHostFromThread = true;
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    EXPECT_EQ(probe.log.otherThreadAdvance, -1);
    EXPECT_EQ(probe.log.otherThreadAllocate, -1);
    EXPECT_EQ(probe.log.otherThreadSpace, -1);
    EXPECT_EQ(host.BufferCounts().allocated, 0);
    EXPECT_EQ(PixelAt(host.Image(), 4, 4), (Pixel{254, 253, 252}));
}

}  // namespace
