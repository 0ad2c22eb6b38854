#include "image/DistanceTransform.h"

#include "image/MarchingFrontDefinitions.h"

ResultCode DistanceTransform::Init(const SingleChannelImage<unsigned char>& mask, double maximumDistance,
                                   const Rect& output, double parameter1, double parameter2) {
    parameter1_ = parameter1;
    parameter2_ = parameter2;
    const int32_t reach = MarchReach(maximumDistance, mask.bounds, output);
    MarchAreas areas;
    areas.output = output;
    areas.work = Rect::Union(output, Rect::Intersect(output.Grown(reach), mask.bounds));
    areas.maskCopy = MarchMaskCopyRect(mask.bounds, output, reach);
    areas.contour = Rect::Intersect(areas.work.Grown(1), areas.maskCopy);
    return front_.Init(mask, maximumDistance, areas, MarchSides::kBoth);
}

ResultCode DistanceTransform::Run(Abort_Tester& abort, ProgressUpdateSink* sink, double progressStart,
                                  double progressEnd) {
    return front_.Run(
        abort, sink, progressStart, progressEnd,
        [this](const Marching_Pixel& record) {
            const double distance = record.inside ? -record.distance : record.distance;
            ProcessPixel(Point{record.x, record.y}, ContourPoint{record.contourX, record.contourY}, distance);
        },
        [this](int32_t y, int32_t left, int32_t right, bool inside) { ProcessFarRun(y, left, right, inside); },
        WantsFarPixels());
}

void DistanceTransform::ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside) {
    for (int32_t x = left; x < right; ++x) {
        if (inside) {
            ProcessFarInside(Point{x, y});
        } else {
            ProcessFarOutside(Point{x, y});
        }
    }
}
