#include "filters/frame/FrameLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// A whole number of pixels from a real one, kept far inside int32.
int32_t Pixels(double value) {
    if (!(value > -1e9)) return -1000000000;
    return static_cast<int32_t>(std::min(value, 1e9));
}

int32_t AtLeastTwo(double count) { return std::max(2, Pixels(count)); }

}  // namespace

ResultCode LayOutFrame(const FrameRequest& request, FrameLayout& layout) {
    layout = FrameLayout();
    const Rect& bounds = request.bounds;
    const int32_t e = Pixels(0.5 + request.edgeOffset);
    const int32_t width = static_cast<int32_t>(std::max<int64_t>(4, int64_t{bounds.Width()} - e));
    const int32_t height = static_cast<int32_t>(std::max<int64_t>(4, int64_t{bounds.Height()} - e));
    const int32_t left = bounds.left + (bounds.Width() - width) / 2;
    const int32_t top = bounds.top + (bounds.Height() - height) / 2;
    layout.frame = Rect(top, left, top + height, left + width);

    const double aspect = request.aspect > 0.0 && std::isfinite(request.aspect) ? request.aspect : 1.0;
    const int32_t b = std::clamp(Pixels(std::ceil(request.frameWidth)), 1, width / 2);
    const int32_t hb = std::max(1, std::min(height / 2, Pixels(std::ceil(b / aspect))));
    const double fx = static_cast<double>(width) / b;
    const double fy = static_cast<double>(height) / hb;

    const int32_t candidates[4][2] = {{AtLeastTwo(std::floor(fx)), AtLeastTwo(std::floor(fy))},
                                      {AtLeastTwo(std::floor(fx)), AtLeastTwo(std::ceil(fy))},
                                      {AtLeastTwo(std::ceil(fx)), AtLeastTwo(std::floor(fy))},
                                      {AtLeastTwo(std::ceil(fx)), AtLeastTwo(std::ceil(fy))}};
    double bestCost = 0.0;
    for (int i = 0; i < 4; ++i) {
        if (request.abort != nullptr && request.abort->IsAborted()) return ResultCode::Cancelled();
        const int32_t nx = candidates[i][0];
        const int32_t ny = candidates[i][1];
        const int32_t pw = Pixels(std::ceil(static_cast<double>(width) / nx));
        const int32_t ph = Pixels(std::ceil(static_cast<double>(height) / ny));
        const double cost = 0.5 * std::abs(pw - b) / b + 0.5 * std::abs(static_cast<double>(pw) / ph - aspect) / aspect;
        if (i == 0 || cost < bestCost) {
            bestCost = cost;
            layout.columns = nx;
            layout.rows = ny;
            layout.pieceWidth = pw;
            layout.pieceHeight = ph;
        }
    }
    layout.pieceWidth = std::max(2, layout.pieceWidth);
    layout.pieceHeight = std::max(2, layout.pieceHeight);
    layout.origin = Point{left + (width - layout.columns * layout.pieceWidth) / 2,
                          top + (height - layout.rows * layout.pieceHeight) / 2};
    return ResultCode::Success();
}

std::vector<PiecePlacement> ClockwisePlacements(const FrameLayout& layout) {
    std::vector<PiecePlacement> placements;
    const int32_t nx = layout.columns;
    const int32_t ny = layout.rows;
    if (nx < 2 || ny < 2) return placements;
    const int32_t pw = layout.pieceWidth;
    const int32_t ph = layout.pieceHeight;
    const int32_t left = layout.origin.x;
    const int32_t top = layout.origin.y;
    const int32_t right = left + (nx - 1) * pw;
    const int32_t bottom = top + (ny - 1) * ph;
    placements.reserve(static_cast<std::size_t>(2 * (nx + ny) - 4));
    placements.push_back({kTopLeftCorner, {left, top}});
    for (int32_t i = 1; i < nx - 1; ++i) placements.push_back({kTopSide, {left + i * pw, top}});
    placements.push_back({kTopRightCorner, {right, top}});
    for (int32_t j = 1; j < ny - 1; ++j) placements.push_back({kRightSide, {right, top + j * ph}});
    placements.push_back({kBottomRightCorner, {right, bottom}});
    for (int32_t i = nx - 2; i >= 1; --i) placements.push_back({kBottomSide, {left + i * pw, bottom}});
    placements.push_back({kBottomLeftCorner, {left, bottom}});
    for (int32_t j = ny - 2; j >= 1; --j) placements.push_back({kLeftSide, {left, top + j * ph}});
    return placements;
}
