#include "dialog/PreviewModelSource_win32.h"

#include "dialog/PreviewModel.h"
#include "dialog/PreviewPixels.h"

// The toolkit's tools are the model's, in the same order.
static_assert(static_cast<int32_t>(PreviewTool::Pan) == kPreviewToolPan);
static_assert(static_cast<int32_t>(PreviewTool::Zoom) == kPreviewToolZoom);
static_assert(static_cast<int32_t>(PreviewTool::Effect) == kPreviewToolEffect);

namespace {

ThumbnailFrame FrameOf(const PreviewGeometry& geometry, int32_t width, int32_t height) {
    return ThumbnailFrame(geometry.ImageWidth(), geometry.ImageHeight(), width, height);
}

}  // namespace

int32_t PreviewModelSource::ViewWidth() const { return model_.Geometry().ViewWidth(); }

int32_t PreviewModelSource::ViewHeight() const { return model_.Geometry().ViewHeight(); }

void PreviewModelSource::Compose(uint32_t* pixels) const { model_.Compose(pixels); }

PreviewTool PreviewModelSource::Tool() const { return static_cast<PreviewTool>(model_.Tool()); }

void PreviewModelSource::StopRender() { model_.StopWorker(); }

void PreviewModelSource::BeginPan() { model_.BeginPan(); }

void PreviewModelSource::PanBy(int32_t dx, int32_t dy, bool final) { model_.PanBy(dx, dy, final); }

void PreviewModelSource::HoldOriginal(bool hold) { model_.HoldOriginal(hold); }

void PreviewModelSource::ZoomInAt(int32_t x, int32_t y) { model_.ZoomInAt(x, y); }

void PreviewModelSource::ZoomOutAt(int32_t x, int32_t y) { model_.ZoomOutAt(x, y); }

void PreviewModelSource::ZoomToRect(const Rect& viewRect) { model_.ZoomToRect(viewRect); }

bool PreviewModelSource::ComposeThumbnail(int32_t width, int32_t height, uint32_t* pixels) const {
    if (model_.Document().image == nullptr) return false;
    FrameOf(model_.Geometry(), width, height).Compose(*model_.Document().image, pixels);
    return true;
}

Rect PreviewModelSource::ShownInThumbnail(int32_t width, int32_t height) const {
    const PreviewGeometry& geometry = model_.Geometry();
    return FrameOf(geometry, width, height).ThumbnailRect(geometry.ShownSource());
}

void PreviewModelSource::CentreOnThumbnail(int32_t width, int32_t height, int32_t x, int32_t y, bool final) {
    model_.CentreOn(FrameOf(model_.Geometry(), width, height).SourceAt(x, y), final);
}

void PreviewModelSource::SetTool(PreviewTool tool) { model_.SetTool(static_cast<int32_t>(tool)); }

void PreviewModelSource::ActualSize() { model_.ActualSize(); }
