#include "filters/edge/EdgeBevels.h"

namespace edge {

ResultCode RunEdgeBevel(Precision_Bevel& bevel, const TreatmentRequest& request, double progressEnd) {
    const ResultCode ready =
        bevel.Init(*request.mask, request.border + request.width, request.amount->Bounds(), true, 0.0, 0.0);
    if (ready.IsFailure()) return ready;
    return bevel.Run(*request.abort, request.progress, request.progressStart, progressEnd);
}

}  // namespace edge
