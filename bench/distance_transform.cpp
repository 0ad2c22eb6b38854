// The distance transform and the precision bevel over a 4000 x 3000 selection
// of soft-edged blobs, as the stamp and edge effects run them on a full image.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "image/ContourIterator.h"
#include "image/DistanceTransform.h"
#include "image/PrecisionBevel.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// A metaball field of random discs, thresholded with a short ramp so the
// selection edge is anti-aliased and irregular.
struct BlobMask {
    std::vector<unsigned char> values;
    SingleChannelImage<unsigned char> image;

    BlobMask() : values(static_cast<size_t>(kWidth) * kHeight), image(Rect(0, 0, kHeight, kWidth), values.data(), 0) {
        std::vector<float> field(values.size(), 0.0f);
        std::mt19937 random(1234);
        for (int i = 0; i < 70; ++i) {
            const int cx = static_cast<int>(random() % kWidth), cy = static_cast<int>(random() % kHeight);
            const int radius = 60 + static_cast<int>(random() % 340);
            for (int y = std::max(0, cy - radius); y < std::min(kHeight, cy + radius); ++y) {
                for (int x = std::max(0, cx - radius); x < std::min(kWidth, cx + radius); ++x) {
                    const float q = static_cast<float>((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (radius * radius);
                    if (q < 1.0f) field[static_cast<size_t>(y) * kWidth + x] += (1.0f - q) * (1.0f - q);
                }
            }
        }
        for (size_t i = 0; i < values.size(); ++i) {
            values[i] = static_cast<unsigned char>(std::clamp(127.5f + (field[i] - 0.3f) * 1500.0f, 0.0f, 255.0f));
        }
    }
};

const BlobMask& Mask() {
    static const BlobMask mask;
    return mask;
}

// Where the hooks write, one byte per pixel; allocated once, outside the timing.
unsigned char* Output() {
    static std::vector<unsigned char> out(static_cast<size_t>(kWidth) * kHeight);
    return out.data();
}

size_t Index(Point p) { return static_cast<size_t>(p.y) * kWidth + static_cast<size_t>(p.x); }

struct NeverAbort : Abort_Tester {
    bool IsAborted() override { return false; }
};

// Hooks that do what an effect's hooks do at the least: one byte per pixel.
class ShadeTransform : public DistanceTransform {
protected:
    void ProcessPixel(Point p, ContourPoint, double distance) override {
        Output()[Index(p)] = static_cast<unsigned char>(128.0 + distance);
    }
    void ProcessFarInside(Point p) override { Output()[Index(p)] = 0; }
    void ProcessFarOutside(Point p) override { Output()[Index(p)] = 255; }
};

class ShadeBevel : public Precision_Bevel {
protected:
    void ProcessPixel(Point p, ContourPoint, double distance) override {
        Output()[Index(p)] = static_cast<unsigned char>(distance);
    }
    void ProcessFarInside(Point p) override { Output()[Index(p)] = 0; }
    void ProcessFarOutside(Point p) override { Output()[Index(p)] = 255; }
};

void BM_DistanceTransform(benchmark::State& state) {
    const BlobMask& mask = Mask();
    const double maxDistance = static_cast<double>(state.range(0));
    Output();
    NeverAbort noAbort;
    for (auto _ : state) {
        ShadeTransform transform;
        if (transform.Init(mask.image, maxDistance, mask.image.bounds, 0, 0).IsFailure() ||
            transform.Run(noAbort, nullptr, 0, 1).IsFailure()) {
            state.SkipWithError("run failed");
            break;
        }
        benchmark::DoNotOptimize(Output());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_DistanceTransform)->Arg(40)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_PrecisionBevel(benchmark::State& state) {
    const BlobMask& mask = Mask();
    const double maxDistance = static_cast<double>(state.range(0));
    const bool inside = state.range(1) != 0;
    Output();
    NeverAbort noAbort;
    for (auto _ : state) {
        ShadeBevel bevel;
        if (bevel.Init(mask.image, maxDistance, mask.image.bounds, inside, 0, 0).IsFailure() ||
            bevel.Run(noAbort, nullptr, 0, 1).IsFailure()) {
            state.SkipWithError("run failed");
            break;
        }
        benchmark::DoNotOptimize(Output());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_PrecisionBevel)
    ->ArgNames({"max", "inside"})
    ->Args({40, 1})
    ->Args({40, 0})
    ->Args({200, 1})
    ->Args({200, 0})
    ->Unit(benchmark::kMillisecond);

// The contour search alone: the part of seeding that walks every cell.
void BM_ContourCells(benchmark::State& state) {
    const BlobMask& mask = Mask();
    int64_t cells = 0;
    for (auto _ : state) {
        ContourIterator it(mask.image);
        for (it.BeginAll(nullptr, 0, 1); it.IsValid(); it.Next()) ++cells;
        benchmark::DoNotOptimize(cells);
    }
    state.counters["straddling"] = static_cast<double>(cells) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ContourCells)->Unit(benchmark::kMillisecond);

}  // namespace
