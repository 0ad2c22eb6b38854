#include "filters/stamp/StampDrawing.h"

#include <cmath>

#include "filters/stamp/StampCompositing.h"

namespace {

// trunc(value + 0.5) as a pixel coordinate; far-off values are clamped so
// that a stamp can never wrap around into the image.
int32_t Coordinate(double value) {
    const double rounded = value + 0.5;
    if (!(rounded > -1e9)) return -1000000000;
    if (rounded > 1e9) return 1000000000;
    return static_cast<int32_t>(rounded);
}

}  // namespace

Point StampOffset(const Placement& placement, const Rect& document) {
    return Point{Coordinate(document.left + document.Width() * placement.x),
                 Coordinate(document.top + document.Height() * placement.y)};
}

ResultCode DrawStamps(const StampDrawing& drawing, const Rect& clip) {
    const PlacementList& placements = *drawing.placements;
    const std::size_t count = placements.size();
    const double span = drawing.progressTo - drawing.progressFrom;
    std::unique_ptr<Image<unsigned char>> recoloured;
    for (std::size_t i = 0; i < count; ++i) {
        if (drawing.progress != nullptr)
            drawing.progress->Update(drawing.progressFrom + span * static_cast<double>(i) / static_cast<double>(count));
        if (drawing.abort != nullptr && drawing.abort->IsAborted()) return ResultCode::Cancelled();
        const Placement& placement = placements[i];
        const FillStampScaledTubeStamp& cell = drawing.cells->At(placement.column, placement.row);
        if (cell.stamp == nullptr) continue;
        const Point offset = StampOffset(placement, drawing.document);
        const Rect placed(cell.stamp->bounds.top + offset.y, cell.stamp->bounds.left + offset.x,
                          cell.stamp->bounds.bottom + offset.y, cell.stamp->bounds.right + offset.x);
        if (Rect::Intersect(placed, clip).IsEmpty()) continue;
        const Image<unsigned char>* stamp = cell.stamp.get();
        if (drawing.recolour) {
            const ResultCode made = drawing.recolour(cell, offset, recoloured);
            if (made.IsFailure()) return made;
            stamp = recoloured.get();
        }
        CompositeImageOver(*stamp, offset, *drawing.destination, clip);
    }
    if (drawing.progress != nullptr) drawing.progress->Update(drawing.progressTo);
    return ResultCode::Success();
}
