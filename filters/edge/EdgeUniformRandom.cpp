// The fallback for an edge type no treatment knows: every element of E a
// uniform random amount, drawn in row order from the effect's generator.
#include "filters/edge/EdgeTreatments.h"
#include "image/Iterators.h"

namespace edge {

void FillUniformRandom(SingleChannelImage<double> &amount, RandomGenerator &generator, ProgressUpdateSink *progress,
                       double progressStart, double progressEnd) {
    LeftToRightTopToBottomIterator<SingleChannelImage<double>> it(amount);
    for (it.BeginAll(progress, progressStart, progressEnd); it.IsValid(); it.Next()) *it.Pixel() = generator.NextUnit();
}

} // namespace edge
