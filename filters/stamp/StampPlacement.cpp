#include "filters/stamp/StampPlacement.h"

#include <algorithm>
#include <cmath>
#include <new>

bool AppendPlacement(PlacementList& placements, const Placement& placement) {
    try {
        placements.push_back(placement);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

int32_t StampReach(double offset) {
    const double outside = std::ceil(std::max(0.0, -offset));
    return static_cast<int32_t>(std::min(outside, 1e9)) + 3;
}

ResultCode DrawPlacements(const PlacementDraw& draw, PlacementList& placements) {
    const int64_t count = draw.centres->Count();
    const CellTable& cells = *draw.cells;
    if (count <= 0 || cells.IsEmpty() || draw.image.IsEmpty()) return ResultCode::Success();
    RandomGenerator& random = *draw.generator;
    const double width = draw.image.Width();
    const double height = draw.image.Height();
    const double span = draw.progressTo - draw.progressFrom;

    double placed = 0.0;
    while (placed < draw.budget) {
        if (draw.progress != nullptr) draw.progress->Update(draw.progressFrom + span * placed / draw.budget);
        if (draw.abort != nullptr && draw.abort->IsAborted()) return ResultCode::Cancelled();
        const Point centre = draw.centres->At(random.NextInRange(0, static_cast<int32_t>(count)));
        const int32_t column = random.NextInRange(0, cells.Columns());
        const int32_t row = random.NextInRange(0, cells.Rows());
        const FillStampScaledTubeStamp& cell = cells.At(column, row);
        const int32_t rx = random.Chance(cell.centreFractionX) ? 1 : 0;
        const int32_t ry = random.Chance(cell.centreFractionY) ? 1 : 0;
        const Point jitter = random.NextPointBelow(2, 2);
        const Placement placement{(centre.x - (rx + jitter.x + cell.centreOffsetX)) / width,
                                  (centre.y - (ry + jitter.y + cell.centreOffsetY)) / height, column, row};
        if (!AppendPlacement(placements, placement)) return ResultCode::OutOfMemory();
        placed += cell.area;
    }
    return ResultCode::Success();
}
