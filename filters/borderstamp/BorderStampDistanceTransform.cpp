#include "filters/borderstamp/BorderStampDistanceTransform.h"

#include <algorithm>
#include <cmath>

void BorderStampDistanceTransform::ProcessPixel(Point pixel, ContourPoint, double signedDistance) {
    ++centres_.visited;
    const double inward = -signedDistance;
    if (inward >= offset_ + radius_ && inward <= offset_ + reach_ - radius_) centres_.Keep(pixel);
}

ResultCode FindBorderBand(const BorderBandSearch& search, StampCentres& centres) {
    const double offset = search.offset;
    const double radius = search.radius;
    const double reach = std::max(search.width, 2.1 * radius);
    const double limit = std::max(offset - radius + reach, -(radius + offset));
    BorderStampDistanceTransform transform(offset, search.radius, reach, centres);
    return RunCentreSearch(transform, search, -std::ceil(offset), limit, 1.0, 0.0, centres);
}
