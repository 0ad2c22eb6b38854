// The Patchwork effect at its defaults (6-pixel tiles from the default tile
// library) on a 6000 x 4000 RGB image with everything selected, at full
// size and as a preview at reduction 4.
#include <memory>

#include "bench/EffectBench.h"
#include "filters/patchwork/Patchwork.h"

namespace {

using namespace effect_bench;

ParameterBlock Defaults() {
    ParameterBlock block{};
    Patchwork().WriteDefaults(block);
    return block;
}

std::unique_ptr<Filter> MakePatchwork() { return std::make_unique<Patchwork>(); }

void BM_PatchworkFullSize(benchmark::State& state) { RenderFullSize(state, MakePatchwork, Defaults()); }
void BM_PatchworkPreview4(benchmark::State& state) { RenderPreview(state, MakePatchwork, Defaults(), 4.0); }

BENCHMARK(BM_PatchworkFullSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PatchworkPreview4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
