#include "image/PrecisionBevel.h"

#include "image/MarchingFrontDefinitions.h"

ResultCode Precision_Bevel::Init(const SingleChannelImage<unsigned char>& mask, double maximumDistance,
                                 const Rect& output, bool measureInside, double parameter1, double parameter2) {
    measureInside_ = measureInside;
    parameter1_ = parameter1;
    parameter2_ = parameter2;
    const int32_t reach = MarchReach(maximumDistance, mask.bounds, output);
    const Rect reached = output.Grown(reach);
    MarchAreas areas;
    areas.output = output;
    areas.maskCopy = MarchMaskCopyRect(mask.bounds, output, reach);
    if (measureInside) {
        // Inside pixels exist only where the mask copy has data, so the work
        // area needs to reach no farther than the copy; the contour cells
        // reach one pixel beyond it so that an edge on the mask's border is found.
        areas.work = Rect::Union(output, Rect::Intersect(reached, areas.maskCopy));
        areas.contour = Rect::Intersect(areas.work.Grown(1), areas.maskCopy);
    } else {
        areas.work = Rect::Union(output, Rect::Intersect(reached, mask.bounds));
        areas.contour = Rect::Intersect(areas.work, areas.maskCopy);
    }
    const MarchSides sides = measureInside ? MarchSides::kInsideOnly : MarchSides::kOutsideOnly;
    return front_.Init(mask, maximumDistance, areas, sides);
}

ResultCode Precision_Bevel::Run(Abort_Tester& abort, ProgressUpdateSink* sink, double progressStart,
                                double progressEnd) {
    return front_.Run(
        abort, sink, progressStart, progressEnd,
        [this](const Marching_Pixel& record) {
            ProcessPixel(Point{record.x, record.y}, ContourPoint{record.contourX, record.contourY}, record.distance);
        },
        [this](int32_t y, int32_t left, int32_t right, bool inside) { ProcessFarRun(y, left, right, inside); });
}

void Precision_Bevel::ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside) {
    for (int32_t x = left; x < right; ++x) {
        if (inside) {
            ProcessFarInside(Point{x, y});
        } else {
            ProcessFarOutside(Point{x, y});
        }
    }
}
