// Border Stamp, Fill Stamp and Frame at their defaults, with the default
// content pack, on a 6000 x 4000 photograph-like RGB picture with a soft
// elliptical selection: at full size and as a preview at reduction 4.
#include "bench/EffectBench.h"

namespace {

using namespace effect_bench;

EffectSetup Stamp(int64_t kind) {
    return [kind] { return AtDefaultsWithPack(static_cast<FilterKind>(kind)); };
}

void BM_StampsFullSize(benchmark::State& state) {
    RenderFullSize(state, Selection::SoftEllipse, Stamp(state.range(0)));
}

// A new seed, so that the stamps are placed anew while the search of the
// full-size selection is kept.
void NextSeed(ParameterBlock& block) {
    if (block.kind == FilterKinds::BorderStamp) ++block.As<BorderStampParameters>().randomSeed;
    if (block.kind == FilterKinds::FillStamp) ++block.As<FillStampParameters>().randomSeed;
}

// Second argument 0: a fresh effect and renderer for each preview, as for the
// dialog's first. 1: the dialog's later previews, each with a new seed.
void BM_StampsPreview4(benchmark::State& state) {
    const bool kept = state.range(1) != 0;
    RenderPreview(state, Selection::SoftEllipse, Stamp(state.range(0)), 4.0, kept ? NextSeed : nullptr);
}

// Kinds: 0 Border Stamp, 2 Fill Stamp, 3 Frame.
BENCHMARK(BM_StampsFullSize)->Arg(0)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StampsPreview4)
    ->ArgNames({"kind", "kept"})
    ->Args({0, 0})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({0, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
