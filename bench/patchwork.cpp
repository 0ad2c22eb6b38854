// The Patchwork effect at its defaults (6-pixel tiles from the default tile
// library) on a 6000 x 4000 RGB image with everything selected, at full
// size and as a preview at reduction 4.
#include "filters/patchwork/Patchwork.h"
#include "bench/EffectBench.h"

namespace {

using namespace effect_bench;

void BM_PatchworkFullSize(benchmark::State& state) { RenderFullSize(state, Make<Patchwork>, Defaults<Patchwork>()); }
void BM_PatchworkPreview4(benchmark::State& state) {
    RenderPreview(state, Make<Patchwork>, Defaults<Patchwork>(), 4.0);
}

BENCHMARK(BM_PatchworkFullSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PatchworkPreview4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
