// The start selector: the parameters handle, scripting, the selection mask
// and the checks of the document, seen from a host.
#include "EntryFixture.h"

#include "host/Entry.h"
#include "host/ImageFacts.h"
#include "platform/ResourceStrings.h"

namespace {

// prepare and start by hand, so that the run can be looked at before finish.
int16_t PrepareAndStart(InProcessHost& host, FilterKind kind) {
    const int16_t prepared = host.CallSelector(kind, ps::filterSelectorPrepare);
    if (prepared != 0) return prepared;
    return host.CallSelector(kind, ps::filterSelectorStart);
}

TEST_F(EntryTest, StartFillsANewParametersHandleWithTheDefaults) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    ASSERT_EQ(host.ParametersHandle(kKind), nullptr);
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    const ProbeRecord stored = StoredParameters();
    EXPECT_EQ(stored.kind, kKind);
    EXPECT_EQ(stored.amount, kProbeDefaultAmount);
    EXPECT_EQ(stored.flag, 1);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST_F(EntryTest, ARepeatRunUsesTheStoredParametersAndAnotherKindsBlockIsReplaced) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    StoreParameters(ProbeRecord{kKind, 40.0, 0});
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    ASSERT_EQ(probe.log.amountsRendered.size(), 2u);
    EXPECT_EQ(probe.log.amountsRendered[1], 40.0);

    // A block left by another effect gets this effect's defaults.
    StoreParameters(ProbeRecord{FilterKinds::Patchwork, 40.0, 0});
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    EXPECT_EQ(probe.log.amountsRendered.back(), kProbeDefaultAmount);
    EXPECT_EQ(StoredParameters().kind, kKind);
}

TEST_F(EntryTest, ScriptedParametersAreReadAndThePlayModeDecidesForTheDialog) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    DescriptorStore recorded;
    recorded.PutFloat(kProbeAmountKey, 60.0);
    recorded.PutFloat(ps::FourCC("Zzzz"), 1.0);  // nobody's key: skipped
    host.SetPlayDescriptor(recorded);

    struct Case {
        int16_t playMode;
        int dialogs;
    };
    const Case cases[] = {{ps::plugInDialogDisplay, 1}, {ps::plugInDialogDontDisplay, 0}, {ps::plugInDialogSilent, 0}};
    for (const Case& c : cases) {
        dialogRuns = 0;
        host.SetPlayMode(c.playMode);
        ASSERT_TRUE(host.RunFilter(kKind).Succeeded()) << c.playMode;
        EXPECT_EQ(dialogRuns, c.dialogs) << c.playMode;
        EXPECT_EQ(probe.log.amountsRendered.back(), 60.0) << c.playMode;
    }
    EXPECT_EQ(host.OpenDescriptors(), 0);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST_F(EntryTest, APartialSelectionIsReadInPiecesWithTheLastRowAndColumnClipped) {
    const int32_t width = 700, height = 400;
    host.SetImage(HostImage(HostImageMode::Grey, width, height, false));
    // A graded selection over x 20..669, y 30..339 (650 × 310): non-zero
    // everywhere inside, so that its bounds are exactly that.
    std::vector<uint8_t> selection(static_cast<std::size_t>(width * height), 0);
    for (int32_t y = 30; y < 340; ++y) {
        for (int32_t x = 20; x < 670; ++x)
            selection[static_cast<std::size_t>(y * width + x)] = 1 + (x * 7 + y * 3) % 255;
    }
    host.SetSelection(selection);
    SpyOnAdvanceState();
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);

    // Left to right, then top to bottom, 300 × 300, clipped at x 670 and y 340.
    const std::vector<Rect> pieces = {Rect(30, 20, 330, 320),  Rect(30, 320, 330, 620),  Rect(30, 620, 330, 670),
                                      Rect(330, 20, 340, 320), Rect(330, 320, 340, 620), Rect(330, 620, 340, 670)};
    ASSERT_EQ(requests.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) EXPECT_EQ(requests[i].mask, pieces[i]) << i;

    const RowImage& mask = *Run()->selectionMask;
    ASSERT_EQ(mask.Bounds(), Rect(30, 20, 340, 670));
    EXPECT_EQ(Run()->shapeFromTransparency, 0);
    for (const Point p : {Point{20, 30}, Point{669, 30}, Point{20, 339}, Point{669, 339}, Point{640, 335},
                          Point{319, 329}, Point{320, 330}}) {
        EXPECT_EQ(*mask.PixelAddress(p.x, p.y), 1 + (p.x * 7 + p.y * 3) % 255) << p.x << "," << p.y;
    }
    // start leaves one pixel requested, so that the host calls continue once.
    EXPECT_EQ(RectFromHost(host.Record().inRect), Rect(0, 0, 1, 1));
    EXPECT_TRUE(RectFromHost(host.Record().outRect).IsEmpty());
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);
}

