#include "filters/stamp/StampFit.h"

#include <algorithm>
#include <cmath>

#include "content/TubeCellGrid.h"
#include "filters/stamp/FullSizeSelection.h"

namespace {

// The box of the pixels of `cell` whose alpha is at least 128, as
// VisiblePixelBounds gives boxes (right and bottom inclusive); false when
// there are none.
bool SolidBox(const Image<unsigned char>& tube, const Rect& cell, Rect& box) {
    const int32_t alpha = tube.layout.colourChannels;
    bool found = false;
    for (int32_t y = cell.top; y < cell.bottom; ++y) {
        const unsigned char* pixel = tube.PixelAddress(Point{cell.left, y});
        for (int32_t x = cell.left; x < cell.right; ++x, pixel += tube.pixelStride) {
            if (pixel[alpha] < 128) continue;
            if (!found) box = Rect(y, x, y, x);
            found = true;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.bottom = y;
        }
    }
    return found;
}

}  // namespace

int32_t LeastLargestRadius(const Image<unsigned char>& tube, int32_t columns, int32_t rows, double targetWidth) {
    if (!tube.layout.hasAlpha || !tube.HasData()) return 0;
    const Rect& b = tube.bounds;
    const TubeCellGrid grid(columns, rows, b.Width(), b.Height());
    if (grid.CellCount() == 0 || grid.CellWidth() < 1 || !(targetWidth > 0.0)) return 0;
    const double factor = targetWidth / grid.CellWidth();
    double largest = 0.0;
    for (int32_t index = 0; index < grid.CellCount(); ++index) {
        Rect cell = grid.CellRect(index);
        cell = Rect(cell.top + b.top, cell.left + b.left, cell.bottom + b.top, cell.right + b.left);
        Rect box;
        if (!SolidBox(tube, cell, box)) continue;
        const double width = std::max(0.0, (box.right - box.left) * factor - 2.0);
        const double height = std::max(0.0, (box.bottom - box.top) * factor - 2.0);
        largest = std::max(largest, 0.5 * std::sqrt(width * width + height * height));
    }
    return static_cast<int32_t>(std::min(std::floor(largest), 1e9));
}

bool SomePixelThatDeep(const Rect& box, double depth) {
    const double deepest = 0.5 * std::min(box.Width(), box.Height()) + 1.0;
    return depth <= deepest;
}

namespace {

// Whether the full-size selection takes in the whole document: hosts hand
// over a mask of 255s when nothing is selected.
bool SelectsEverything(const RenderContext& context) {
    if (context.shapeFromTransparency) return true;
    const bool given = !context.fullSizeDocumentBounds.IsEmpty();
    const SingleChannelImage<unsigned char>* mask = given ? context.fullSizeMask : context.maskView;
    const Rect document = given ? context.fullSizeDocumentBounds : context.documentBounds;
    if (FullSizeSelectionBox(context) != document) return false;
    if (mask == nullptr) return true;
    if (Rect::Intersect(mask->bounds, document) != document) return false;
    for (int32_t y = document.top; y < document.bottom; ++y) {
        const unsigned char* value = mask->PixelAddress(Point{document.left, y});
        for (int32_t x = document.left; x < document.right; ++x, value += mask->pixelStride)
            if (*value != 255) return false;
    }
    return true;
}

}  // namespace

ResultCode NothingFits(const RenderContext& context) {
    return ResultCode::Failure(SelectsEverything(context) ? kNothingFitsPicture : kNothingFitsSelection);
}
