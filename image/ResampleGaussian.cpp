// Gaussian reduction along one axis: each destination sample is the
// Gaussian-weighted mean of the source samples within half a step of its
// centre in the source; with alpha, colours weighted by alpha as well.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "image/ResamplePasses.h"
#include "image/VectorClones.h"

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

// Destination samples summed together, their sums held in registers across
// all taps rather than in memory.
constexpr std::size_t kLanes = 16;
// Copies of each weight, enough to fill the widest vector.
constexpr std::size_t kWeightRepeats = 8;

// Samples [0, count) of one destination row: the weighted sum of the source
// rows under `weights`, starting at `rows[0]`, added in tap order. Each
// weight is repeated to fill a vector: the loop loads a whole vector of it,
// where making one from a single value costs the baseline a trip through
// memory on every tap.
template <typename Vector>
[[gnu::always_inline]] inline void SumRowsLanes(const unsigned char* const* rows, const double* weights,
                                                std::size_t taps, std::size_t at, double total, unsigned char* out) {
    constexpr std::size_t kVectorLanes = sizeof(Vector) / sizeof(double);
    constexpr std::size_t kVectors = kLanes / kVectorLanes;
    Vector sums[kVectors] = {};
    for (std::size_t t = 0; t < taps; ++t) {
        Vector weight;
        vectors::Load(weight, weights + t * kWeightRepeats);
        Vector samples[kVectors];
        vectors::Load(samples, rows[t] + at);
        for (std::size_t v = 0; v < kVectors; ++v) sums[v] += weight * samples[v];
    }
    // Means of bytes lie in 0..255, so no rounded one reaches 256: no
    // clamping.
    Vector rounded[kVectors];
    for (std::size_t v = 0; v < kVectors; ++v) rounded[v] = sums[v] / total + 0.5;  // RoundToByte's rounding
    vectors::StoreBytes(rounded, out + at);
}

// The same for one sample.
[[gnu::always_inline]] inline void SumRowsOne(const unsigned char* const* rows, const double* weights, std::size_t taps,
                                              std::size_t at, double total, unsigned char* out) {
    double sum = 0.0;
    for (std::size_t t = 0; t < taps; ++t) sum += weights[t * kWeightRepeats] * rows[t][at];
    out[at] = RoundToByte(sum / total);
}

template <typename Vector>
[[gnu::always_inline]] inline void SumRows(const unsigned char* const* rows, const double* weights, std::size_t taps,
                                           std::size_t samples, double total, unsigned char* out) {
    const std::size_t whole = samples - samples % kLanes;
    for (std::size_t i = 0; i < whole; i += kLanes) SumRowsLanes<Vector>(rows, weights, taps, i, total, out);
    for (std::size_t i = whole; i < samples; ++i) SumRowsOne(rows, weights, taps, i, total, out);
}

DAPPLE_VECTOR_CLONES void SumRowsNarrow(const unsigned char* const* rows, const double* weights, std::size_t taps,
                                        std::size_t samples, double total, unsigned char* out) {
    SumRows<vectors::Double4>(rows, weights, taps, samples, total, out);
}
// Flattened, so that the AVX-512 loads are inlined here.
DAPPLE_AVX512_ONLY [[gnu::flatten]] void SumRowsWide(const unsigned char* const* rows, const double* weights,
                                                     std::size_t taps, std::size_t samples, double total,
                                                     unsigned char* out) {
    SumRows<vectors::Double8>(rows, weights, taps, samples, total, out);
}
void SumRowsPacked(const unsigned char* const* rows, const double* weights, std::size_t taps, std::size_t samples,
                   double total, unsigned char* out) {
    if (vectors::HasAvx512()) {
        SumRowsWide(rows, weights, taps, samples, total, out);
    } else {
        SumRowsNarrow(rows, weights, taps, samples, total, out);
    }
}

