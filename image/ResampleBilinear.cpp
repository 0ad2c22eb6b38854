// Bilinear enlarging and the bilinear sampler.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "base/Rect.h"
#include "image/Resample.h"
#include "image/ResamplePasses.h"
#include "image/VectorClones.h"

namespace resample_detail {
namespace {

// Where destination sample k reads along one axis: the two neighbouring
// source samples (offsets from the source's first pixel) and the share of the
// second.
struct LinearTap {
    int32_t first = 0;
    int32_t second = 0;
    double fraction = 0.0;
};

// Destination samples 0 and n - 1 land on the source's first and last pixel,
// kept a thousandth of a pixel inside so that both neighbours exist. A source
// one pixel long has no second neighbour: every sample copies that pixel,
// which also covers a destination one pixel long (the position formula would
// divide by zero there).
std::vector<LinearTap> LinearTaps(int32_t sourceStart, int32_t sourceLength, int32_t destinationLength) {
    std::vector<LinearTap> taps(static_cast<std::size_t>(destinationLength));
    if (sourceLength < 2 || destinationLength < 2) return taps;
    const double lowest = sourceStart + 0.001;
    const double highest = (sourceStart + sourceLength) - 1.001;
    for (int32_t k = 0; k < destinationLength; ++k) {
        double position = sourceStart + k * static_cast<double>(sourceLength - 1) / (destinationLength - 1);
        position = std::clamp(position, lowest, highest);
        const double whole = std::floor(position);
        LinearTap& tap = taps[static_cast<std::size_t>(k)];
        tap.first = static_cast<int32_t>(whole) - sourceStart;
        tap.second = tap.first + 1;
        tap.fraction = position - whole;
    }
    return taps;
}

const unsigned char* SourceRow(const Image<unsigned char>& image, int32_t row) {
    return image.data + static_cast<std::ptrdiff_t>(row) * image.rowStride;
}

unsigned char* DestinationRow(Image<unsigned char>& image, int32_t row) {
    return image.data + static_cast<std::ptrdiff_t>(row) * image.rowStride;
}

// One destination row of the two-axis enlargement. Instantiated for the
// common channel counts so that the per-pixel channel loops unroll; 0 takes
// the count from the layout.
template <int32_t kChannels>
void EnlargeRow(const Image<unsigned char>& source, const LinearTap& row, const std::vector<LinearTap>& columns,
                unsigned char* out, std::ptrdiff_t outStride) {
    const int32_t channels = kChannels > 0 ? kChannels : source.layout.channelCount;
    const bool hasAlpha = source.layout.hasAlpha;
    const std::ptrdiff_t in = source.pixelStride;
    const unsigned char* upper = SourceRow(source, row.first);
    const unsigned char* lower = SourceRow(source, row.second);
    for (const LinearTap& column : columns) {
        const unsigned char* const pixels[4] = {upper + column.first * in, lower + column.first * in,
                                                upper + column.second * in, lower + column.second * in};
        double weights[4];
        BilinearWeights(column.fraction, row.fraction, weights);
        BlendPixels(pixels, weights, channels, hasAlpha, out);
        out += outStride;
    }
}

// The column side of the enlargement, spread to every destination sample of
// a row (x * channels + c): where its left and right source samples lie in a
// source row, and their shares 1 - fx and fx.
struct SampleColumns {
    std::vector<std::ptrdiff_t> left;
    std::vector<std::ptrdiff_t> right;
    std::vector<double> leftShare;
    std::vector<double> rightShare;

    SampleColumns(const std::vector<LinearTap>& columns, int32_t channels, std::ptrdiff_t pixelStride) {
        const std::size_t samples = columns.size() * static_cast<std::size_t>(channels);
        left.resize(samples);
        right.resize(samples);
        leftShare.resize(samples);
        rightShare.resize(samples);
        std::size_t j = 0;
        for (const LinearTap& column : columns) {
            for (int32_t c = 0; c < channels; ++c, ++j) {
                left[j] = column.first * pixelStride + c;
                right[j] = column.second * pixelStride + c;
                leftShare[j] = 1.0 - column.fraction;
                rightShare[j] = column.fraction;
            }
        }
    }
    std::size_t Samples() const { return left.size(); }
};

// Destination samples per strip of the enlargement: the gathered samples and
// the column shares of a strip stay in a core's level-1 data cache while
// every destination row that blends them is made.
constexpr std::size_t kStripSamples = 512;

// Where the processor has AVX-512, a strip's samples are gathered eight at a
// time: two vectors of sixteen neighbouring source samples, and a shuffle
// that picks each lane's. That works where every eight destination samples
// reach at most sixteen source samples, as they do when enlarging packed
// pixels of up to four channels.
class LaneShuffles {
public:
    static constexpr std::size_t kLanes = 8;
    static constexpr std::ptrdiff_t kReach = 2 * kLanes;  // source samples one shuffle picks from

