// The live preview of the filter dialog: which part of the image it shows
// (PreviewGeometry), and the render that makes it, run on a worker thread.
//
// State machine: Created → Dirty (first layout) → Rendering (a timer tick
// starts the worker) → Shown, Dirty (the render was stopped) or Failed (it
// reported an error); any change of the parameters, the zoom or the shown
// part makes it Dirty again, stopping a running worker first.
//
// Threads: everything here runs on the host's thread except the render
// itself. The worker reads the effect, its parameters and the document and
// writes the renderer's result, the progress fraction and its status; the
// host's thread touches none of these while the worker runs (it stops the
// worker first), and reads the progress fraction and the abort flag, which
// are atomic. No locks are taken.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "dialog/PreviewGeometry.h"
#include "dialog/PreviewRenderer.h"

class Filter;
struct ParameterBlock;

enum class PreviewState : int32_t { Created = 0, Shown = 1, Dirty = 2, Rendering = 3, Failed = 4 };

// The preview tools: pan, zoom, and the effect's own third tool.
inline constexpr int32_t kPreviewToolPan = 0;
inline constexpr int32_t kPreviewToolZoom = 1;
inline constexpr int32_t kPreviewToolEffect = 2;

// What the model tells the windows that show it.
class IPreviewViews {
public:
    // The image shown, its scale or its position changed: redraw.
    virtual void PreviewChanged() = 0;
    virtual void ShowProgress(double fraction) = 0;
    virtual void ShowZoom(double scale) = 0;
    // Called again and again while the model waits for its worker to stop:
    // serves the host calls the worker may be blocked on.
    virtual void ServeWorker() = 0;

protected:
    ~IPreviewViews() = default;
};

// The progress receiver of the worker: it only stores the fraction.
class PreviewModelProgressUpdateSink final : public ProgressUpdateSink {
public:
    void Update(double fraction) override { fraction_.store(fraction); }
    double Fraction() const { return fraction_.load(); }
    void Reset() { fraction_.store(0.0); }

private:
    std::atomic<double> fraction_{0.0};
};

class PreviewModel {
public:
    // `document` and `views` are not owned and outlive the model.
    PreviewModel(const PreviewDocument& document, IPreviewViews& views);
    // Stops the worker.
    ~PreviewModel();
    PreviewModel(const PreviewModel&) = delete;
    PreviewModel& operator=(const PreviewModel&) = delete;

    // The effect and parameters the worker renders (not owned); stops the
    // worker and asks for a render. Null stops rendering altogether.
    void SetEffect(Filter* filter, ParameterBlock* block);
    // Another document (another selection, after an effect switch): the
    // reduced copies are made again.
    void SetDocument(const PreviewDocument& document);
    const PreviewDocument& Document() const { return document_; }

    const PreviewGeometry& Geometry() const { return geometry_; }
    PreviewState State() const { return state_; }
    int32_t Tool() const { return tool_; }
    void SetTool(int32_t tool) { tool_ = tool; }

    // The view's size in preview pixels. The first layout fits the image;
    // later ones keep the centre. Either way a render follows.
    void Layout(int32_t width, int32_t height);

    // Stops the worker, clears the progress and asks for a render.
    void MarkDirty();
    // Sets the abort flag and waits for the worker, serving its host calls
    // meanwhile; the render is due again (Dirty). Nothing when none runs.
    void StopWorker();
    // The timer tick: starts the worker when a render is due (unless a pan
    // is under way), shows its progress while it runs, and takes its result
    // when it ended. Returns the failure of a render that just ended with
    // one (never status 1, which only makes the render due again), else 0.
    ResultCode Poll();

    // Zoom: one level in or out, 100 %, at a point of the view, or onto a
    // rectangle of it. Each answers whether the view changed; only a change
    // stops the worker and asks for a render.
    bool ZoomIn();
    bool ZoomOut();
    bool ActualSize();
    bool ZoomInAt(int32_t x, int32_t y);
    bool ZoomOutAt(int32_t x, int32_t y);
    bool ZoomToRect(const Rect& viewRect);

    // A pan gesture: Begin remembers where the view was; each interim step
    // moves the unprocessed image with the pointer (stopping the worker);
    // the final step ends the gesture and asks for a render when the view
    // moved or the last render is not on screen. While a gesture is under
    // way the preview shows the unprocessed image and no render starts, so
    // pressing and holding shows the original.
    void BeginPan();
    void PanBy(int32_t dx, int32_t dy, bool final);
    // Centres the view on a source point (the thumbnail), as a pan step.
    void CentreOn(const SourcePoint& point, bool final);
    bool Panning() const { return panning_; }
    // While held (the mouse button is down on the preview) the view shows
    // the unprocessed image.
    void HoldOriginal(bool hold);

    // Off: the view shows the unprocessed image and nothing renders.
    void ShowEffect(bool shown);
    bool EffectShown() const { return effectShown_; }

    // True when the view shows the effect: the last render is on screen,
    // no pan is under way and the original is not held.
    bool ShowsRendered() const {
        return effectShown_ && state_ == PreviewState::Shown && !panning_ && !holdingOriginal_;
    }
    // The view's pixels (Geometry's view size, 0x00RRGGBB, rows top down).
    void Compose(uint32_t* pixels) const;

    // The worker's progress sink, for the status bar.
    const PreviewModelProgressUpdateSink& Progress() const { return progress_; }

private:
    class AbortFlag final : public Abort_Tester {
    public:
        bool IsAborted() override { return aborted.load(); }
        std::atomic<bool> aborted{false};
    };

    bool StartWorker();
    // After a change of the view: redraw, and a render unless nothing moved.
    bool ViewChanged(bool changed);
    // One step of a pan gesture that moved the view or not.
    void PanStep(bool moved, bool final);

    PreviewDocument document_;
    IPreviewViews& views_;
    std::unique_ptr<PreviewRenderer> renderer_;
    Filter* filter_ = nullptr;
    ParameterBlock* block_ = nullptr;
    PreviewGeometry geometry_;
    PreviewState state_ = PreviewState::Created;
    int32_t tool_ = kPreviewToolPan;
    bool laidOut_ = false;
    bool panning_ = false;
    bool holdingOriginal_ = false;
    bool effectShown_ = true;
    SourcePoint panStart_;
    bool movedWhilePanning_ = false;

    // The render in progress. The job clears `workerRunning_` as it returns,
    // so that the dialog's timer polls without waiting; the thread is
    // joined before anything it uses changes.
    std::thread worker_;
    std::atomic<bool> workerRunning_{false};
    AbortFlag abort_;
    PreviewModelProgressUpdateSink progress_;
    ResultCode workerResult_;
};
