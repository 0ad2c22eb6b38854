// The Edges effect on a 6000 x 4000 RGB image with everything selected, each
// treatment at full size and as a preview at reduction 4.
#include "bench/EffectBench.h"
#include "filters/edge/EdgeParameters.h"

namespace {

using namespace effect_bench;

EffectSetup EdgeOfType(int64_t type) {
    return [type] {
        BenchEffect effect = AtDefaults(FilterKinds::Edge);
        effect.block.As<EdgeParameters>().edgeType = static_cast<int32_t>(type);
        return effect;
    };
}

void BM_EdgeFullSize(benchmark::State& state) {
    RenderFullSize(state, Selection::Everything, EdgeOfType(state.range(0)));
}

void BM_EdgePreview4(benchmark::State& state) {
    RenderPreview(state, Selection::Everything, EdgeOfType(state.range(0)), 4.0);
}

// Edge types: 0 distress, 1 fBm distress, 2 halftone dots, 3 halftone lines,
// 4 pixelizer, 5 torn paper.
BENCHMARK(BM_EdgeFullSize)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EdgePreview4)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
