#include "filters/edge/EdgeParameters.h"

namespace edge {

EdgeParameters DefaultParameters() {
    EdgeParameters p{};
    p.kind = FilterKinds::Edge;
    p.border.Set(0.0, kLengthPixels);
    p.width.Set(40.0, kLengthPixels);
    p.scale = 40.0;
    p.direction = 45.0;
    p.edgeType = kEdgeHalftoneDots;
    p.colour = ColorSpec::RGB(255, 255, 255);
    p.transparent = 0;
    p.randomSeed = 1;
    return p;
}

}  // namespace edge
