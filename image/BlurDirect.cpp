// The direct blur: each output sample is the kernel-weighted sum of its
// neighbours along the line, computed for a whole row at a time so that the
// inner loops run over contiguous floats.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "image/BlurLines.h"
#include "image/VectorClones.h"

namespace blur_detail {
namespace {

// Multiply-adds per chunk of rows: enough to outweigh handing the chunk out.
constexpr int64_t kChunkWork = int64_t(1) << 20;
// The column pass's rows in reach of the kernel, converted, at most this
// many bytes where strips of 256 samples allow: they then stay in a core's
// level-1 data cache, which the loads of every tap hit.
constexpr std::size_t kColumnStripBytes = std::size_t(1) << 15;

using vectors::Load;
// Vectors of outputs computed together, their sums held in registers across
// all taps: enough independent additions to keep the units busy, few enough
// for the baseline's sixteen registers.
constexpr std::size_t kVectors = 4;

// The samples a sum reads: along one line, `step` apart around a centre.
struct SteppedSamples {
    const float* centre;
    std::size_t step;
    const float* Centre(std::size_t at) const { return centre + at; }
    const float* Before(std::size_t u, std::size_t at) const { return centre + at - u * step; }
    const float* After(std::size_t u, std::size_t at) const { return centre + at + u * step; }
};

// Across lines: line u of the centre's neighbours at lines[-u] and lines[u].
struct StackedSamples {
    const float* const* lines;
    const float* Centre(std::size_t at) const { return lines[0] + at; }
    const float* Before(std::size_t u, std::size_t at) const { return *(lines - u) + at; }
    const float* After(std::size_t u, std::size_t at) const { return lines[u] + at; }
};

// The kernel's weights, each repeated to fill the widest vector: the loops
// load a whole vector of one weight, where making one from a single value
// costs the baseline a trip through memory on every tap.
class RepeatedWeights {
public:
    static constexpr std::size_t kRepeats = 64 / sizeof(float);

    explicit RepeatedWeights(const std::vector<double>& kernel)
        : taps_(kernel.size()), values_(kernel.size() * kRepeats) {
        for (std::size_t u = 0; u < taps_; ++u) {
            std::fill_n(values_.begin() + static_cast<std::ptrdiff_t>(u * kRepeats), kRepeats,
                        static_cast<float>(kernel[u]));
        }
    }
    std::size_t Taps() const { return taps_; }
    // kRepeats copies of weight u (u = 0 at the centre).
    const float* Of(std::size_t u) const { return values_.data() + u * kRepeats; }

private:
    std::size_t taps_;
    std::vector<float> values_;
};

// Adding and taking away 1.5 * 2^23 leaves no fraction in a float: it finds
// the whole number nearest a sum.
constexpr float kRounder = 0x1.8p23f;

// With `limit` = 0.5 - bound: the distance from `sum` to the nearest half
// (k + 0.5) less the bound, negative where the sum lies within the bound.
inline float HalfClearance(float sum, float limit) { return limit - std::fabs(sum - ((sum + kRounder) - kRounder)); }

// Watches sums for any that lies within `bound` of a half, where a float sum
// may round otherwise than the exact one; a bound of 0 watches nothing. The
// vectors' test is HalfClearance's, lane by lane.
template <typename Vector>
class HalfWatch {
public:
    explicit HalfWatch(float bound) : active_(bound > 0.0f), limit_(0.5f - bound) {}

    [[gnu::always_inline]] void Add(const Vector& sum) {
        if (!active_) return;
        const Vector whole = (sum + kRounder) - kRounder;
        const Vector distance = (Vector)((Ints)(sum - whole) & 0x7fffffff);  // at most a half
        clearances_ |= (Ints)(limit_ - distance);                            // negative where near
    }
    [[gnu::always_inline]] void Add(float sum) {
        if (!active_) return;
        const float clearance = HalfClearance(sum, limit_);
        int bits;
        std::memcpy(&bits, &clearance, sizeof bits);
        scalarClearances_ |= bits;
    }

    bool AnyNear() const {
        int lanes[sizeof(Ints) / sizeof(int)];
        std::memcpy(lanes, &clearances_, sizeof lanes);
        int any = scalarClearances_;
        for (int lane : lanes) any |= lane;
        return any < 0;
    }

private:
    using Ints = decltype(Vector{} < Vector{});

