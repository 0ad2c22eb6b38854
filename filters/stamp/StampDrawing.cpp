#include "filters/stamp/StampDrawing.h"

#include <algorithm>
#include <cmath>
#include <new>
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

Rect Moved(const Rect& rect, Point by) {
    return Rect(rect.top + by.y, rect.left + by.x, rect.bottom + by.y, rect.right + by.x);
}

// Where a placement's visible pixels land; empty for a cell without a stamp.
Rect VisibleRect(const StampDrawing& drawing, const Placement& placement) {
    const FillStampScaledTubeStamp& cell = drawing.cells->At(placement.column, placement.row);
    if (cell.stamp == nullptr) return Rect();
    const Rect& bounds = cell.stamp->bounds;
    const Rect shown = cell.visible.IsEmpty() ? bounds : Rect::Intersect(cell.visible, bounds);
    return Moved(shown, StampOffset(placement, drawing.document));
}

// Draws the placements numbered in [first, last) (all of them without a
// list) inside `rect`.
ResultCode DrawListedInRect(const StampDrawing& drawing, const Rect& rect, const uint32_t* first,
                            const uint32_t* last) {
    std::unique_ptr<Image<unsigned char>> recoloured;
    const std::size_t count = first != nullptr ? static_cast<std::size_t>(last - first) : drawing.placements->size();
    for (std::size_t i = 0; i < count; ++i) {
        const Placement& placement = (*drawing.placements)[first != nullptr ? first[i] : i];
        const Rect part = Rect::Intersect(VisibleRect(drawing, placement), rect);
        if (part.IsEmpty()) continue;
        const FillStampScaledTubeStamp& cell = drawing.cells->At(placement.column, placement.row);
        const Point offset = StampOffset(placement, drawing.document);
        const Image<unsigned char>* stamp = cell.stamp.get();
        if (drawing.recolour) {
            const ResultCode made = drawing.recolour(cell, Moved(cell.stamp->bounds, offset), part, recoloured);
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

// For each band of `bandRows` rows from `top`, the placements whose stamps
// reach into it, in list order: with many small stamps, each band then
// visits its own stamps rather than every one.
struct BandLists {
    std::vector<std::size_t> starts;  // one more than there are bands
    std::vector<uint32_t> placements;
};

BandLists ListByBand(const StampDrawing& drawing, const Rect& area, int32_t bandRows, int64_t bands) {
    BandLists lists;
    lists.starts.assign(static_cast<std::size_t>(bands) + 1, 0);
    const auto bandsOf = [&](const Rect& placed, int64_t& from, int64_t& to) {
        const Rect part = Rect::Intersect(placed, area);
        if (part.IsEmpty()) return false;
        from = (part.top - area.top) / bandRows;
        to = (part.bottom - 1 - area.top) / bandRows;
        return true;
    };
    const PlacementList& placements = *drawing.placements;
    int64_t from = 0, to = 0;
    for (const Placement& placement : placements)
        if (bandsOf(VisibleRect(drawing, placement), from, to))
            for (int64_t band = from; band <= to; ++band) ++lists.starts[static_cast<std::size_t>(band) + 1];
    for (std::size_t band = 0; band < static_cast<std::size_t>(bands); ++band)
        lists.starts[band + 1] += lists.starts[band];
    lists.placements.resize(lists.starts.back());
    std::vector<std::size_t> next(lists.starts.begin(), lists.starts.end() - 1);
    for (std::size_t i = 0; i < placements.size(); ++i)
        if (bandsOf(VisibleRect(drawing, placements[i]), from, to))
            for (int64_t band = from; band <= to; ++band)
                lists.placements[next[static_cast<std::size_t>(band)]++] = static_cast<uint32_t>(i);
    return lists;
}

}  // namespace

Point StampOffset(const Placement& placement, const Rect& document) {
    return Point{Coordinate(document.left + document.Width() * placement.x),
                 Coordinate(document.top + document.Height() * placement.y)};
}

ResultCode DrawStampsInRect(const StampDrawing& drawing, const Rect& rect) {
    return DrawListedInRect(drawing, rect, nullptr, nullptr);
}

ResultCode DrawStamps(const StampDrawing& drawing, const Rect& clip) {
    const Rect area = Rect::Intersect(clip, drawing.destination->bounds);
    if (area.IsEmpty()) return ResultCode::Success();
    const int64_t rowBytes = int64_t{area.Width()} * drawing.destination->pixelStride;
    const int32_t bandRows =
        static_cast<int32_t>(std::clamp<int64_t>(kBandBytes / std::max<int64_t>(rowBytes, 1), 16, 1024));
    const int64_t bands = CeilDiv(area.Height(), bandRows);
    if (drawing.placements->size() > UINT32_MAX) return ResultCode::OutOfMemory();
    BandLists lists;
    try {
        lists = ListByBand(drawing, area, bandRows, bands);
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
    // Each band writes only its own rows, so bands may go to any thread.
    std::vector<ResultCode> drawn(static_cast<std::size_t>(bands));
    const ResultCode looped = ParallelChunks(
        bands, 1,
        [&](int64_t band, int64_t) {
            const int32_t top = area.top + static_cast<int32_t>(band) * bandRows;
            const std::size_t b = static_cast<std::size_t>(band);
            const uint32_t* listed = lists.placements.data();
            drawn[b] =
                DrawListedInRect(drawing, Rect(top, area.left, std::min(top + bandRows, area.bottom), area.right),
                                 listed + lists.starts[b], listed + lists.starts[b + 1]);
        },
        drawing.abort, drawing.progress, drawing.progressFrom, drawing.progressTo);
    if (looped.IsFailure()) return looped;
    for (const ResultCode& result : drawn) {
        if (result.IsFailure()) return result;
    }
    return ResultCode::Success();
}