    // Plans destination samples first .. first + count - 1; false where some
    // eight of them reach too far apart.
    bool Plan(const SampleColumns& columns, std::size_t first, std::size_t count) {
        groups_ = count / kLanes;
        stretchStart_ = columns.left[first];
        std::ptrdiff_t stretchEnd = stretchStart_;
        for (std::size_t j = first; j < first + count; ++j) {
            stretchStart_ = std::min(stretchStart_, columns.left[j]);
            stretchEnd = std::max(stretchEnd, columns.right[j] + 1);
        }
        base_.resize(groups_);
        picks_.resize(groups_ * 2 * kLanes);
        for (std::size_t g = 0; g < groups_; ++g) {
            const std::size_t at = first + g * kLanes;
            const std::ptrdiff_t base =
                *std::min_element(columns.left.begin() + at, columns.left.begin() + at + kLanes);
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                const std::ptrdiff_t left = columns.left[at + lane] - base;
                const std::ptrdiff_t right = columns.right[at + lane] - base;
                if (left >= kReach || right >= kReach) return false;
                picks_[(2 * g) * kLanes + lane] = left;
                picks_[(2 * g + 1) * kLanes + lane] = right;
            }
            base_[g] = base - stretchStart_;
        }
        stretchLength_ = static_cast<std::size_t>(stretchEnd - stretchStart_);
        return true;
    }

    // The first Samples() left and right samples from a source row, through
    // `stretch`, room for StretchRoom() doubles.
    DAPPLE_AVX512_ONLY void Gather(const unsigned char* from, double* stretch, double* left, double* right) const {
        using vectors::Double8;
        using vectors::Long8;
        const unsigned char* in = from + stretchStart_;
        for (std::size_t i = 0; i < stretchLength_; ++i) stretch[i] = in[i];
        for (std::size_t g = 0; g < groups_; ++g) {
            Double8 low, high;
            vectors::Load(low, stretch + base_[g]);
            vectors::Load(high, stretch + base_[g] + kLanes);
            Long8 leftPicks, rightPicks;
            std::memcpy(&leftPicks, picks_.data() + (2 * g) * kLanes, sizeof leftPicks);
            std::memcpy(&rightPicks, picks_.data() + (2 * g + 1) * kLanes, sizeof rightPicks);
            Double8 lefts, rights;
            vectors::Pick(low, high, leftPicks, lefts);
            vectors::Pick(low, high, rightPicks, rights);
            std::memcpy(left + g * kLanes, &lefts, sizeof lefts);
            std::memcpy(right + g * kLanes, &rights, sizeof rights);
        }
    }

    std::size_t Samples() const { return groups_ * kLanes; }
    // The source row's samples that the strip reads, as doubles, and room
    // for the last group's sixteen.
    std::size_t StretchRoom() const { return stretchLength_ + kReach; }

private:
    std::size_t groups_ = 0;
    std::ptrdiff_t stretchStart_ = 0;
    std::size_t stretchLength_ = 0;
    std::vector<std::ptrdiff_t> base_;  // per group, into the stretch
    std::vector<long long> picks_;      // per group, eight lefts then eight rights
};

// The samples of a pair of source rows that a strip of destination samples
// blends, as doubles, in destination order; rebuilt only when the pair
// changes, which it does once every few rows when enlarging, and then mostly
// by one row, whose samples the upper row takes over.
class GatheredRows {
public:
    std::vector<double> upperLeft, lowerLeft, upperRight, lowerRight;

    // Destination samples first .. first + count - 1 from here on, gathered
    // by `shuffles` where not null.
    void StartStrip(std::size_t first, std::size_t count, const LaneShuffles* shuffles) {
        first_ = first;
        count_ = count;
        shuffles_ = shuffles;
        upperRow_ = lowerRow_ = -1;
        for (std::vector<double>* samples : {&upperLeft, &lowerLeft, &upperRight, &lowerRight}) samples->resize(count);
        if (shuffles_) stretch_.resize(shuffles_->StretchRoom());
    }