    bool active_;
    float limit_;
    Ints clearances_ = {};
    int scalarClearances_ = 0;
};

// out[i] = k0 * centre[i] + sum_u k_u * (before_u[i] + after_u[i]), added in the order of u, for `count` vectors
// of outputs from `at`. Every lane does the same operations in the same order as ConvolveOne, so the result does
// not depend on the vector's width.
template <typename Vector, std::size_t count, typename Samples>
[[gnu::always_inline]] inline void ConvolveLanes(const Samples& samples, std::size_t at, const RepeatedWeights& weights,
                                                 float* out, HalfWatch<Vector>& watch) {
    constexpr std::size_t kVectorLanes = sizeof(Vector) / sizeof(float);
    Vector sums[count];
    Vector centre;
    Load(centre, weights.Of(0));
    for (std::size_t v = 0; v < count; ++v) {
        Load(sums[v], samples.Centre(at) + v * kVectorLanes);
        sums[v] = centre * sums[v];
    }
    for (std::size_t u = 1; u < weights.Taps(); ++u) {
        Vector k;
        Load(k, weights.Of(u));
        const float* before = samples.Before(u, at);
        const float* after = samples.After(u, at);
        for (std::size_t v = 0; v < count; ++v) {
            Vector b, a;
            Load(b, before + v * kVectorLanes);
            Load(a, after + v * kVectorLanes);
            sums[v] += k * (b + a);
        }
    }
    for (std::size_t v = 0; v < count; ++v) watch.Add(sums[v]);
    std::memcpy(out + at, sums, sizeof sums);
}

// The same sum for the one output at `at`.
template <typename Samples>
[[gnu::always_inline]] inline float ConvolveOne(const Samples& samples, std::size_t at,
                                                const RepeatedWeights& weights) {
    float sum = *weights.Of(0) * *samples.Centre(at);
    for (std::size_t u = 1; u < weights.Taps(); ++u) {
        sum += *weights.Of(u) * (*samples.Before(u, at) + *samples.After(u, at));
    }
    return sum;
}

// `count` outputs: kVectors vectors at a time, then single vectors, then one
// by one. Returns whether any lies within `watchBound` of a half.
template <typename Vector, typename Samples>
[[gnu::always_inline]] inline bool Convolve(const Samples& samples, const RepeatedWeights& weights, float* out,
                                            std::size_t count, float watchBound) {
    constexpr std::size_t kLanes = sizeof(Vector) / sizeof(float);
    HalfWatch<Vector> watch(watchBound);
    std::size_t i = 0;
    for (; i + kVectors * kLanes <= count; i += kVectors * kLanes) {
        ConvolveLanes<Vector, kVectors>(samples, i, weights, out, watch);
    }
    for (; i + kLanes <= count; i += kLanes) ConvolveLanes<Vector, 1>(samples, i, weights, out, watch);
    for (; i < count; ++i) {
        out[i] = ConvolveOne(samples, i, weights);
        watch.Add(out[i]);
    }
    return watch.AnyNear();
}

// Along a row, its samples `step` apart; down the columns of whole rows,
// `lines` pointing at the centre row. On AVX-512 registers where the
// processor has them. Each returns whether any sum lies within `watchBound`
// of a half.
DAPPLE_VECTOR_CLONES bool ConvolveLineNarrow(const float* centre, std::size_t step, const RepeatedWeights& kernel,
                                             float* out, std::size_t count, float watchBound) {
    return Convolve<vectors::Float8>(SteppedSamples{centre, step}, kernel, out, count, watchBound);
}
DAPPLE_AVX512_ONLY bool ConvolveLineWide(const float* centre, std::size_t step, const RepeatedWeights& kernel,
                                         float* out, std::size_t count, float watchBound) {
    return Convolve<vectors::Float16>(SteppedSamples{centre, step}, kernel, out, count, watchBound);
}
bool ConvolveLine(const float* centre, std::size_t step, const RepeatedWeights& kernel, float* out, std::size_t count,
                  float watchBound) {
    if (vectors::HasAvx512()) return ConvolveLineWide(centre, step, kernel, out, count, watchBound);
    return ConvolveLineNarrow(centre, step, kernel, out, count, watchBound);
}

DAPPLE_VECTOR_CLONES bool ConvolveAcrossLinesNarrow(const float* const* lines, const RepeatedWeights& kernel,
                                                    float* out, std::size_t count, float watchBound) {
    return Convolve<vectors::Float8>(StackedSamples{lines}, kernel, out, count, watchBound);
}
DAPPLE_AVX512_ONLY bool ConvolveAcrossLinesWide(const float* const* lines, const RepeatedWeights& kernel, float* out,
                                                std::size_t count, float watchBound) {
    return Convolve<vectors::Float16>(StackedSamples{lines}, kernel, out, count, watchBound);
}
bool ConvolveAcrossLines(const float* const* lines, const RepeatedWeights& kernel, float* out, std::size_t count,
                         float watchBound) {
    if (vectors::HasAvx512()) return ConvolveAcrossLinesWide(lines, kernel, out, count, watchBound);
    return ConvolveAcrossLinesNarrow(lines, kernel, out, count, watchBound);
}

// The single-channel method's sums are fixed as doubles, rounded to bytes.
// Its passes sum in floats all the same, and sum again in doubles, in the
// order the float loops use, only where the float sum lies so near a
// rounding boundary that the two could round differently: so every byte is
// the double sum's, at the float sums' speed.
class ExactSums {
public:
    explicit ExactSums(const std::vector<double>& kernel) : kernel_(kernel) {
        // Every value the float sums pass through lies below 256 (bytes, and
        // positive weights that add up to 1). So the weights' roundings move
        // a sum by at most 2^-16 together, and each product, addition and the
        // added half by at most 2^-17: (2 * taps + 2) * 2^-17 in all. Twice
        // that leaves a margin for the double sum's own roundings.
        bound_ = std::ldexp(static_cast<float>(2 * kernel.size() + 2), -16);
    }

