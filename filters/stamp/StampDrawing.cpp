#include "filters/stamp/StampDrawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "filters/stamp/StampCompositing.h"
#include "image/Parallel.h"

namespace {

// trunc(value + 0.5) as a pixel coordinate; far-off values are clamped so
// that a stamp can never wrap around into the image.
int32_t Coordinate(double value) {
    const double rounded = value + 0.5;
    if (!(rounded > -1e9)) return -1000000000;
    if (rounded > 1e9) return 1000000000;
    return static_cast<int32_t>(rounded);
}

// Rows drawn together: stamps land all over the image, and drawing every
// stamp's share of a band that stays in the cache, band after band, walks the
// image once instead of once per stamp.
constexpr int64_t kBandBytes = 512 * 1024;

}  // namespace

Point StampOffset(const Placement& placement, const Rect& document) {
    return Point{Coordinate(document.left + document.Width() * placement.x),
                 Coordinate(document.top + document.Height() * placement.y)};
}

ResultCode DrawStampsInRect(const StampDrawing& drawing, const Rect& rect) {
    std::unique_ptr<Image<unsigned char>> recoloured;
    for (const Placement& placement : *drawing.placements) {
        const FillStampScaledTubeStamp& cell = drawing.cells->At(placement.column, placement.row);
        if (cell.stamp == nullptr) continue;
        const Point offset = StampOffset(placement, drawing.document);
        const Rect& bounds = cell.stamp->bounds;
        const Rect placed(bounds.top + offset.y, bounds.left + offset.x, bounds.bottom + offset.y,
                          bounds.right + offset.x);
        const Rect part = Rect::Intersect(placed, rect);
        if (part.IsEmpty()) continue;
        const Image<unsigned char>* stamp = cell.stamp.get();
        if (drawing.recolour) {
            const ResultCode made = drawing.recolour(cell, placed, part, recoloured);
            if (made.IsFailure()) return made;
            stamp = recoloured.get();
        }
        if (drawing.within != nullptr) {
            CompositeImageOverSelection(*stamp, offset, *drawing.destination, part, *drawing.within);
        } else {
            CompositeImageOver(*stamp, offset, *drawing.destination, part);
        }
    }
    return ResultCode::Success();
}

ResultCode DrawStamps(const StampDrawing& drawing, const Rect& clip) {
    const Rect area = Rect::Intersect(clip, drawing.destination->bounds);
    if (area.IsEmpty()) return ResultCode::Success();
    const int64_t rowBytes = int64_t{area.Width()} * drawing.destination->pixelStride;
    const int32_t bandRows =
        static_cast<int32_t>(std::clamp<int64_t>(kBandBytes / std::max<int64_t>(rowBytes, 1), 16, 1024));
    const int64_t bands = CeilDiv(area.Height(), bandRows);
    // Each band writes only its own rows, so bands may go to any thread.
    std::vector<ResultCode> drawn(static_cast<std::size_t>(bands));
    const ResultCode looped = ParallelChunks(
        bands, 1,
        [&](int64_t band, int64_t) {
            const int32_t top = area.top + static_cast<int32_t>(band) * bandRows;
            drawn[static_cast<std::size_t>(band)] =
                DrawStampsInRect(drawing, Rect(top, area.left, std::min(top + bandRows, area.bottom), area.right));
        },
        drawing.abort, drawing.progress, drawing.progressFrom, drawing.progressTo);
    if (looped.IsFailure()) return looped;
    for (const ResultCode& result : drawn) {
        if (result.IsFailure()) return result;
    }
    return ResultCode::Success();
}