    void Gather(const Image<unsigned char>& source, const LinearTap& row, const SampleColumns& columns) {
        if (row.first == upperRow_ && row.second == lowerRow_) return;
        if (row.first == lowerRow_) {
            std::swap(upperLeft, lowerLeft);
            std::swap(upperRight, lowerRight);
        } else {
            GatherRow(SourceRow(source, row.first), columns, upperLeft, upperRight);
        }
        GatherRow(SourceRow(source, row.second), columns, lowerLeft, lowerRight);
        upperRow_ = row.first;
        lowerRow_ = row.second;
    }

private:
    void GatherRow(const unsigned char* from, const SampleColumns& columns, std::vector<double>& left,
                   std::vector<double>& right) {
        std::size_t j = 0;
        if (shuffles_) {
            shuffles_->Gather(from, stretch_.data(), left.data(), right.data());
            j = shuffles_->Samples();
        }
        for (; j < count_; ++j) {
            left[j] = from[columns.left[first_ + j]];
            right[j] = from[columns.right[first_ + j]];
        }
    }

    std::size_t first_ = 0;
    std::size_t count_ = 0;
    int32_t upperRow_ = -1;
    int32_t lowerRow_ = -1;
    const LaneShuffles* shuffles_ = nullptr;
    std::vector<double> stretch_;
};

// A strip of a destination row without alpha, packed: per sample the weights
// and sums of BilinearWeights and BlendPixels, in their order (the sum
// starting from the first product rather than from 0 + it, which is the same
// for products that are not negative), sixteen samples at a time.
template <typename Vector>
[[gnu::always_inline]] inline void BlendStrip(const GatheredRows& rows, const SampleColumns& columns, std::size_t first,
                                              std::size_t count, double fy, unsigned char* out) {
    constexpr std::size_t kVectorLanes = sizeof(Vector) / sizeof(double);
    constexpr std::size_t kVectors = 16 / kVectorLanes;
    const double upperShare = 1.0 - fy;
    const double* leftShare = columns.leftShare.data() + first;
    const double* rightShare = columns.rightShare.data() + first;
    const double* upperLeft = rows.upperLeft.data();
    const double* lowerLeft = rows.lowerLeft.data();
    const double* upperRight = rows.upperRight.data();
    const double* lowerRight = rows.lowerRight.data();
    const std::size_t whole = count - count % 16;
    for (std::size_t j = 0; j < whole; j += 16) {
        Vector sums[kVectors];
        for (std::size_t v = 0; v < kVectors; ++v) {
            const std::size_t at = j + v * kVectorLanes;
            Vector left, right, a, b, c, d;
            vectors::Load(left, leftShare + at);
            vectors::Load(right, rightShare + at);
            vectors::Load(a, upperLeft + at);
            vectors::Load(b, lowerLeft + at);
            vectors::Load(c, upperRight + at);
            vectors::Load(d, lowerRight + at);
            Vector sum = left * upperShare * a;
            sum += left * fy * b;
            sum += right * upperShare * c;
            sum += right * fy * d;
            sums[v] = sum;
        }
        // Shares are at most 1 and add up to 1 (give or take a rounding), so
        // no sum reaches 256: no clamping.
        vectors::StoreBytes(sums, out + j);
    }
    for (std::size_t j = whole; j < count; ++j) {
        double sum = leftShare[j] * upperShare * upperLeft[j];
        sum += leftShare[j] * fy * lowerLeft[j];
        sum += rightShare[j] * upperShare * upperRight[j];
        sum += rightShare[j] * fy * lowerRight[j];
        out[j] = TruncateToByte(sum);
    }
}

DAPPLE_VECTOR_CLONES void BlendStripNarrow(const GatheredRows& rows, const SampleColumns& columns, std::size_t first,
                                           std::size_t count, double fy, unsigned char* out) {
    BlendStrip<vectors::Double4>(rows, columns, first, count, fy, out);
}
DAPPLE_AVX512_ONLY void BlendStripWide(const GatheredRows& rows, const SampleColumns& columns, std::size_t first,
                                       std::size_t count, double fy, unsigned char* out) {
    BlendStrip<vectors::Double8>(rows, columns, first, count, fy, out);
}
void BlendGatheredRow(const GatheredRows& rows, const SampleColumns& columns, std::size_t first, std::size_t count,
                      double fy, unsigned char* out) {
    if (vectors::HasAvx512()) {
        BlendStripWide(rows, columns, first, count, fy, out);
    } else {
        BlendStripNarrow(rows, columns, first, count, fy, out);
    }
}

}  // namespace