ResultCode ReduceVertically(const Image<unsigned char>& source, Image<unsigned char>& destination,
                            const ReductionTaps& taps, const RowProgress& progress) {
    const int32_t channels = source.layout.channelCount;
    const std::size_t samples = static_cast<std::size_t>(destination.Width()) * static_cast<std::size_t>(channels);
    const bool packed = source.pixelStride == channels && destination.pixelStride == channels;
    return progress.Rows([&](int32_t first, int32_t last) {
        std::vector<double> sums(samples);
        std::vector<const unsigned char*> rows;
        std::vector<double> repeatedWeights;
        for (int32_t y = first; y < last; ++y) {
            const std::size_t begin = taps.weightStart[static_cast<std::size_t>(y)];
            const std::size_t end = taps.weightStart[static_cast<std::size_t>(y) + 1];
            rows.clear();
            for (std::size_t t = begin; t < end; ++t) {
                const int32_t sourceRow = taps.first[static_cast<std::size_t>(y)] + static_cast<int32_t>(t - begin);
                rows.push_back(source.data + static_cast<std::ptrdiff_t>(sourceRow) * source.rowStride);
            }
            const double total = taps.weightSum[static_cast<std::size_t>(y)];
            unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y) * destination.rowStride;
            if (packed) {
                repeatedWeights.clear();
                for (std::size_t t = begin; t < end; ++t) {
                    repeatedWeights.insert(repeatedWeights.end(), kWeightRepeats, taps.weights[t]);
                }
                SumRowsPacked(rows.data(), repeatedWeights.data(), end - begin, samples, total, out);
                continue;
            }
            std::fill(sums.begin(), sums.end(), 0.0);
            for (std::size_t t = begin; t < end; ++t) {
                const unsigned char* row = rows[t - begin];
                const double weight = taps.weights[t];
                for (std::size_t i = 0; i < samples; ++i) {
                    sums[i] += weight * row[(i / channels) * source.pixelStride + i % channels];
                }
            }
            for (std::size_t i = 0; i < samples; ++i) {
                out[(i / channels) * destination.pixelStride + i % channels] = RoundToByte(sums[i] / total);
            }
        }
    });
}

// One destination row, summing each pixel's channels in `sums`. kChannels
// fixes the channel count for the compiler; 0 takes it from `runtimeChannels`.
template <int32_t kChannels>
void ReduceRowHorizontally(const unsigned char* row, std::ptrdiff_t inStride, unsigned char* out,
                           std::ptrdiff_t outStride, int32_t width, int32_t runtimeChannels, const ReductionTaps& taps,
                           double* scratch) {
    const int32_t channels = kChannels > 0 ? kChannels : runtimeChannels;
    double local[kChannels > 0 ? kChannels : 1];
    double* sums = kChannels > 0 ? local : scratch;
    for (int32_t x = 0; x < width; ++x) {
        const std::size_t k = static_cast<std::size_t>(x);
        for (int32_t c = 0; c < channels; ++c) sums[c] = 0.0;
        const unsigned char* in = row + static_cast<std::ptrdiff_t>(taps.first[k]) * inStride;
        for (std::size_t t = taps.weightStart[k]; t < taps.weightStart[k + 1]; ++t) {
            const double weight = taps.weights[t];
            for (int32_t c = 0; c < channels; ++c) sums[c] += weight * in[c];
            in += inStride;
        }
        const double total = taps.weightSum[k];
        for (int32_t c = 0; c < channels; ++c) out[c] = RoundToByte(sums[c] / total);
        out += outStride;
    }
}

