// What the preview's controls ask of the preview behind them: the preview
// control its picture, its tool and the zoom and pan gestures; the
// thumbnail the whole image and the part the preview shows; the toolbox the
// choice of tool. The dialog adapts its preview model to these. Points and
// sizes are in the control's own pixels inside its edge.
#pragma once

#include <cstdint>

#include "base/Rect.h"

// The preview tools, in the toolbox's order: pan, zoom, and the effect's
// own tool.
enum class PreviewTool : int32_t { Pan = 0, Zoom = 1, Effect = 2 };

class IPreviewSource {
public:
    // The view's size as last laid out, and its picture (0x00RRGGBB, rows
    // top down).
    virtual int32_t ViewWidth() const = 0;
    virtual int32_t ViewHeight() const = 0;
    virtual void Compose(uint32_t* pixels) const = 0;
    virtual PreviewTool Tool() const = 0;
    // A gesture begins: a render under way stops first.
    virtual void StopRender() = 0;
    // A pan gesture: each step moves the view by (dx, dy) from where it
    // began; the final step ends it.
    virtual void BeginPan() = 0;
    virtual void PanBy(int32_t dx, int32_t dy, bool final) = 0;
    // While held the view shows the unprocessed image.
    virtual void HoldOriginal(bool hold) = 0;
    // One zoom level in or out keeping the image under (x, y) in place, or
    // the image under a rectangle of the view zoomed to fill it.
    virtual void ZoomInAt(int32_t x, int32_t y) = 0;
    virtual void ZoomOutAt(int32_t x, int32_t y) = 0;
    virtual void ZoomToRect(const Rect& viewRect) = 0;

protected:
    ~IPreviewSource() = default;
};

class IThumbnailSource {
public:
    // The whole image reduced into `width` × `height` pixels; false, with
    // nothing drawn, when there is no image.
    virtual bool ComposeThumbnail(int32_t width, int32_t height, uint32_t* pixels) const = 0;
    // The part of the image the preview shows, in the thumbnail's pixels.
    virtual Rect ShownInThumbnail(int32_t width, int32_t height) const = 0;
    // Centres the preview on the image under thumbnail pixel (x, y), as a
    // step of a pan gesture.
    virtual void CentreOnThumbnail(int32_t width, int32_t height, int32_t x, int32_t y, bool final) = 0;

protected:
    ~IThumbnailSource() = default;
};

class IPreviewToolChoice {
public:
    virtual void SetTool(PreviewTool tool) = 0;
    // The image at 100 %.
    virtual void ActualSize() = 0;

protected:
    ~IPreviewToolChoice() = default;
};