ResultCode EnlargeBilinear(const Image<unsigned char>& source, Image<unsigned char>& destination,
                           const RowProgress& progress) {
    const std::vector<LinearTap> columns = LinearTaps(source.bounds.left, source.Width(), destination.Width());
    const std::vector<LinearTap> rows = LinearTaps(source.bounds.top, source.Height(), destination.Height());
    auto enlargeRow = EnlargeRow<0>;
    switch (source.layout.channelCount) {
        case 1: enlargeRow = EnlargeRow<1>; break;
        case 3: enlargeRow = EnlargeRow<3>; break;
        case 4: enlargeRow = EnlargeRow<4>; break;
        default: break;
    }
    const int32_t channels = source.layout.channelCount;
    if (!source.layout.hasAlpha && destination.pixelStride == channels) {
        const SampleColumns sampleColumns(columns, channels, source.pixelStride);
        const std::size_t samples = sampleColumns.Samples();
        const std::size_t strips = CeilDiv(samples, kStripSamples);
        std::vector<LaneShuffles> shuffles(vectors::HasAvx512() ? strips : 0);
        std::vector<bool> shuffled(strips, false);
        for (std::size_t s = 0; s < shuffles.size(); ++s) {
            const std::size_t left = s * kStripSamples;
            shuffled[s] = shuffles[s].Plan(sampleColumns, left, std::min(kStripSamples, samples - left));
        }
        return progress.Rows([&](int32_t first, int32_t last) {
            GatheredRows gathered;
            for (std::size_t s = 0; s < strips; ++s) {
                const std::size_t left = s * kStripSamples;
                const std::size_t count = std::min(kStripSamples, samples - left);
                gathered.StartStrip(left, count, shuffled[s] ? &shuffles[s] : nullptr);
                for (int32_t y = first; y < last; ++y) {
                    const LinearTap& row = rows[static_cast<std::size_t>(y)];
                    gathered.Gather(source, row, sampleColumns);
                    BlendGatheredRow(gathered, sampleColumns, left, count, row.fraction,
                                     DestinationRow(destination, y) + left);
                }
            }
        });
    }
    return progress.Rows([&](int32_t first, int32_t last) {
        for (int32_t y = first; y < last; ++y) {
            enlargeRow(source, rows[static_cast<std::size_t>(y)], columns, DestinationRow(destination, y),
                       destination.pixelStride);
        }
    });
}

ResultCode EnlargeAlongAxis(const Image<unsigned char>& source, Image<unsigned char>& destination, Axis axis,
                            const RowProgress& progress) {
    const bool horizontal = axis == Axis::Horizontal;
    const std::vector<LinearTap> taps = horizontal
                                            ? LinearTaps(source.bounds.left, source.Width(), destination.Width())
                                            : LinearTaps(source.bounds.top, source.Height(), destination.Height());
    const std::ptrdiff_t in = source.pixelStride;
    return progress.Rows([&](int32_t first, int32_t last) {
        for (int32_t y = first; y < last; ++y) {
            unsigned char* out = DestinationRow(destination, y);
            if (horizontal) {
                const unsigned char* row = SourceRow(source, y);
                for (const LinearTap& tap : taps) {
                    const unsigned char* const pixels[2] = {row + tap.first * in, row + tap.second * in};
                    const double weights[2] = {1.0 - tap.fraction, tap.fraction};
                    BlendPixels(pixels, weights, source.layout, out);
                    out += destination.pixelStride;
                }
            } else {
                const LinearTap& tap = taps[static_cast<std::size_t>(y)];
                const unsigned char* upper = SourceRow(source, tap.first);
                const unsigned char* lower = SourceRow(source, tap.second);
                const double weights[2] = {1.0 - tap.fraction, tap.fraction};
                for (int32_t x = 0; x < destination.Width(); ++x) {
                    const unsigned char* const pixels[2] = {upper + x * in, lower + x * in};
                    BlendPixels(pixels, weights, source.layout, out);
                    out += destination.pixelStride;
                }
            }
        }
    });
}

}  // namespace resample_detail

