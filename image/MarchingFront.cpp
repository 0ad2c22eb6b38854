#include "image/MarchingFront.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t MarchReach(double maximumDistance, const Rect& maskBounds, const Rect& output) {
    if (!(maximumDistance > 0.0)) return 0;  // also NaN
    // No contour point lies farther from an output pixel than the span of the
    // mask and the output together, so a longer reach would only cost memory.
    const Rect span = Rect::Union(maskBounds, output);
    const int64_t longest = static_cast<int64_t>(span.Width()) + static_cast<int64_t>(span.Height()) + 2;
    const double reach = std::ceil(maximumDistance);
    if (reach >= static_cast<double>(longest)) return ClampToInt32(longest);
    return static_cast<int32_t>(reach);
}

Rect MarchMaskCopyRect(const Rect& maskBounds, const Rect& output, int32_t reach) {
    const Rect reached = Rect::Intersect(output.Grown(reach), maskBounds);
    return reached.IsEmpty() ? Rect() : reached.Grown(1);
}
