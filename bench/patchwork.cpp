// The Patchwork effect at its defaults (6-pixel tiles from the default tile
// library) on a 6000 x 4000 RGB image with everything selected, at full
// size and as a preview at reduction 4.
#include "bench/EffectBench.h"

namespace {

using namespace effect_bench;

BenchEffect Patchwork() { return AtDefaultsWithPack(FilterKinds::Patchwork); }

void BM_PatchworkFullSize(benchmark::State& state) { RenderFullSize(state, Selection::Everything, Patchwork); }
void BM_PatchworkPreview4(benchmark::State& state) { RenderPreview(state, Selection::Everything, Patchwork, 4.0); }

BENCHMARK(BM_PatchworkFullSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PatchworkPreview4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
