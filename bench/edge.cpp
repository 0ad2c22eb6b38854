// The Edges effect on a 6000 x 4000 RGB image with everything selected, each
// treatment at full size and as a preview at reduction 4.
#include "filters/edge/Edge.h"
#include "bench/EffectBench.h"

namespace {

using namespace effect_bench;

ParameterBlock DefaultsFor(int32_t type) {
    ParameterBlock block = Defaults<Edge>();
    block.As<EdgeParameters>().edgeType = type;
    return block;
}

void BM_EdgeFullSize(benchmark::State& state) {
    RenderFullSize(state, Make<Edge>, DefaultsFor(static_cast<int32_t>(state.range(0))));
}

void BM_EdgePreview4(benchmark::State& state) {
    RenderPreview(state, Make<Edge>, DefaultsFor(static_cast<int32_t>(state.range(0))), 4.0);
}

// Edge types: 0 distress, 1 fBm distress, 2 halftone dots, 3 halftone lines,
// 4 pixelizer, 5 torn paper.
BENCHMARK(BM_EdgeFullSize)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EdgePreview4)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
