#include "filters/stamp/StampCentres.h"

#include <algorithm>
#include <cmath>

Rect CentreSearchRect(const Rect& working, const Rect& maskBounds, double maximumDistance) {
    const double reach = std::ceil(std::clamp(maximumDistance, 0.0, 1e8)) + 2.0;
    const int32_t margin = static_cast<int32_t>(std::min(reach, 1e8));
    Rect near = maskBounds;
    near.Inflate(margin, margin);
    return Rect::Intersect(working, near);
}

ResultCode RunCentreSearch(DistanceTransform& transform, const CentreSearch& search, double outside, double limit,
                           double parameter1, double parameter2, StampCentres& centres) {
    centres.pixels.Clear();
    centres.visited = 0;
    centres.outOfMemory = false;
    const Rect working = search.image.Grown(static_cast<int32_t>(std::clamp(outside, 0.0, 1e8)));
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
