#include "filters/edge/EdgeBevels.h"

#include <cmath>

namespace edge {

ResultCode RunEdgeBevel(Precision_Bevel& bevel, const TreatmentRequest& request, double progressEnd, double reach) {
    Rect measured = request.amount->Bounds();
    // A reach beyond any image measures everything.
    if (reach >= 0.0 && reach < 1e6) {
        Rect around = request.area;
        const int32_t margin = static_cast<int32_t>(std::ceil(reach)) + 1;
        around.Inflate(margin, margin);
        measured = Rect::Intersect(measured, around);
    }
    const ResultCode ready = bevel.Init(*request.mask, request.border + request.width, measured, true, 0.0, 0.0);
    if (ready.IsFailure()) return ready;
    return bevel.Run(*request.abort, request.progress, request.progressStart, progressEnd);
}

}  // namespace edge
