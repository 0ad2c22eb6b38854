// Which part of the image the preview shows, and at what zoom.
//
// The view is `viewWidth` × `viewHeight` preview pixels. At a scale s (one
// of the zoom levels) the preview renders the image reduced by the factor
// f = max(1, whole part of s) and shows each reduced pixel as a square of
// m = f ÷ s preview pixels (1 when zoomed out, 2 to 16 when zoomed in).
// The view's top-left preview pixel shows the reduced pixel Origin(), so
// preview pixel (X, Y) shows reduced pixel Origin() + (X ÷ m, Y ÷ m) and
// source pixel f times that.
//
// The view always stays on the image: an image larger than the view is
// never scrolled past its edges, a smaller one is centred.
#pragma once

#include <cstdint>

#include "base/Rect.h"

// A point in source (image) pixels, fractions kept.
struct SourcePoint {
    double x = 0.0;
    double y = 0.0;
};

class PreviewGeometry {
public:
    void SetImageSize(int32_t width, int32_t height);
    // Keeps the source point at the view's centre where it was.
    void SetViewSize(int32_t width, int32_t height);

    double Scale() const { return scale_; }
    int32_t Factor() const;
    int32_t Magnification() const;
    // The source point at the view's centre.
    SourcePoint Position() const { return position_; }
    int32_t ViewWidth() const { return viewWidth_; }
    int32_t ViewHeight() const { return viewHeight_; }
    int32_t ImageWidth() const { return imageWidth_; }
    int32_t ImageHeight() const { return imageHeight_; }

    // The reduced pixel at the view's top-left corner (negative when a
    // small image is centred).
    Point Origin() const;
    // The reduced pixels the view shows, within the reduced image.
    Rect ShownReduced() const;
    // The source pixels the view shows, within the image.
    Rect ShownSource() const;
    // The source point under a preview pixel (its top-left corner), and
    // the preview pixel that shows a source point.
    SourcePoint SourceAt(int32_t x, int32_t y) const;
    Point ViewPointOf(const SourcePoint& point) const;

    // Each operation answers whether the view changed.
    // The whole image at the largest magnification up to 100 % at which it
    // fits, centred.
    bool Fit();
    // One level in or out, or 100 %, keeping the view's centre.
    bool ZoomIn();
    bool ZoomOut();
    bool ActualSize();
    // One level in or out keeping the source point under preview pixel
    // (x, y) where it is.
    bool ZoomInAt(int32_t x, int32_t y);
    bool ZoomOutAt(int32_t x, int32_t y);
    // The largest magnification at which the source under the preview
    // rectangle still fits the view, centred on it.
    bool ZoomToRect(const Rect& viewRect);
    // Moves the view so that `start` (an earlier Position) moves with the
    // pointer by (dx, dy) preview pixels.
    bool PanFrom(const SourcePoint& start, int32_t dx, int32_t dy);
    // Centres the view on a source point.
    bool CentreOn(const SourcePoint& point);

private:
    bool Apply(double scale, SourcePoint position);
    // The origin for a centre position at a scale, kept on the image.
    Point OriginFor(double scale, const SourcePoint& position) const;
    SourcePoint PositionFor(double scale, Point origin) const;
    bool ZoomKeeping(double scale, int32_t x, int32_t y);

    int32_t imageWidth_ = 0;
    int32_t imageHeight_ = 0;
    int32_t viewWidth_ = 0;
    int32_t viewHeight_ = 0;
    double scale_ = 1.0;
    SourcePoint position_;
};
