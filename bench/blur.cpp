// Cost of the Gaussian blur on a 2000 x 2000 image: single-channel at radius
// 5 (direct), 20, 60 and 150 (frequency domain: summed directly up to 60,
// transformed at 150; the exact direct method forced for comparison), and
// RGBA at radius 10 (direct several-channel method).
// bench/compare-peers.sh times ImageMagick on the same work.
#include <cstdint>
#include <cstring>

#include <benchmark/benchmark.h>

#include "image/Blur.h"
#include "image/Image.h"

namespace {

constexpr int32_t kSide = 2000;

// Discs and stripes: the kind of mask a drop shadow starts from.
void Paint(Image<unsigned char>& image) {
    const int32_t channels = image.layout.channelCount;
    for (int32_t y = 0; y < kSide; ++y) {
        unsigned char* pixel = image.data + static_cast<std::ptrdiff_t>(y) * image.rowStride;
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t dx = x % 250 - 125, dy = y % 250 - 125;
            const bool disc = dx * dx + dy * dy < 90 * 90;
            for (int32_t c = 0; c < channels; ++c) {
                *pixel++ = static_cast<unsigned char>(disc ? 255 - 40 * c : ((x + y * c) / 7) % 2 * 60);
            }
        }
    }
}

void BlurImage(benchmark::State& state, const ChannelLayout& layout, bool directForSingleChannel) {
    const double radius = static_cast<double>(state.range(0));
    ResultCode result;
    Image<unsigned char> original(layout, Rect(0, 0, kSide, kSide), result);
    Image<unsigned char> image(layout, Rect(0, 0, kSide, kSide), result);
    if (result.IsFailure()) {
        state.SkipWithError("out of memory");
        return;
    }
    Paint(original);
    const std::size_t bytes = static_cast<std::size_t>(kSide) * kSide * static_cast<std::size_t>(layout.channelCount);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(image.data, original.data, bytes);  // each run starts from the sharp image
        state.ResumeTiming();
        const ResultCode status = Blur(image, radius, nullptr, directForSingleChannel, nullptr, 0.0, 1.0);
        if (status.IsFailure()) state.SkipWithError("blur failed");
        benchmark::DoNotOptimize(image.data);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kSide) * kSide);
}

void BM_BlurGrey(benchmark::State& state) { BlurImage(state, ChannelLayout::SingleChannel(), false); }
void BM_BlurGreyDirect(benchmark::State& state) { BlurImage(state, ChannelLayout::SingleChannel(), true); }
void BM_BlurRGBA(benchmark::State& state) { BlurImage(state, ChannelLayout(kColourModelRGB, 3, true), false); }

BENCHMARK(BM_BlurGrey)->Arg(5)->Arg(20)->Arg(60)->Arg(150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlurGreyDirect)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlurRGBA)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
