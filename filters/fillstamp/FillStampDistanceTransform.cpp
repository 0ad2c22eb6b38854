#include "filters/fillstamp/FillStampDistanceTransform.h"

#include <algorithm>
#include <cmath>

void FillStampDistanceTransform::ProcessPixel(Point pixel, ContourPoint, double signedDistance) {
    if (signedDistance >= -MaximumDistance() && signedDistance <= -(radius_ + offset_)) Keep(pixel);
}

ResultCode FindFillCentres(const FillCentreSearch& search, StampCentres& centres) {
    const double offset = search.offset;
    const double limit = std::max(search.radius + offset, -offset);
    FillStampDistanceTransform transform(search.radius, offset, centres);
    return RunCentreSearch(transform, search, -std::ceil(offset), limit, 0.0, 0.0, centres);
}
