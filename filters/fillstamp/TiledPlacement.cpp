#include "filters/fillstamp/TiledPlacement.h"

#include <algorithm>
#include <cmath>

namespace {

// Stamps between two abort checks.
constexpr int64_t kCheckEvery = 1024;

}  // namespace

int64_t TiledStampCount(const Rect& image, double meanArea, double density) {
    const double area = static_cast<double>(image.Width()) * static_cast<double>(image.Height());
    const double count = area / std::max(meanArea, 1.0) * 0.03 * density + 0.5;
    if (!(count >= 1.0)) return 1;
    return static_cast<int64_t>(std::min(count, 1e15));
}

ResultCode DrawTiledPlacements(const TiledPlacementDraw& draw, PlacementList& placements) {
    const CellTable& cells = *draw.cells;
    if (cells.IsEmpty() || draw.image.IsEmpty()) return ResultCode::Success();
    RandomGenerator& random = *draw.generator;
    const Rect& image = draw.image;
    const double width = image.Width();
    const double height = image.Height();
    const int64_t count = TiledStampCount(image, draw.meanArea, draw.density);
    const double span = draw.progressTo - draw.progressFrom;
    for (int64_t i = 0; i < count; ++i) {
        if (i % kCheckEvery == 0) {
            if (draw.progress != nullptr)
                draw.progress->Update(draw.progressFrom + span * static_cast<double>(i) / static_cast<double>(count));
            if (draw.abort != nullptr && draw.abort->IsAborted()) return ResultCode::Cancelled();
        }
        const int32_t x = random.NextInRange(image.left, image.right);
        const int32_t y = random.NextInRange(image.top, image.bottom);
        const Point cell = random.NextPointBelow(cells.Columns(), cells.Rows());
        const FillStampScaledTubeStamp& stamp = cells.At(cell.x, cell.y);
        const Placement placement{(x - stamp.centreOffsetX) / width, (y - stamp.centreOffsetY) / height, cell.x,
                                  cell.y};
        if (!AppendPlacement(placements, placement)) return ResultCode::OutOfMemory();
    }
    return ResultCode::Success();
}
