// The document as the dialog reads it from a host through the entry: every
// plane of every pixel, in bands, and the area each effect works on.
#include <gtest/gtest.h>

#include <memory>

#include "DialogProbe.h"
#include "dialog/DialogDocument.h"
#include "dialog/PreviewRenderer.h"
#include "filters/ParameterBlock.h"
#include "host/DialogRunner.h"
#include "host/FilterFactory.h"
#include "host/RunRecord.h"
#include "inprocesshost/InProcessHost.h"

namespace {

constexpr FilterKind kKind = FilterKinds::Patchwork;

// The probe with the layer's transparency not taken as its shape.
class ShapelessProbe : public DialogProbeFilter {
public:
    bool UsesTransparencyAsShape() const override { return false; }
};

HostImage Picture(int32_t width, int32_t height) {
    HostImage image(HostImageMode::Rgb, width, height, true);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t plane = 0; plane < 3; ++plane)
                image.At(x, y, plane) = static_cast<uint8_t>(x * 7 + y * 3 + plane);
            // Opaque but for a margin of 10 pixels at the left.
            image.At(x, y, 3) = x >= 10 ? 255 : 0;
        }
    }
    return image;
}

class DialogDocumentTest : public testing::Test {
protected:
    DialogDocumentTest() : probe_(kKind, [] { return std::make_unique<DialogProbeFilter>(); }) {}
    ~DialogDocumentTest() override { SetFilterDialogRunner(FilterDialogRunner()); }

    // Runs the effect with a "dialog" that does `look` with the document.
    RunOutcome Run(const std::function<ResultCode(DialogDocument&, RunRecord&)>& look) {
        SetFilterDialogRunner([&](Filter&, ParameterBlock&, RunRecord& run, ps::FilterRecord& record) {
            DialogDocument document(record, run);
            return look(document, run);
        });
        host.SetPlayMode(ps::plugInDialogDisplay);
        return host.RunFilter(kKind, RunOptions{true});
    }

    InProcessHost host;

private:
    ScopedFilterOverride probe_;
};

}  // namespace

TEST_F(DialogDocumentTest, ReadsEveryPlaneOfEveryPixelInBands) {
    // 300 × 4000 × 4 bytes: more than one band of the reader.
    const HostImage picture = Picture(300, 4000);
    host.SetImage(picture);
    const RunOutcome outcome = Run([&](DialogDocument& document, RunRecord&) {
        const int64_t advancesBefore = host.AdvanceStateCalls();
        const ResultCode read = document.Read();
        EXPECT_TRUE(read.IsSuccess());
        EXPECT_GE(host.AdvanceStateCalls() - advancesBefore, 2);
        const PreviewDocument shown = document.ForRun();
        EXPECT_EQ(shown.image->layout.colourChannels, 3);
        EXPECT_TRUE(shown.image->layout.hasAlpha);
        EXPECT_EQ(shown.image->bounds, Rect(0, 0, 4000, 300));
        int mismatches = 0;
        for (int32_t y = 0; y < 4000; ++y) {
            for (int32_t x = 0; x < 300; ++x) {
                const unsigned char* pixel = shown.image->PixelAddress(Point{x, y});
                for (int32_t plane = 0; plane < 4; ++plane) mismatches += pixel[plane] != picture.At(x, y, plane);
            }
        }
        EXPECT_EQ(mismatches, 0);
        // The layer's transparency is the run's shape: the opaque part.
        EXPECT_TRUE(shown.shapeFromTransparency);
        EXPECT_EQ(shown.mask->bounds, Rect(0, 10, 4000, 300));
        return ResultCode::Success();
    });
    EXPECT_TRUE(outcome.Succeeded());
    EXPECT_EQ(host.Record().inRect.right, 0);  // the requests are cleared
}

TEST_F(DialogDocumentTest, AnEffectTakingItsShapeOtherwiseGetsItsOwnAreaAndTheRunTakesIt) {
    host.SetImage(Picture(60, 40));
    Run([&](DialogDocument& document, RunRecord& run) {
        EXPECT_TRUE(document.Read().IsSuccess());
        ShapelessProbe other;
        other.kind = FilterKinds::Resurface;
        PreviewDocument shown;
        EXPECT_TRUE(document.ForEffect(other, shown).IsSuccess());
        EXPECT_FALSE(shown.shapeFromTransparency);
        // Without the shape: the whole layer.
        EXPECT_EQ(shown.mask->bounds, Rect(0, 0, 40, 60));
        DialogProbeFilter same;
        PreviewDocument own;
        EXPECT_TRUE(document.ForEffect(same, own).IsSuccess());
        EXPECT_EQ(own.mask->bounds, Rect(0, 10, 40, 60));
        document.HandOver(other);
        EXPECT_EQ(run.shapeFromTransparency, 0);
        EXPECT_EQ(run.selectionMask->Bounds(), Rect(0, 0, 40, 60));
        return ResultCode::Cancelled();
    });
}

TEST_F(DialogDocumentTest, SwitchingToAnotherEffectAndBackKeepsTheAreasTheFirstRenderSaw) {
    const HostImage picture = Picture(60, 40);
    host.SetImage(picture);
    Run([&](DialogDocument& document, RunRecord&) {
        EXPECT_TRUE(document.Read().IsSuccess());
        DialogProbeFilter own;
        ShapelessProbe other;
        other.kind = FilterKinds::Resurface;
        // The dialog opens on the run's effect and keeps its document.
        const PreviewDocument first = document.ForRun();
        PreviewDocument away;
        EXPECT_TRUE(document.ForEffect(other, away).IsSuccess());
        PreviewDocument back;
        PreviewDocument awayAgain;
        EXPECT_TRUE(document.ForEffect(own, back).IsSuccess());
        EXPECT_TRUE(document.ForEffect(other, awayAgain).IsSuccess());
        EXPECT_EQ(back.mask, first.mask);
        EXPECT_EQ(awayAgain.mask, away.mask);
        // The preview made for the first document renders again after the
        // switches, at a new reduction that reads the mask anew.
        PreviewRenderer renderer(first);
        ParameterBlock block;
        own.WriteDefaults(block);
        NeverAborts abort;
        EXPECT_TRUE(renderer.Render(own, block, 1.0, Rect(), abort, nullptr).IsSuccess());
        EXPECT_TRUE(renderer.Render(own, block, 2.0, Rect(), abort, nullptr).IsSuccess());
        // Only the opaque part (columns 10 on, 5 on when halved) changes.
        const Image<unsigned char> shown = renderer.PreviewImage();
        EXPECT_EQ(shown.PixelAddress(Point{2, 3})[0], picture.At(4, 6, 0));
        EXPECT_NE(shown.PixelAddress(Point{8, 3})[0], picture.At(16, 6, 0));
        return ResultCode::Cancelled();
    });
}

TEST_F(DialogDocumentTest, AHostThatRefusesTheReadFailsTheDialog) {
    host.SetImage(Picture(60, 40));
    const RunOutcome outcome = Run([&](DialogDocument& document, RunRecord&) {
        host.Record().advanceState = [] { return ps::OSErr{-1}; };
        return document.Read();
    });
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
}