TEST_F(EntryTest, ASelectionTouchingEveryEdgeIsReadWholeAndCroppedToItsContent) {
    host.SetImage(HostImage(HostImageMode::Rgb, 10, 6, false));
    std::vector<uint8_t> selection(60, 0);
    selection[0] = 10;   // (0, 0)
    selection[59] = 20;  // (9, 5)
    selection[2 * 10 + 4] = 200;
    host.SetSelection(selection);
    SpyOnAdvanceState();
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].mask, Rect(0, 0, 6, 10));
    const RowImage& mask = *Run()->selectionMask;
    EXPECT_EQ(mask.Bounds(), Rect(0, 0, 6, 10));
    EXPECT_EQ(*mask.PixelAddress(4, 2), 200);
    EXPECT_EQ(*mask.PixelAddress(9, 5), 20);
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);
}

TEST_F(EntryTest, ALayersTransparencyBecomesTheShapeCroppedToItsContent) {
    HostImage layer(HostImageMode::Rgb, 12, 9, true);
    for (int32_t y = 3; y < 7; ++y) {
        for (int32_t x = 5; x < 10; ++x) layer.At(x, y, 3) = static_cast<uint8_t>(100 + x);
    }
    host.SetImage(layer);
    SpyOnAdvanceState();
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);
    // One request of the transparency plane (plane 3) over the whole document.
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].in, Rect(0, 0, 9, 12));
    EXPECT_EQ(requests[0].inLoPlane, 3);
    EXPECT_EQ(requests[0].inHiPlane, 3);
    const RowImage& mask = *Run()->selectionMask;
    EXPECT_EQ(mask.Bounds(), Rect(3, 5, 7, 10));
    EXPECT_EQ(*mask.PixelAddress(9, 6), 109);
    EXPECT_EQ(Run()->shapeFromTransparency, 1);
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);
}

TEST_F(EntryTest, AFullyTransparentLayerFallsBackToAFullMask) {
    host.SetImage(HostImage(HostImageMode::Rgb, 12, 9, true));  // alpha 0 everywhere
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);
    const RowImage& mask = *Run()->selectionMask;
    EXPECT_EQ(mask.Bounds(), Rect(0, 0, 9, 12));
    EXPECT_EQ(*mask.PixelAddress(0, 0), 255);
    EXPECT_EQ(*mask.PixelAddress(11, 8), 255);
    EXPECT_EQ(Run()->shapeFromTransparency, 0);
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);
}

TEST_F(EntryTest, AnEffectThatDoesNotUseTheShapeGetsTheWholeLayer) {
    HostImage layer(HostImageMode::Rgb, 12, 9, true);
    layer.At(4, 4, 3) = 255;
    host.SetImage(layer);
    probe.settings.usesTransparencyAsShape = false;
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);
    EXPECT_EQ(Run()->selectionMask->Bounds(), Rect(0, 0, 9, 12));
    EXPECT_EQ(Run()->shapeFromTransparency, 0);
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);
}

TEST_F(EntryTest, StartReadsTheHostVersionAndRulerUnits) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    host.SetVersion(HostVersionNumber{6, 1, 0}, PropertyAnswer::Simple).SetRulerUnits(3);
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);
    EXPECT_EQ(Run()->noPropertySuite, 0);
    EXPECT_EQ(Run()->hostMajorVersion, 6);
    EXPECT_EQ(Run()->hostMinorVersion, 1);
    EXPECT_EQ(Run()->rulerUnits, 4);  // a version 6 host's 3 is points
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);

    host.SetVersion(HostVersionNumber{9, 2, 0}, PropertyAnswer::Complex);
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);
    EXPECT_EQ(Run()->hostMajorVersion, 9);
    EXPECT_EQ(Run()->hostMinorVersion, 2);
    EXPECT_EQ(Run()->rulerUnits, 3);  // millimetres: version 7 on, the code is the unit itself
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);

    // A host that answers success and writes nothing has no version.
    host.SetVersion(HostVersionNumber{8, 0, 0}, PropertyAnswer::Nothing);
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);
    EXPECT_EQ(Run()->noPropertySuite, 0);
    EXPECT_EQ(Run()->hostMajorVersion, 0);
    EXPECT_EQ(Run()->rulerUnits, 0);
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);

    // A suite whose procedures are null is no suite; the dialog still runs.
    host.WithNullProcs(HostSuite::Properties);
    ASSERT_EQ(host.CallSelector(kKind, ps::filterSelectorParameters), 0);
    ASSERT_EQ(PrepareAndStart(host, kKind), 0);
    EXPECT_EQ(Run()->noPropertySuite, 1);
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);
}

