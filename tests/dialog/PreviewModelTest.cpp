// The preview's render on its worker thread, driven as the dialog's timer
// drives it: when renders start, what stops them, what a render's status
// does, and what the view shows meanwhile.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "DialogProbe.h"
#include "dialog/PreviewModel.h"
#include "filters/ParameterBlock.h"

namespace {

class RecordingViews : public IPreviewViews {
public:
    void PreviewChanged() override { ++changes; }
    void ShowProgress(double fraction) override { progress = fraction; }
    void ShowZoom(double shown) override { scale = shown; }
    void ServeWorker() override { ++served; }
    int changes = 0;
    int served = 0;
    double progress = -1.0;
    double scale = 0.0;
};

class PreviewModelTest : public testing::Test {
protected:
    PreviewModelTest() : image(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 60, 80), allocated) {
        DialogProbe().Reset();
        effect.kind = 4;
        effect.WriteDefaults(block);
        document.image = &image;
    }

    // Ticks until the render has ended (or a second has passed).
    void TickUntilDone(PreviewModel& model) {
        for (int i = 0; i < 1000 && model.State() == PreviewState::Rendering; ++i) {
            last = model.Poll();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    // Waits until the held render has begun.
    void WaitForRenderStart(int count) {
        for (int i = 0; i < 1000 && DialogProbe().rendersStarted < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ResultCode allocated;
    Image<unsigned char> image;
    DialogProbeFilter effect;
    ParameterBlock block{};
    PreviewDocument document;
    RecordingViews views;
    ResultCode last;
};

}  // namespace

TEST_F(PreviewModelTest, TheFirstLayoutAsksForARenderAndATickStartsIt) {
    PreviewModel model(document, views);
    model.SetEffect(&effect, &block);
    EXPECT_EQ(model.State(), PreviewState::Created);
    model.Layout(40, 30);
    EXPECT_EQ(model.State(), PreviewState::Dirty);
    EXPECT_EQ(DialogProbe().rendersStarted, 0);  // only a tick starts it
    model.Poll();
    TickUntilDone(model);
    EXPECT_EQ(model.State(), PreviewState::Shown);
    EXPECT_EQ(DialogProbe().rendersStarted, 1);
    EXPECT_TRUE(model.ShowsRendered());
    EXPECT_EQ(views.progress, 0.0);
}

TEST_F(PreviewModelTest, AChangeWhileRenderingStopsTheWorkerFirstAndOneRenderFollows) {
    PreviewModel model(document, views);
    model.SetEffect(&effect, &block);
    model.Layout(40, 30);
    DialogProbe().hold = true;
    model.Poll();
    WaitForRenderStart(1);
    ASSERT_EQ(model.State(), PreviewState::Rendering);
    // What the dialog does on a change: stop, then change, then mark.
    model.StopWorker();
    EXPECT_TRUE(DialogProbe().lastAborted);
    EXPECT_GT(views.served, 0);  // host calls were served while waiting
    block.As<DialogProbeRecord>().amount = 77.0;
    model.MarkDirty();
    EXPECT_EQ(DialogProbe().amountAtEnd, kDialogProbeDefaultAmount);
    DialogProbe().hold = false;
    EXPECT_EQ(DialogProbe().rendersStarted, 1);
    model.Poll();
    TickUntilDone(model);
    EXPECT_EQ(DialogProbe().rendersStarted, 2);
    EXPECT_EQ(DialogProbe().amountAtStart, 77.0);
    EXPECT_EQ(model.State(), PreviewState::Shown);
}

TEST_F(PreviewModelTest, ACancelledRenderStartsAgainAndAFailedOneWaitsForAChange) {
    PreviewModel model(document, views);
    model.SetEffect(&effect, &block);
    model.Layout(40, 30);
    DialogProbe().nextStatus = ResultCode::kCancelled;
    model.Poll();
    TickUntilDone(model);
    EXPECT_EQ(model.State(), PreviewState::Dirty);
    EXPECT_TRUE(last.IsSuccess());  // nothing to show the user
    model.Poll();
    TickUntilDone(model);
    EXPECT_EQ(DialogProbe().rendersStarted, 2);
    EXPECT_EQ(model.State(), PreviewState::Shown);

    model.MarkDirty();
    DialogProbe().nextStatus = ResultCode::kFailure;
    model.Poll();
    TickUntilDone(model);
    EXPECT_EQ(model.State(), PreviewState::Failed);
    EXPECT_EQ(last.status, ResultCode::kFailure);
    model.Poll();
    EXPECT_EQ(DialogProbe().rendersStarted, 3);
    EXPECT_FALSE(model.ShowsRendered());
}

TEST_F(PreviewModelTest, PanningShowsTheOriginalAndOneRenderFollowsAMove) {
    PreviewModel model(document, views);
    model.SetEffect(&effect, &block);
    model.Layout(20, 20);
    model.ActualSize();  // 60 × 80 at 100 %: the view can move
    model.Poll();
    TickUntilDone(model);
    ASSERT_TRUE(model.ShowsRendered());

    // Press and hold without moving: the original, and the render stays.
    model.BeginPan();
    EXPECT_FALSE(model.ShowsRendered());
    model.PanBy(0, 0, true);
    EXPECT_TRUE(model.ShowsRendered());
    EXPECT_EQ(DialogProbe().rendersStarted, 1);

    model.BeginPan();
    model.PanBy(-5, -5, false);
    model.Poll();  // no render while the pointer pans
    EXPECT_EQ(DialogProbe().rendersStarted, 1);
    model.PanBy(-10, -10, true);
    EXPECT_EQ(model.State(), PreviewState::Dirty);
    model.Poll();
    TickUntilDone(model);
    EXPECT_EQ(DialogProbe().rendersStarted, 2);
}

TEST_F(PreviewModelTest, ZoomingPastTheEndsChangesNothing) {
    PreviewModel model(document, views);
    model.SetEffect(&effect, &block);
    model.Layout(40, 30);
    model.Poll();
    TickUntilDone(model);
    while (model.ZoomIn()) {}
    ASSERT_EQ(model.Geometry().Scale(), 0.0625);
    model.Poll();
    TickUntilDone(model);
    const int renders = DialogProbe().rendersStarted;
    EXPECT_FALSE(model.ZoomIn());
    EXPECT_EQ(model.State(), PreviewState::Shown);
    while (model.ZoomOut()) {}
    EXPECT_EQ(model.Geometry().Scale(), 16.0);
    EXPECT_EQ(views.scale, 16.0);
    model.Poll();
    TickUntilDone(model);
    EXPECT_FALSE(model.ZoomOut());
    EXPECT_EQ(model.State(), PreviewState::Shown);
    EXPECT_GT(DialogProbe().rendersStarted, renders);
}

TEST_F(PreviewModelTest, WithTheEffectHiddenNothingRenders) {
    PreviewModel model(document, views);
    model.SetEffect(&effect, &block);
    model.Layout(40, 30);
    model.ShowEffect(false);
    model.Poll();
    EXPECT_EQ(DialogProbe().rendersStarted, 0);
    EXPECT_FALSE(model.ShowsRendered());
    model.ShowEffect(true);
    model.Poll();
    TickUntilDone(model);
    EXPECT_TRUE(model.ShowsRendered());
}
