// The fallback for an edge type no treatment knows: every element of E a
// uniform random amount, drawn in row order from the effect's generator.
#include "filters/edge/EdgeTreatments.h"

namespace edge {

void FillUniformRandom(TiledImage& amount, RandomGenerator& generator, ProgressUpdateSink* progress,
                       double progressStart, double progressEnd) {
    const Rect& bounds = amount.Bounds();
    for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
        for (int32_t x = bounds.left; x < bounds.right; ++x) amount.Set(x, y, generator.NextUnit());
        // Once per finished row, as a row-order walk reports.
        if (progress != nullptr) {
            const double done = static_cast<double>(y + 1 - bounds.top) / bounds.Height();
            progress->Update(progressStart + done * (progressEnd - progressStart));
        }
    }
}

}  // namespace edge
