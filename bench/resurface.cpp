// The Resurface effect at its defaults (the canvas texture 350 pixels wide)
// on a 6000 x 4000 RGB image with everything selected, at full size and as a
// preview at reduction 4.
#include "bench/EffectBench.h"

namespace {

using namespace effect_bench;

BenchEffect Resurface() { return AtDefaultsWithPack(FilterKinds::Resurface); }

void BM_ResurfaceFullSize(benchmark::State& state) { RenderFullSize(state, Selection::Everything, Resurface); }
void BM_ResurfacePreview4(benchmark::State& state) { RenderPreview(state, Selection::Everything, Resurface, 4.0); }

BENCHMARK(BM_ResurfaceFullSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResurfacePreview4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
