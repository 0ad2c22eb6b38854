// Cost of resampling a camera-sized RGB picture: 4000 x 3000 down to
// 1000 x 750 (both axes shrink: two Gaussian passes) and back up
// (bilinear), as bench/compare-peers.sh times ImageMagick doing the same.
#include <cstdint>

#include <benchmark/benchmark.h>

#include "image/Image.h"
#include "image/Resample.h"

namespace {

const ChannelLayout kRGB(kColourModelRGB, 3, false);

// Smooth gradients with a fine pattern on top, so neither pass meets a
// constant image.
Image<unsigned char> MakePicture(int32_t width, int32_t height) {
    ResultCode result;
    Image<unsigned char> image(kRGB, Rect(0, 0, height, width), result);
    for (int32_t y = 0; y < height; ++y) {
        unsigned char* pixel = image.data + static_cast<std::ptrdiff_t>(y) * image.rowStride;
        for (int32_t x = 0; x < width; ++x, pixel += 3) {
            pixel[0] = static_cast<unsigned char>(x * 255 / width);
            pixel[1] = static_cast<unsigned char>(y * 255 / height);
            pixel[2] = static_cast<unsigned char>(((x ^ y) & 15) * 16);
        }
    }
    return image;
}

void Resize(benchmark::State& state, int32_t fromWidth, int32_t fromHeight, int32_t toWidth, int32_t toHeight) {
    const Image<unsigned char> source = MakePicture(fromWidth, fromHeight);
    ResultCode result;
    Image<unsigned char> destination(kRGB, Rect(0, 0, toHeight, toWidth), result);
    if (!source.HasData() || !destination.HasData()) {
        state.SkipWithError("out of memory");
        return;
    }
    for (auto _ : state) {
        const ResultCode status = Resample(source, destination, nullptr, nullptr, 0.0, 1.0);
        if (status.IsFailure()) state.SkipWithError("resample failed");
        benchmark::DoNotOptimize(destination.data);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(toWidth) * toHeight);
}

void BM_ResampleDown_4000x3000_to_1000x750(benchmark::State& state) { Resize(state, 4000, 3000, 1000, 750); }
void BM_ResampleUp_1000x750_to_4000x3000(benchmark::State& state) { Resize(state, 1000, 750, 4000, 3000); }

BENCHMARK(BM_ResampleDown_4000x3000_to_1000x750)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleUp_1000x750_to_4000x3000)->Unit(benchmark::kMillisecond);

}  // namespace