namespace {

// std::floor for values that fit an int: the same result without the
// rounding instructions that not every processor the plug-ins run on has.
double WholePartBelow(double value) {
    const double truncated = static_cast<double>(static_cast<int32_t>(value));
    return truncated > value ? truncated - 1.0 : truncated;
}

// The bilinear sample at (x, y). Without alpha the position is clamped to
// [left, right - farMargin] and [top, bottom - farMargin]; with alpha it is
// not, and corners outside count as pixels of zeros. A corner outside the
// source has no weight either way (without alpha it can only lie past the
// last pixel when the position sits on that pixel), so it may be read from
// any valid pixel. kChannels and kAlpha fix the source's channels for the compiler; 0 takes
// them from its layout.
template <int32_t kChannels = 0, bool kAlpha = false>
void SampleWithin(const Image<unsigned char>& source, double x, double y, double farMargin, unsigned char* pixel) {
    using namespace resample_detail;
    const Rect& b = source.bounds;
    const int32_t channels = kChannels > 0 ? kChannels : source.layout.channelCount;
    const bool hasAlpha = kChannels > 0 ? kAlpha : source.layout.hasAlpha;
    if (std::isnan(x) || std::isnan(y)) return;
    if (!hasAlpha) {
        x = std::clamp(x, static_cast<double>(b.left), b.right - farMargin);
        y = std::clamp(y, static_cast<double>(b.top), b.bottom - farMargin);
    } else if (x <= b.left - 1.0 || x >= b.right || y <= b.top - 1.0 || y >= b.bottom) {
        // Every corner lies outside: fully transparent, colours untouched.
        pixel[channels - 1] = 0;
        return;
    }
    // Positions are within a pixel of the source here, so they fit an int.
    const double x0 = WholePartBelow(x), y0 = WholePartBelow(y);
    double weights[4];
    BilinearWeights(x - x0, y - y0, weights);
    const int32_t left = static_cast<int32_t>(x0), top = static_cast<int32_t>(y0);
    auto address = [&](int32_t cx, int32_t cy) {
        return source.data + static_cast<std::ptrdiff_t>(cy - b.top) * source.rowStride +
               static_cast<std::ptrdiff_t>(cx - b.left) * source.pixelStride;
    };
    if (!hasAlpha) {
        // The first corner lies inside; the far ones only go past the last
        // pixel when their weight is 0, and then read the near pixel.
        const int32_t right = left + 1 < b.right ? left + 1 : left;
        const int32_t bottom = top + 1 < b.bottom ? top + 1 : top;
        const unsigned char* const pixels[4] = {address(left, top), address(left, bottom), address(right, top),
                                                address(right, bottom)};
        BlendPixels(pixels, weights, channels, false, pixel);
        return;
    }
    auto corner = [&](int32_t cx, int32_t cy, double& weight) -> const unsigned char* {
        if (cx < b.left || cx >= b.right || cy < b.top || cy >= b.bottom) {
            weight = 0.0;
            return source.data;
        }
        return address(cx, cy);
    };
    const unsigned char* const pixels[4] = {corner(left, top, weights[0]), corner(left, top + 1, weights[1]),
                                            corner(left + 1, top, weights[2]), corner(left + 1, top + 1, weights[3])};
    BlendPixels(pixels, weights, channels, true, pixel);
}

template <int32_t kChannels, bool kAlpha>
void SampleRowToEdge(const Image<unsigned char>& source, const double* xs, const double* ys, int32_t count,
                     unsigned char* pixels) {
    const int32_t channels = kChannels > 0 ? kChannels : source.layout.channelCount;
    for (int32_t i = 0; i < count; ++i, pixels += channels)
        SampleWithin<kChannels, kAlpha>(source, xs[i], ys[i], 1.0, pixels);
}

}  // namespace

void SampleBilinear(const Image<unsigned char>& source, double x, double y, unsigned char* pixel) {
    if (source.Width() < 2 || source.Height() < 2 || !source.HasData()) return;
    SampleWithin(source, x, y, 1.001, pixel);
}

void SampleBilinearToEdge(const Image<unsigned char>& source, double x, double y, unsigned char* pixel) {
    if (source.bounds.IsEmpty() || !source.HasData()) return;
    SampleWithin(source, x, y, 1.0, pixel);
}

void SampleBilinearToEdgeRow(const Image<unsigned char>& source, const double* xs, const double* ys, int32_t count,
                             unsigned char* pixels) {
    if (source.bounds.IsEmpty() || !source.HasData()) return;
    const ChannelLayout& layout = source.layout;
    if (layout.channelCount == 3 && !layout.hasAlpha) return SampleRowToEdge<3, false>(source, xs, ys, count, pixels);
    if (layout.channelCount == 4 && layout.hasAlpha) return SampleRowToEdge<4, true>(source, xs, ys, count, pixels);
    if (layout.channelCount == 1 && !layout.hasAlpha) return SampleRowToEdge<1, false>(source, xs, ys, count, pixels);
    if (layout.channelCount == 2 && layout.hasAlpha) return SampleRowToEdge<2, true>(source, xs, ys, count, pixels);
    if (layout.channelCount == 4 && !layout.hasAlpha) return SampleRowToEdge<4, false>(source, xs, ys, count, pixels);
    SampleRowToEdge<0, false>(source, xs, ys, count, pixels);
}
