#include "filters/stamp/StampCentres.h"

#include <algorithm>
#include <cmath>

Rect GrownBy(const Rect& rect, int32_t by) {
    Rect grown = rect;
    grown.Inflate(by, by);
    return grown;
}

Rect CentreSearchRect(const Rect& working, const Rect& maskBounds, double maximumDistance) {
    const double reach = std::ceil(std::clamp(maximumDistance, 0.0, 1e8)) + 2.0;
    const int32_t margin = static_cast<int32_t>(std::min(reach, 1e8));
    Rect near = maskBounds;
    near.left = static_cast<int32_t>(std::max<int64_t>(int64_t{near.left} - margin, INT32_MIN / 2));
    near.top = static_cast<int32_t>(std::max<int64_t>(int64_t{near.top} - margin, INT32_MIN / 2));
    near.right = static_cast<int32_t>(std::min<int64_t>(int64_t{near.right} + margin, INT32_MAX / 2));
    near.bottom = static_cast<int32_t>(std::min<int64_t>(int64_t{near.bottom} + margin, INT32_MAX / 2));
    return Rect::Intersect(working, near);
}

ResultCode RunCentreSearch(DistanceTransform& transform, const CentreSearch& search, double outside, double limit,
                           double parameter1, double parameter2, StampCentres& centres) {
    centres.pixels.Clear();
    centres.visited = 0;
    centres.outOfMemory = false;
    const Rect working = GrownBy(search.image, static_cast<int32_t>(std::clamp(outside, 0.0, 1e8)));
    NeverAborts never;
    ResultCode result = transform.Init(*search.mask, limit, CentreSearchRect(working, search.mask->bounds, limit),
                                       parameter1, parameter2);
    if (result.IsSuccess())
        result = transform.Run(search.abort != nullptr ? *search.abort : never, search.progress, search.progressFrom,
                               search.progressTo);
    if (result.IsSuccess() && centres.outOfMemory) result = ResultCode::OutOfMemory();
    if (result.IsFailure()) centres.pixels.Clear();
    return result;
}
