// Cost of the procedural fields per million samples, the way the Edges effect
// reads them: one value per pixel over a 1000 x 1000 block, row by row, with
// the effect's settings (scale 2 x 40, amplitude 0.5, not tileable).
#include <cstdint>

#include <benchmark/benchmark.h>

#include "image/FBMField.h"
#include "image/Image.h"
#include "image/NoiseField.h"
#include "image/RandomGenerator.h"
#include "image/SymmetricTurbulenceField.h"
#include "image/VariableProbabilityField.h"

namespace {

constexpr int32_t kSide = 1000;  // kSide * kSide = one million samples per iteration

template <typename Sample>
void SampleBlock(benchmark::State& state, Sample sample) {
    for (auto _ : state) {
        double sum = 0.0;
        for (int32_t y = 0; y < kSide; ++y) {
            for (int32_t x = 0; x < kSide; ++x) sum += sample(x - kSide / 2, y - kSide / 2);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

// Through the virtual slot, as a bevel hook holding a base pointer does.
const NoiseField* Opaque(const NoiseField* field) {
    benchmark::DoNotOptimize(field);
    return field;
}

template <typename Field>
bool InitForEdges(Field& field, bool tileable, benchmark::State& state) {
    if (field.Init(80.0, 80.0, 0.5, 1, 1.0, tileable, 4000, 3000).IsSuccess()) return true;
    state.SkipWithError("field set-up failed");
    return false;
}

void BM_NoiseField_Virtual(benchmark::State& state) {
    NoiseField field;
    if (!InitForEdges(field, false, state)) return;
    const NoiseField* base = Opaque(&field);
    SampleBlock(state, [base](int32_t x, int32_t y) { return base->ValueAtPixel(x, y); });
}

void BM_NoiseField_Direct(benchmark::State& state) {
    NoiseField field;
    if (!InitForEdges(field, false, state)) return;
    SampleBlock(state, [&field](int32_t x, int32_t y) { return field.NoiseValue(x, y); });
}

void BM_FBMField_Virtual(benchmark::State& state) {
    FBMField field;
    if (!InitForEdges(field, false, state)) return;
    const NoiseField* base = Opaque(&field);
    SampleBlock(state, [base](int32_t x, int32_t y) { return base->ValueAtPixel(x, y); });
}

void BM_FBMField_Direct(benchmark::State& state) {
    FBMField field;
    if (!InitForEdges(field, false, state)) return;
    SampleBlock(state, [&field](int32_t x, int32_t y) { return field.FBMValue(x, y); });
}

void BM_FBMField_Tileable(benchmark::State& state) {
    FBMField field;
    if (!InitForEdges(field, true, state)) return;
    SampleBlock(state, [&field](int32_t x, int32_t y) { return field.FBMValue(x, y); });
}

void BM_SymmetricTurbulenceField_Virtual(benchmark::State& state) {
    SymmetricTurbulenceField field;
    if (!InitForEdges(field, false, state)) return;
    const NoiseField* base = Opaque(&field);
    SampleBlock(state, [base](int32_t x, int32_t y) { return base->ValueAtPixel(x, y); });
}

void BM_SymmetricTurbulenceField_Direct(benchmark::State& state) {
    SymmetricTurbulenceField field;
    if (!InitForEdges(field, false, state)) return;
    SampleBlock(state, [&field](int32_t x, int32_t y) { return field.SymmetricTurbulenceValue(x, y); });
}

void BM_VariableProbabilityField_IsSetAt(benchmark::State& state) {
    ResultCode result;
    SingleChannelImage<double> density(Rect(-kSide / 2, -kSide / 2, kSide / 2, kSide / 2), result);
    if (result.IsFailure()) {
        state.SkipWithError("density image allocation failed");
        return;
    }
    for (int32_t y = density.bounds.top; y < density.bounds.bottom; ++y) {
        for (int32_t x = density.bounds.left; x < density.bounds.right; ++x) {
            *density.PixelAddress(Point{x, y}) = static_cast<double>(x - density.bounds.left) / kSide;
        }
    }
    VariableProbabilityField field;
    if (field.Init(1, &density, 0.0).IsFailure()) {
        state.SkipWithError("field set-up failed");
        return;
    }
    SampleBlock(state, [&field](int32_t x, int32_t y) { return field.IsSetAt(x, y) ? 1.0 : 0.0; });
}

void BM_RandomGenerator_NextUnit(benchmark::State& state) {
    RandomGenerator generator(1);
    SampleBlock(state, [&generator](int32_t, int32_t) { return generator.NextUnit(); });
}

}  // namespace

BENCHMARK(BM_NoiseField_Virtual)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoiseField_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FBMField_Virtual)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FBMField_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FBMField_Tileable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SymmetricTurbulenceField_Virtual)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SymmetricTurbulenceField_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VariableProbabilityField_IsSetAt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomGenerator_NextUnit)->Unit(benchmark::kMillisecond);