// --- Refusals -----------------------------------------------------------------

class RefusalTest : public EntryTest {
protected:
    // Runs and expects start to refuse with result 1, leaving no run behind.
    void ExpectRefused() {
        const int dialogsBefore = dialogRuns;
        const int rendersBefore = probe.log.beginRenders;
        const RunOutcome outcome = host.RunFilter(kKind, RunOptions{true});
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(outcome.selector, ps::filterSelectorStart);
        EXPECT_EQ(host.DataSlot(kKind), 0);
        EXPECT_EQ(probe.log.created, probe.log.destroyed);
        EXPECT_EQ(dialogRuns, dialogsBefore);  // refused before any dialog
        EXPECT_EQ(probe.log.beginRenders, rendersBefore);
    }
};

TEST_F(RefusalTest, ASelectionSmallerThanTheMinimumInEitherDirection) {
    probe.settings.minimumSize = FilterSize{9, 7};
    host.SetImage(HostImage(HostImageMode::Rgb, 40, 40, false)).SelectRect(Rect(0, 0, 20, 8));  // 8 wide
    ExpectRefused();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("at least 9 pixels wide and 7 pixels high"), std::string::npos) << warnings[0];

    warnings.clear();
    host.SelectRect(Rect(0, 0, 6, 30));  // 6 high
    ExpectRefused();
    EXPECT_EQ(warnings.size(), 1u);

    host.SelectRect(Rect(0, 0, 7, 9));  // exactly the minimum
    EXPECT_TRUE(host.RunFilter(kKind).Succeeded());
}

TEST_F(RefusalTest, ACmykDocumentIsRefusedSilentlyByAnEffectWithoutCmyk) {
    probe.settings.supportsCmyk = false;
    host.SetImage(HostImage(HostImageMode::Cmyk, 8, 8, false));
    ExpectRefused();
    EXPECT_TRUE(warnings.empty());
}

TEST_F(RefusalTest, AFlatImageWithoutSelectionForAnEffectThatNeedsALayer) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    probe.settings.usesWholeCanvas = true;
    ExpectRefused();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], Shown(LoadResourceString(10002)));

    probe.settings.allowsFlatImage = true;
    EXPECT_TRUE(host.RunFilter(kKind).Succeeded());

    warnings.clear();
    probe.settings.requiresLayer = true;
    ExpectRefused();
    EXPECT_EQ(warnings.size(), 1u);

    // With a selection the flat image is fine.
    host.SelectRect(Rect(1, 1, 5, 5));
    EXPECT_TRUE(host.RunFilter(kKind).Succeeded());
}

TEST_F(RefusalTest, ProtectedTransparencyAndTransparencyTheOutputLacks) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, true)).SetTransparencyProtected(true);
    ExpectRefused();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], Shown(LoadResourceString(10003)));

    // An editable layer whose output planes lack the transparency the input has.
    warnings.clear();
    host.SetTransparencyProtected(false);
    host.SetEntry([](int16_t selector, void* record, intptr_t* data, int16_t* result, int32_t kind) {
        static_cast<ps::FilterRecord*>(record)->outTransparencyMask = 0;
        Photoshop_Entry_Point(selector, record, data, result, kind);
    });
    ExpectRefused();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], Shown(LoadResourceString(10003)));
}

TEST_F(RefusalTest, AFloatingSelection) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false)).SetFloatingSelection(true);
    ExpectRefused();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], Shown(LoadResourceString(10001)));
}

TEST_F(RefusalTest, AbortWhileReadingTheSelection) {
    host.SetImage(HostImage(HostImageMode::Grey, 400, 400, false)).SelectRect(Rect(10, 10, 390, 390));
    host.AbortAfterCalls(0);
    ExpectRefused();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], Shown(LoadResourceString(10004)));
}

TEST_F(RefusalTest, ACancelledDialogEndsTheRunAtOnce) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    dialogAnswer = 1;
    const RunOutcome outcome = host.RunFilter(kKind, RunOptions{true});
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_EQ(host.DataSlot(kKind), 0);
    EXPECT_EQ(probe.log.created, probe.log.destroyed);
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
    EXPECT_EQ(host.WatchSuspensions(), (std::vector<intptr_t>{1, 0}));
    EXPECT_TRUE(warnings.empty());
}

}  // namespace
