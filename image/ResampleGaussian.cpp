// Gaussian reduction along one axis: each destination sample is the
// Gaussian-weighted mean of the source samples within half a step of its
// centre in the source.
#include <algorithm>
#include <cmath>
#include <vector>

#include "image/ResamplePasses.h"

namespace resample_detail {
namespace {

// The weights are tabulated at this many distance steps across half a step.
constexpr int32_t kTableSteps = 50;

// For every destination sample, the source samples it averages: a run
// starting at `first`, with one weight each (at `weightStart` in `weights`).
struct ReductionTaps {
    std::vector<int32_t> first;
    std::vector<std::size_t> weightStart;  // one more entry than samples
    std::vector<double> weights;
    std::vector<double> weightSum;
};

// With r source samples per destination step, destination sample k is
// centred at k * r in the source with a spread of r / 4. A destination one
// sample long has no step (r would divide by zero); it takes the whole line,
// centred on its middle.
ReductionTaps GaussianTaps(int32_t sourceLength, int32_t destinationLength) {
    const bool single = destinationLength == 1;
    const double step = single ? sourceLength - 1 : static_cast<double>(sourceLength - 1) / (destinationLength - 1);
    const double sigma = step / 4.0;
    const double tableStep = step / (2.0 * kTableSteps);
    std::vector<double> table(kTableSteps + 1);
    for (int32_t j = 1; j <= kTableSteps; ++j) {
        const double distance = j * tableStep;
        table[static_cast<std::size_t>(j)] = std::exp(-0.5 * distance * distance / (sigma * sigma));
    }

    ReductionTaps taps;
    taps.first.resize(static_cast<std::size_t>(destinationLength));
    taps.weightSum.resize(static_cast<std::size_t>(destinationLength));
    taps.weightStart.push_back(0);
    for (int32_t k = 0; k < destinationLength; ++k) {
        const double centre = single ? step / 2.0 : k * step;
        const int32_t low = std::max(0, static_cast<int32_t>(std::floor(centre - step / 2.0)));
        const int32_t high = std::min(sourceLength - 1, static_cast<int32_t>(std::ceil(centre + step / 2.0)));
        double sum = 0.0;
        int32_t first = -1;
        for (int32_t s = low; s <= high; ++s) {
            // The next tabulated distance at or beyond this sample's; the
            // small allowance keeps a sample exactly half a step away in.
            const double steps = std::ceil(std::fabs(s - centre) / tableStep - 1e-9);
            if (steps > kTableSteps) continue;
            const double weight = table[static_cast<std::size_t>(std::max(1.0, steps))];
            if (first < 0) first = s;
            taps.weights.push_back(weight);
            sum += weight;
        }
        taps.first[static_cast<std::size_t>(k)] = first;
        taps.weightSum[static_cast<std::size_t>(k)] = sum;
        taps.weightStart.push_back(taps.weights.size());
    }
    return taps;
}

inline unsigned char RoundToByte(double value) { return TruncateToByte(value + 0.5); }

ResultCode ReduceVertically(const Image<unsigned char>& source, Image<unsigned char>& destination,
                            const ReductionTaps& taps, const RowProgress& progress) {
    const int32_t channels = source.layout.channelCount;
    const std::size_t samples = static_cast<std::size_t>(destination.Width()) * static_cast<std::size_t>(channels);
    const bool packedIn = source.pixelStride == channels;
    const bool packedOut = destination.pixelStride == channels;
    return progress.Rows([&](int32_t first, int32_t last) {
        std::vector<double> sums(samples);
        for (int32_t y = first; y < last; ++y) {
            std::fill(sums.begin(), sums.end(), 0.0);
            const std::size_t begin = taps.weightStart[static_cast<std::size_t>(y)];
            const std::size_t end = taps.weightStart[static_cast<std::size_t>(y) + 1];
            for (std::size_t t = begin; t < end; ++t) {
                const int32_t sourceRow = taps.first[static_cast<std::size_t>(y)] + static_cast<int32_t>(t - begin);
                const unsigned char* row = source.data + static_cast<std::ptrdiff_t>(sourceRow) * source.rowStride;
                const double weight = taps.weights[t];
                if (packedIn) {
                    for (std::size_t i = 0; i < samples; ++i) sums[i] += weight * row[i];
                } else {
                    for (std::size_t i = 0; i < samples; ++i) {
                        sums[i] += weight * row[(i / channels) * source.pixelStride + i % channels];
                    }
                }
            }
            const double total = taps.weightSum[static_cast<std::size_t>(y)];
            unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y) * destination.rowStride;
            for (std::size_t i = 0; i < samples; ++i) {
                const std::size_t at = packedOut ? i : (i / channels) * destination.pixelStride + i % channels;
                out[at] = RoundToByte(sums[i] / total);
            }
        }
    });
}

ResultCode ReduceHorizontally(const Image<unsigned char>& source, Image<unsigned char>& destination,
                              const ReductionTaps& taps, const RowProgress& progress) {
    const int32_t channels = source.layout.channelCount;
    return progress.Rows([&](int32_t first, int32_t last) {
        std::vector<double> sums(static_cast<std::size_t>(channels));
        for (int32_t y = first; y < last; ++y) {
            const unsigned char* row = source.data + static_cast<std::ptrdiff_t>(y) * source.rowStride;
            unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y) * destination.rowStride;
            for (int32_t x = 0; x < destination.Width(); ++x) {
                const std::size_t k = static_cast<std::size_t>(x);
                std::fill(sums.begin(), sums.end(), 0.0);
                const unsigned char* in = row + static_cast<std::ptrdiff_t>(taps.first[k]) * source.pixelStride;
                for (std::size_t t = taps.weightStart[k]; t < taps.weightStart[k + 1]; ++t) {
                    const double weight = taps.weights[t];
                    for (int32_t c = 0; c < channels; ++c) sums[static_cast<std::size_t>(c)] += weight * in[c];
                    in += source.pixelStride;
                }
                for (int32_t c = 0; c < channels; ++c) {
                    out[c] = RoundToByte(sums[static_cast<std::size_t>(c)] / taps.weightSum[k]);
                }
                out += destination.pixelStride;
            }
        }
    });
}

}  // namespace

ResultCode ReduceAlongAxis(const Image<unsigned char>& source, Image<unsigned char>& destination, Axis axis,
                           const RowProgress& progress) {
    if (axis == Axis::Horizontal) {
        return ReduceHorizontally(source, destination, GaussianTaps(source.Width(), destination.Width()), progress);
    }
    return ReduceVertically(source, destination, GaussianTaps(source.Height(), destination.Height()), progress);
}

}  // namespace resample_detail