    // How near a half a float sum must lie to be summed again.
    float Bound() const { return bound_; }

    // Mends sums[0 .. count) of the outputs `samples` describes. Only rows
    // whose loops saw a sum near a half come here, so a plain scan will do.
    template <typename Samples>
    void Mend(const Samples& samples, float* sums, std::size_t count) const {
        const float limit = 0.5f - bound_;
        for (std::size_t at = 0; at < count; ++at) {
            if (HalfClearance(sums[at], limit) >= 0.0f) continue;
            double sum = kernel_[0] * static_cast<double>(*samples.Centre(at));
            for (std::size_t u = 1; u < kernel_.size(); ++u) {
                sum += kernel_[u] *
                       (static_cast<double>(*samples.Before(u, at)) + static_cast<double>(*samples.After(u, at)));
            }
            // A whole number, which the float store keeps as it is.
            sums[at] = static_cast<float>(ToByte(sum));
        }
    }

private:
    const std::vector<double>& kernel_;
    float bound_;
};

ResultCode BlurRows(const SampleGrid& grid, const RepeatedWeights& kernel, const ExactSums* exact,
                    const PassProgress& progress) {
    const std::size_t half = kernel.Taps() - 1;
    const std::size_t channels = grid.channels;
    const std::size_t samples = grid.RowSamples();
    const float watchBound = exact ? exact->Bound() : 0.0f;
    const std::size_t chunk = static_cast<std::size_t>(
        ChunkForWork(static_cast<int64_t>(grid.height), static_cast<int64_t>(samples * kernel.Taps()), kChunkWork));
    return progress.Loop(0, grid.height, chunk, [&](int64_t begin, int64_t end) {
        // The row with `half` edge pixels repeated on either side.
        std::vector<float> line((grid.width + 2 * half) * channels);
        std::vector<float> sums(samples);
        for (auto y = static_cast<std::size_t>(begin); y < static_cast<std::size_t>(end); ++y) {
            unsigned char* row = grid.Row(y);
            float* inside = line.data() + half * channels;
            grid.Load(row, 0, samples, inside);
            for (std::size_t p = 0; p < half; ++p) {
                std::copy(inside, inside + channels, line.data() + p * channels);
                std::copy(inside + samples - channels, inside + samples, inside + samples + p * channels);
            }
            if (ConvolveLine(inside, channels, kernel, sums.data(), samples, watchBound)) {
                exact->Mend(SteppedSamples{inside, channels}, sums.data(), samples);
            }
            grid.Store(sums.data(), row, 0, samples);
        }
    });
}

// The column pass runs down chunks of whole rows, each row converted to
// floats once and kept while the kernel reaches it. It writes in
// place, so the rows within `half` of a chunk boundary, which the chunks on
// both sides read, are kept aside before any chunk starts.
class ColumnPassRows {
public:
    ColumnPassRows(const SampleGrid& grid, std::size_t half, std::size_t chunk)
        : grid_(grid), half_(half), chunk_(chunk), rowBytes_(grid.offsets.back() + 1) {
        const std::size_t boundaries = (grid.height - 1) / chunk;
        kept_.resize(boundaries * 2 * half * rowBytes_);
        for (std::size_t b = 1; b <= boundaries; ++b) {
            for (std::size_t r = 0; r < 2 * half; ++r) {
                const std::size_t y = b * chunk + r - half;  // half <= chunk, so no wrap below 0
                if (y < grid.height) std::memcpy(Kept(b, r), grid.Row(y), rowBytes_);
            }
        }
    }

