#include "image/Blur.h"

#include <cmath>
#include <new>
#include <vector>

#include "image/BlurLines.h"
#include "image/GaussianKernel.h"
#include "image/VectorClones.h"

namespace {
// Up to these radii the direct sums beat the transform's fixed cost.
constexpr double kLargestDirectSingleChannelRadius = 16.0;
constexpr double kLargestDirectChannelsRadius = 30.0;
}  // namespace

namespace blur_detail {

DAPPLE_VECTOR_CLONES void BytesToFloats(const unsigned char* in, std::size_t count, float* out) {
    for (std::size_t i = 0; i < count; ++i) out[i] = in[i];
}

DAPPLE_VECTOR_CLONES void FloatsToBytes(const float* in, std::size_t count, unsigned char* out) {
    constexpr std::size_t kBlock = 16;
    const std::size_t whole = count - count % kBlock;
    for (std::size_t i = 0; i < whole; i += kBlock) {
        vectors::Float16 v;
        vectors::Load(v, in + i);
        vectors::StoreClampedBytes(v + 0.5f, out + i);  // rounding as ToByte does
    }
    for (std::size_t i = whole; i < count; ++i) out[i] = ToByte(in[i]);
}

SampleGrid::SampleGrid(Image<unsigned char>& image)
    : data(image.data),
      rowStride(image.rowStride),
      width(static_cast<std::size_t>(image.Width())),
      height(static_cast<std::size_t>(image.Height())),
      channels(static_cast<std::size_t>(image.layout.channelCount)) {
    offsets.resize(width * channels);
    packed = image.pixelStride == image.layout.channelCount;
    for (std::size_t x = 0; x < width; ++x) {
        for (std::size_t c = 0; c < channels; ++c) {
            offsets[x * channels + c] =
                static_cast<std::ptrdiff_t>(x) * image.pixelStride + static_cast<std::ptrdiff_t>(c);
        }
    }
}

}  // namespace blur_detail

BlurMethod ChooseBlurMethod(int32_t channelCount, double radius, bool directForSingleChannel) {
    if (!(radius > 0.0)) return BlurMethod::None;
    if (channelCount == 1) {
        const bool direct = radius <= kLargestDirectSingleChannelRadius || directForSingleChannel;
        return direct ? BlurMethod::DirectSingleChannel : BlurMethod::FrequencyDomain;
    }
    return radius <= kLargestDirectChannelsRadius ? BlurMethod::DirectChannels : BlurMethod::FrequencyDomain;
}

ResultCode Blur(Image<unsigned char>& image, double radius, Abort_Tester* abort, bool directForSingleChannel,
                ProgressUpdateSink* sink, double from, double to) {
    const BlurMethod method = ChooseBlurMethod(image.layout.channelCount, radius, directForSingleChannel);
    return BlurWithMethod(image, radius, method, abort, sink, from, to);
}

ResultCode BlurWithMethod(Image<unsigned char>& image, double radius, BlurMethod method, Abort_Tester* abort,
                          ProgressUpdateSink* sink, double from, double to) {
    if (method == BlurMethod::None || !(radius > 0.0)) return ResultCode::Success();
    if (!std::isfinite(radius)) return ResultCode::Failure();
    if (image.bounds.IsEmpty()) return ResultCode::Success();
    if (!image.HasData() || image.layout.channelCount < 1) return ResultCode::Failure();

    try {
        const std::vector<double> kernel = GaussianKernel(radius);
        const blur_detail::SampleGrid grid(image);
        const blur_detail::PassProgress progress(abort, sink, from, to);
        if (method == BlurMethod::FrequencyDomain) return blur_detail::BlurFrequencyDomain(grid, kernel, progress);
        // Both direct methods run the same passes; the row pass simply steps
        // over interleaved channels. Only the single-channel one needs the
        // exact sums.
        const blur_detail::DirectSums sums =
            method == BlurMethod::DirectSingleChannel ? blur_detail::DirectSums::Exact : blur_detail::DirectSums::Float;
        return blur_detail::BlurDirect(grid, kernel, sums, progress);
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
}
