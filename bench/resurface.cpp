// The Resurface effect at its defaults (the canvas texture 350 pixels wide)
// on a 6000 x 4000 RGB image with everything selected, at full size and as a
// preview at reduction 4.
#include <memory>

#include "bench/EffectBench.h"
#include "filters/resurface/Resurface.h"

namespace {

using namespace effect_bench;

ParameterBlock Defaults() {
    ParameterBlock block{};
    Resurface().WriteDefaults(block);
    return block;
}

std::unique_ptr<Filter> MakeResurface() { return std::make_unique<Resurface>(); }

void BM_ResurfaceFullSize(benchmark::State& state) { RenderFullSize(state, MakeResurface, Defaults()); }
void BM_ResurfacePreview4(benchmark::State& state) { RenderPreview(state, MakeResurface, Defaults(), 4.0); }

BENCHMARK(BM_ResurfaceFullSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResurfacePreview4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
