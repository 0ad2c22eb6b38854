#include "dialog/PreviewModel.h"

#include <new>
#include <system_error>
#include <thread>

#include "dialog/PreviewPixels.h"

PreviewModel::PreviewModel(const PreviewDocument& document, IPreviewViews& views)
    : document_(document), views_(views), renderer_(std::make_unique<PreviewRenderer>(document)) {
    if (document.image != nullptr) geometry_.SetImageSize(document.image->Width(), document.image->Height());
}

PreviewModel::~PreviewModel() { StopWorker(); }

void PreviewModel::SetEffect(Filter* filter, ParameterBlock* block) {
    StopWorker();
    filter_ = filter;
    block_ = block;
    if (laidOut_) MarkDirty();
}

void PreviewModel::SetDocument(const PreviewDocument& document) {
    StopWorker();
    document_ = document;
    renderer_ = std::make_unique<PreviewRenderer>(document_);
    if (document.image != nullptr) geometry_.SetImageSize(document.image->Width(), document.image->Height());
    if (laidOut_) MarkDirty();
}

void PreviewModel::Layout(int32_t width, int32_t height) {
    StopWorker();
    geometry_.SetViewSize(width, height);
    if (!laidOut_) geometry_.Fit();
    laidOut_ = true;
    views_.ShowZoom(geometry_.Scale());
    MarkDirty();
}

void PreviewModel::MarkDirty() {
    StopWorker();
    progress_.Reset();
    views_.ShowProgress(0.0);
    state_ = PreviewState::Dirty;
    views_.PreviewChanged();
}

void PreviewModel::StopWorker() {
    if (!worker_.joinable()) return;
    abort_.aborted.store(true);
    while (workerRunning_.load()) {
        std::this_thread::yield();
        views_.ServeWorker();
    }
    worker_.join();
    state_ = PreviewState::Dirty;
}

bool PreviewModel::StartWorker() {
    if (filter_ == nullptr || block_ == nullptr || renderer_ == nullptr) return false;
    abort_.aborted.store(false);
    progress_.Reset();
    workerResult_ = ResultCode::Success();
    Filter* filter = filter_;
    ParameterBlock* block = block_;
    PreviewRenderer* renderer = renderer_.get();
    const double scale = geometry_.Scale();
    const Rect region = geometry_.ShownReduced();
    if (worker_.joinable()) return false;
    workerRunning_.store(true);
    try {
        worker_ = std::thread([this, filter, block, renderer, scale, region] {
            try {
                workerResult_ = region.IsEmpty() ? ResultCode::Success()
                                                 : renderer->Render(*filter, *block, scale, region, abort_, &progress_);
            } catch (const std::bad_alloc&) {
                workerResult_ = ResultCode::OutOfMemory();
            } catch (...) {
                workerResult_ = ResultCode::Failure();
            }
            workerRunning_.store(false);
        });
    } catch (const std::system_error&) {  // no thread could be made
        workerRunning_.store(false);
        return false;
    }
    return true;
}

ResultCode PreviewModel::Poll() {
    if (state_ == PreviewState::Dirty && !panning_ && effectShown_ && filter_ != nullptr) {
        state_ = PreviewState::Rendering;
        if (!StartWorker()) {
            state_ = PreviewState::Failed;
            return ResultCode::Failure();
        }
    }
    if (state_ != PreviewState::Rendering) return ResultCode::Success();
    if (workerRunning_.load()) {
        views_.ShowProgress(progress_.Fraction());
        return ResultCode::Success();
    }
    if (worker_.joinable()) worker_.join();
    views_.ShowProgress(0.0);
    const ResultCode result = workerResult_;
    if (result.status == ResultCode::kCancelled) {
        state_ = PreviewState::Dirty;
        return ResultCode::Success();
    }
    if (result.IsFailure()) {
        state_ = PreviewState::Failed;
        return result;
    }
    state_ = PreviewState::Shown;
    views_.PreviewChanged();
    return ResultCode::Success();
}

bool PreviewModel::ViewChanged(bool changed) {
    if (!changed) return false;
    views_.ShowZoom(geometry_.Scale());
    MarkDirty();
    return true;
}

bool PreviewModel::ZoomIn() {
    StopWorker();
    return ViewChanged(geometry_.ZoomIn());
}

bool PreviewModel::ZoomOut() {
    StopWorker();
    return ViewChanged(geometry_.ZoomOut());
}

bool PreviewModel::ActualSize() {
    StopWorker();
    return ViewChanged(geometry_.ActualSize());
}

bool PreviewModel::ZoomInAt(int32_t x, int32_t y) {
    StopWorker();
    return ViewChanged(geometry_.ZoomInAt(x, y));
}

bool PreviewModel::ZoomOutAt(int32_t x, int32_t y) {
    StopWorker();
    return ViewChanged(geometry_.ZoomOutAt(x, y));
}

bool PreviewModel::ZoomToRect(const Rect& viewRect) {
    StopWorker();
    return ViewChanged(geometry_.ZoomToRect(viewRect));
}

void PreviewModel::BeginPan() {
    panning_ = true;
    movedWhilePanning_ = false;
    panStart_ = geometry_.Position();
    views_.PreviewChanged();
}

void PreviewModel::ShowEffect(bool shown) {
    if (shown == effectShown_) return;
    effectShown_ = shown;
    if (shown) {
        MarkDirty();
    } else {
        StopWorker();
        views_.PreviewChanged();
    }
}

void PreviewModel::HoldOriginal(bool hold) {
    if (hold == holdingOriginal_) return;
    holdingOriginal_ = hold;
    views_.PreviewChanged();
}

void PreviewModel::PanBy(int32_t dx, int32_t dy, bool final) {
    if (!panning_) BeginPan();
    StopWorker();
    PanStep(geometry_.PanFrom(panStart_, dx, dy), final);
}

void PreviewModel::CentreOn(const SourcePoint& point, bool final) {
    if (!panning_) BeginPan();
    StopWorker();
    PanStep(geometry_.CentreOn(point), final);
}

void PreviewModel::PanStep(bool moved, bool final) {
    if (moved) movedWhilePanning_ = true;
    if (!final) {
        views_.PreviewChanged();
        return;
    }
    panning_ = false;
    if (movedWhilePanning_ || state_ != PreviewState::Shown) {
        MarkDirty();
    } else {
        views_.PreviewChanged();
    }
}

void PreviewModel::Compose(uint32_t* pixels) const {
    if (document_.image == nullptr || !document_.image->HasData()) {
        const std::size_t count =
            static_cast<std::size_t>(geometry_.ViewWidth()) * static_cast<std::size_t>(geometry_.ViewHeight());
        for (std::size_t i = 0; i < count; ++i) pixels[i] = kPreviewBackground;
        return;
    }
    ComposeView(geometry_, *document_.image, ShowsRendered() ? &renderer_->Preview() : nullptr, pixels);
}