// One destination pixel of an image whose last channel is alpha, from the
// source pixels `stride` bytes apart from `first`, one per weight. Each
// pixel's colour counts in proportion to its alpha, so that the transparent
// pixels around a picture (black, often) lend it no dark fringe; the alpha
// is the plain weighted mean. Where every pixel is transparent the colour is
// the plain mean.
void ReduceAlphaPixel(const unsigned char* first, std::ptrdiff_t stride, const double* weights, std::size_t taps,
                      double total, int32_t channels, unsigned char* out) {
    constexpr int32_t kMostColours = 8;
    const int32_t colours = std::min(channels - 1, kMostColours);
    double weighted[kMostColours] = {};
    double plain[kMostColours] = {};
    double alphaSum = 0.0;
    const unsigned char* in = first;
    for (std::size_t t = 0; t < taps; ++t, in += stride) {
        const double weight = weights[t];
        const double alphaWeight = weight * in[channels - 1];
        alphaSum += alphaWeight;
        for (int32_t c = 0; c < colours; ++c) {
            weighted[c] += alphaWeight * in[c];
            plain[c] += weight * in[c];
        }
    }
    for (int32_t c = 0; c < colours; ++c)
        out[c] = alphaSum > 0.0 ? RoundToByte(weighted[c] / alphaSum) : RoundToByte(plain[c] / total);
    out[channels - 1] = RoundToByte(alphaSum / total);
}

// ReduceAlphaPixel along the rows (`vertical`) or the columns of the source.
ResultCode ReduceWithAlpha(const Image<unsigned char>& source, Image<unsigned char>& destination,
                           const ReductionTaps& taps, bool vertical, const RowProgress& progress) {
    const int32_t channels = source.layout.channelCount;
    const std::ptrdiff_t along = vertical ? source.rowStride : source.pixelStride;
    const std::ptrdiff_t across = vertical ? source.pixelStride : source.rowStride;
    return progress.Rows([&](int32_t first, int32_t last) {
        for (int32_t y = first; y < last; ++y) {
            unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y) * destination.rowStride;
            for (int32_t x = 0; x < destination.Width(); ++x, out += destination.pixelStride) {
                const std::size_t k = static_cast<std::size_t>(vertical ? y : x);
                const int32_t other = vertical ? x : y;
                const unsigned char* start = source.data + static_cast<std::ptrdiff_t>(taps.first[k]) * along +
                                             static_cast<std::ptrdiff_t>(other) * across;
                const std::size_t begin = taps.weightStart[k];
                ReduceAlphaPixel(start, along, taps.weights.data() + begin, taps.weightStart[k + 1] - begin,
                                 taps.weightSum[k], channels, out);
            }
        }
    });
}

ResultCode ReduceHorizontally(const Image<unsigned char>& source, Image<unsigned char>& destination,
                              const ReductionTaps& taps, const RowProgress& progress) {
    const int32_t channels = source.layout.channelCount;
    auto reduceRow = ReduceRowHorizontally<0>;
    switch (channels) {
        case 1: reduceRow = ReduceRowHorizontally<1>; break;
        case 3: reduceRow = ReduceRowHorizontally<3>; break;
        case 4: reduceRow = ReduceRowHorizontally<4>; break;
        default: break;
    }
    return progress.Rows([&](int32_t first, int32_t last) {
        std::vector<double> sums(static_cast<std::size_t>(channels));
        for (int32_t y = first; y < last; ++y) {
            reduceRow(source.data + static_cast<std::ptrdiff_t>(y) * source.rowStride, source.pixelStride,
                      destination.data + static_cast<std::ptrdiff_t>(y) * destination.rowStride,
                      destination.pixelStride, destination.Width(), channels, taps, sums.data());
        }
    });
}

}  // namespace

ResultCode ReduceAlongAxis(const Image<unsigned char>& source, Image<unsigned char>& destination, Axis axis,
                           const RowProgress& progress) {
    const bool horizontal = axis == Axis::Horizontal;
    if (source.layout.hasAlpha && source.layout.channelCount >= 2) {
        const ReductionTaps taps = horizontal ? GaussianTaps(source.Width(), destination.Width())
                                              : GaussianTaps(source.Height(), destination.Height());
        return ReduceWithAlpha(source, destination, taps, !horizontal, progress);
    }
    if (horizontal) {
        return ReduceHorizontally(source, destination, GaussianTaps(source.Width(), destination.Width()), progress);
    }
    return ReduceVertically(source, destination, GaussianTaps(source.Height(), destination.Height()), progress);
}

}  // namespace resample_detail