    // Row y as the row pass left it, for the chunk [begin, end).
    const unsigned char* Row(std::size_t y, std::size_t begin, std::size_t end) const {
        if (y >= begin && y < end) return grid_.Row(y);
        const std::size_t boundary = y < begin ? begin : end;
        return Kept(boundary / chunk_, y + half_ - boundary);
    }

private:
    unsigned char* Kept(std::size_t boundary, std::size_t r) const {
        return kept_.data() + ((boundary - 1) * 2 * half_ + r) * rowBytes_;
    }

    const SampleGrid& grid_;
    std::size_t half_;
    std::size_t chunk_;
    std::size_t rowBytes_;
    mutable std::vector<unsigned char> kept_;
};

ResultCode BlurColumns(const SampleGrid& grid, const RepeatedWeights& kernel, const ExactSums* exact,
                       const PassProgress& progress) {
    const std::size_t half = kernel.Taps() - 1;
    const std::size_t samples = grid.RowSamples();
    const std::size_t window = 2 * half + 1;
    const float watchBound = exact ? exact->Bound() : 0.0f;
    // Chunks long enough that the rows kept aside stay a small share.
    const std::size_t chunk =
        std::max(static_cast<std::size_t>(ChunkForWork(static_cast<int64_t>(grid.height),
                                                       static_cast<int64_t>(samples * kernel.Taps()), kChunkWork)),
                 std::max<std::size_t>(1, 8 * half));
    const ColumnPassRows source(grid, half, chunk);
    // The chunk's columns are taken in strips narrow enough that the rows the
    // kernel reaches stay in the cache.
    const std::size_t strip = std::max<std::size_t>(256, kColumnStripBytes / (window * sizeof(float)) / 64 * 64);
    return progress.Loop(1, grid.height, chunk, [&](int64_t first, int64_t last) {
        const auto begin = static_cast<std::size_t>(first);
        const auto end = static_cast<std::size_t>(last);
        const std::size_t width = std::min(strip, samples);
        // Row r in slot r % window: the rows one output reads are at most
        // `window` consecutive ones.
        std::vector<float> rows(window * width);
        std::vector<const float*> lines(window);
        std::vector<float> sums(width);
        auto slot = [&](std::size_t r) { return rows.data() + (r % window) * width; };
        for (std::size_t left = 0; left < samples; left += width) {
            const std::size_t count = std::min(width, samples - left);
            std::size_t loaded = begin > half ? begin - half : 0;
            for (std::size_t y = begin; y < end; ++y) {
                for (const std::size_t needed = std::min(grid.height - 1, y + half); loaded <= needed; ++loaded) {
                    grid.Load(source.Row(loaded, begin, end), left, count, slot(loaded));
                }
                for (std::size_t j = 0; j < window; ++j) {
                    const std::size_t r = std::min(grid.height - 1, y + j < half ? 0 : y + j - half);
                    lines[j] = slot(r);
                }
                if (ConvolveAcrossLines(lines.data() + half, kernel, sums.data(), count, watchBound)) {
                    exact->Mend(StackedSamples{lines.data() + half}, sums.data(), count);
                }
                grid.Store(sums.data(), grid.Row(y), left, count);
            }
        }
    });
}

}  // namespace

ResultCode BlurDirect(const SampleGrid& grid, const std::vector<double>& kernel, DirectSums sums,
                      const PassProgress& progress) {
    const RepeatedWeights weights(kernel);
    const ExactSums exactSums(kernel);
    const ExactSums* exact = sums == DirectSums::Exact ? &exactSums : nullptr;
    const ResultCode rows = BlurRows(grid, weights, exact, progress);
    if (rows.IsFailure()) return rows;
    return BlurColumns(grid, weights, exact, progress);
}

}  // namespace blur_detail
