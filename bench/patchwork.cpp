// The Patchwork effect at its defaults (6-pixel tiles from the default tile
// library) on a 6000 x 4000 RGB image with everything selected, at full
// size and as a preview at reduction 4.
#include "bench/EffectBench.h"
#include "filters/patchwork/PatchworkParameters.h"

namespace {

using namespace effect_bench;

BenchEffect PackDefaults() {
    BenchEffect effect = AtDefaults(FilterKinds::Patchwork);
    UsePackFile(effect.block.As<PatchworkParameters>().library, "Tiles/Mosaic.ptl");
    return effect;
}

void BM_PatchworkFullSize(benchmark::State& state) { RenderFullSize(state, Selection::Everything, PackDefaults); }
void BM_PatchworkPreview4(benchmark::State& state) { RenderPreview(state, Selection::Everything, PackDefaults, 4.0); }

BENCHMARK(BM_PatchworkFullSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PatchworkPreview4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
