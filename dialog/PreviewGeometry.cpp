#include "dialog/PreviewGeometry.h"

#include <algorithm>
#include <cmath>

#include "dialog/PreviewRenderer.h"
#include "dialog/ZoomLevels.h"

namespace {

int32_t FactorOf(double scale) { return PreviewRenderer::ReductionFactor(scale); }

int32_t MagnificationOf(double scale) {
    const int32_t factor = FactorOf(scale);
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(factor / scale)));
}

// The origin along one axis: the reduced pixel at the view's first preview
// pixel, for `centre` (source pixels) at the view's middle. The view stays
// on the image, or centres an image narrower than itself.
int32_t AxisOrigin(double centre, int32_t imageSize, int32_t viewSize, int32_t factor, int32_t magnification) {
    const int32_t reducedSize = CeilDiv(imageSize, factor);
    const int32_t shownSize = viewSize / magnification;  // whole reduced pixels in the view
    if (reducedSize <= shownSize) return -(shownSize - reducedSize) / 2;
    const double wanted = centre / factor - static_cast<double>(viewSize) / (2.0 * magnification);
    const double clamped = std::clamp(std::floor(wanted + 0.5), 0.0, static_cast<double>(reducedSize - shownSize));
    return static_cast<int32_t>(clamped);
}

}  // namespace

void PreviewGeometry::SetImageSize(int32_t width, int32_t height) {
    imageWidth_ = std::max(width, 0);
    imageHeight_ = std::max(height, 0);
    Apply(scale_, position_);
}

void PreviewGeometry::SetViewSize(int32_t width, int32_t height) {
    const SourcePoint centre = position_;
    viewWidth_ = std::max(width, 0);
    viewHeight_ = std::max(height, 0);
    Apply(scale_, centre);
}

int32_t PreviewGeometry::Factor() const { return FactorOf(scale_); }

int32_t PreviewGeometry::Magnification() const { return MagnificationOf(scale_); }

Point PreviewGeometry::OriginFor(double scale, const SourcePoint& position) const {
    const int32_t factor = FactorOf(scale);
    const int32_t magnification = MagnificationOf(scale);
    return Point{AxisOrigin(position.x, imageWidth_, viewWidth_, factor, magnification),
                 AxisOrigin(position.y, imageHeight_, viewHeight_, factor, magnification)};
}

SourcePoint PreviewGeometry::PositionFor(double scale, Point origin) const {
    const double factor = FactorOf(scale);
    const double magnification = MagnificationOf(scale);
    return SourcePoint{factor * (origin.x + viewWidth_ / (2.0 * magnification)),
                       factor * (origin.y + viewHeight_ / (2.0 * magnification))};
}

Point PreviewGeometry::Origin() const { return OriginFor(scale_, position_); }

Rect PreviewGeometry::ShownReduced() const {
    const int32_t factor = Factor();
    const int32_t magnification = Magnification();
    const Point origin = Origin();
    const Rect view(origin.y, origin.x, origin.y + CeilDiv(viewHeight_, magnification),
                    origin.x + CeilDiv(viewWidth_, magnification));
    const Rect image(0, 0, CeilDiv(imageHeight_, factor), CeilDiv(imageWidth_, factor));
    return Rect::Intersect(view, image);
}

Rect PreviewGeometry::ShownSource() const {
    const Rect reduced = ShownReduced();
    if (reduced.IsEmpty()) return Rect();
    const int32_t factor = Factor();
    const Rect source(reduced.top * factor, reduced.left * factor, reduced.bottom * factor, reduced.right * factor);
    return Rect::Intersect(source, Rect(0, 0, imageHeight_, imageWidth_));
}

SourcePoint PreviewGeometry::SourceAt(int32_t x, int32_t y) const {
    const double factor = Factor();
    const double magnification = Magnification();
    const Point origin = Origin();
    return SourcePoint{factor * (origin.x + x / magnification), factor * (origin.y + y / magnification)};
}

Point PreviewGeometry::ViewPointOf(const SourcePoint& point) const {
    const double factor = Factor();
    const double magnification = Magnification();
    const Point origin = Origin();
    return Point{static_cast<int32_t>(std::floor((point.x / factor - origin.x) * magnification)),
                 static_cast<int32_t>(std::floor((point.y / factor - origin.y) * magnification))};
}

bool PreviewGeometry::Apply(double scale, SourcePoint position) {
    const Point before = Origin();
    const double scaleBefore = scale_;
    scale_ = scale;
    position_ = PositionFor(scale, OriginFor(scale, position));
    const Point after = Origin();
    return scaleBefore != scale_ || before.x != after.x || before.y != after.y;
}

bool PreviewGeometry::Fit() {
    const double scale = FittingZoom(imageWidth_, imageHeight_, viewWidth_, viewHeight_, 1.0);
    return Apply(scale, SourcePoint{imageWidth_ / 2.0, imageHeight_ / 2.0});
}

bool PreviewGeometry::ZoomIn() { return Apply(ZoomedIn(scale_), position_); }

bool PreviewGeometry::ZoomOut() { return Apply(ZoomedOut(scale_), position_); }

bool PreviewGeometry::ActualSize() { return scale_ != 1.0 && Apply(1.0, position_); }

bool PreviewGeometry::ZoomKeeping(double scale, int32_t x, int32_t y) {
    if (scale == scale_) return false;
    const SourcePoint fixed = SourceAt(x, y);
    // The centre that puts `fixed` under (x, y) at the new scale.
    const double factor = FactorOf(scale);
    const double magnification = MagnificationOf(scale);
    const SourcePoint centre{fixed.x + factor * ((viewWidth_ / 2.0 - x) / magnification),
                             fixed.y + factor * ((viewHeight_ / 2.0 - y) / magnification)};
    return Apply(scale, centre);
}

bool PreviewGeometry::ZoomInAt(int32_t x, int32_t y) { return ZoomKeeping(ZoomedIn(scale_), x, y); }

bool PreviewGeometry::ZoomOutAt(int32_t x, int32_t y) { return ZoomKeeping(ZoomedOut(scale_), x, y); }

bool PreviewGeometry::ZoomToRect(const Rect& viewRect) {
    if (viewRect.IsEmpty()) return false;
    const SourcePoint topLeft = SourceAt(viewRect.left, viewRect.top);
    const SourcePoint bottomRight = SourceAt(viewRect.right, viewRect.bottom);
    const double width = bottomRight.x - topLeft.x;
    const double height = bottomRight.y - topLeft.y;
    const double scale = FittingZoom(width, height, viewWidth_, viewHeight_, kZoomLevels.back());
    return Apply(scale, SourcePoint{(topLeft.x + bottomRight.x) / 2.0, (topLeft.y + bottomRight.y) / 2.0});
}

bool PreviewGeometry::PanFrom(const SourcePoint& start, int32_t dx, int32_t dy) {
    // Whole source pixels, rounded the same way in both directions.
    const double moveX = static_cast<double>(std::lround(dx * scale_));
    const double moveY = static_cast<double>(std::lround(dy * scale_));
    return Apply(scale_, SourcePoint{start.x - moveX, start.y - moveY});
}

bool PreviewGeometry::CentreOn(const SourcePoint& point) { return Apply(scale_, point); }
