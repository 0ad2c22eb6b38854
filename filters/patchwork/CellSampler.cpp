#include "filters/patchwork/CellSampler.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "filters/ColorSpec.h"
#include "filters/ColourConversion.h"

namespace patchwork {
namespace {

// MeanColour's rounding of a mean.
unsigned char RoundedMean(uint64_t sum, uint64_t count) {
    return static_cast<unsigned char>(
        std::clamp(static_cast<double>(sum) / static_cast<double>(count) + 0.5, 0.0, 255.0));
}

}  // namespace

CellSampler::CellSampler(const Image<unsigned char>& source, CellSize cell, int32_t thumbnailWidth,
                         int32_t thumbnailHeight)
    : source_(source), columns_(Spans(cell.width, thumbnailWidth)), rows_(Spans(cell.height, thumbnailHeight)) {
    const ChannelLayout& layout = source.layout;
    colours_ = layout.colourChannels < 3               ? Colours::FirstChannel
               : layout.colourModel == kColourModelRGB ? Colours::RGB
               : layout.colourModel == kColourModelLab ? Colours::Lab
                                                       : Colours::FirstChannel;
    // Every whole sub-rectangle has the same number of pixels: their means
    // are looked up rather than divided out, when the table stays small.
    if (columns_.empty() || rows_.empty()) return;
    wholeArea_ = static_cast<uint64_t>(columns_[0].end - columns_[0].begin) *
                 static_cast<uint64_t>(rows_[0].end - rows_[0].begin);
    if (layout.hasAlpha || wholeArea_ > 256) return;
    wholeMeans_.resize(255 * wholeArea_ + 1);
    for (uint64_t sum = 0; sum < wholeMeans_.size(); ++sum) wholeMeans_[sum] = RoundedMean(sum, wholeArea_);
}

std::vector<CellSampler::Span> CellSampler::Spans(int32_t cellLength, int32_t parts) {
    std::vector<Span> spans(static_cast<std::size_t>(std::max(parts, 0)));
    const int32_t step = parts > 0 ? cellLength / parts : 0;
    for (int32_t i = 0; i < parts; ++i) {
        if (step > 0) {
            spans[static_cast<std::size_t>(i)] = Span{i * step, (i + 1) * step};
        } else {
            const int32_t centre = static_cast<int32_t>((int64_t{2} * i + 1) * cellLength / (int64_t{2} * parts));
            spans[static_cast<std::size_t>(i)] = Span{centre, centre + 1};
        }
    }
    return spans;
}

template <int kUsed, bool kAlpha>
void CellSampler::SampleAs(const Rect& cell, CellSample& sample) const {
    const Rect& b = source_.bounds;
    const std::ptrdiff_t step = source_.pixelStride;
    const int32_t alphaIndex = source_.layout.colourChannels;
    std::size_t index = 0;
    for (const Span& row : rows_) {
        const int32_t top = std::max(cell.top + row.begin, b.top);
        const int32_t bottom = std::min(cell.top + row.end, b.bottom);
        for (const Span& column : columns_) {
            const int32_t left = std::max(cell.left + column.begin, b.left);
            const int32_t right = std::min(cell.left + column.end, b.right);
            unsigned char* rgb = &sample.bytes[index * 3];
            if (top >= bottom || left >= right) {
                sample.valid[index++] = 0;
                sample.complete = false;
                continue;
            }
            ++index;
            uint64_t sums[kUsed] = {};
            uint64_t weight = 0;  // pixels, or the sum of alpha
            const unsigned char* line = source_.data + static_cast<std::ptrdiff_t>(top - b.top) * source_.rowStride +
                                        static_cast<std::ptrdiff_t>(left - b.left) * step;
            for (int32_t y = top; y < bottom; ++y, line += source_.rowStride) {
                const unsigned char* p = line;
                for (int32_t x = left; x < right; ++x, p += step) {
                    const uint64_t w = kAlpha ? p[alphaIndex] : 1;
                    weight += w;
                    for (int c = 0; c < kUsed; ++c) sums[c] += w * p[c];
                }
            }
            if (weight == 0) continue;  // all transparent: black
            if (weight == wholeArea_ && !wholeMeans_.empty()) {
                for (int c = 0; c < kUsed; ++c) rgb[c] = wholeMeans_[static_cast<std::size_t>(sums[c])];
            } else {
                for (int c = 0; c < kUsed; ++c) rgb[c] = RoundedMean(sums[c], weight);
            }
            if (kUsed == 1) {
                rgb[1] = rgb[2] = rgb[0];
            } else if (colours_ == Colours::Lab) {
                const std::array<uint8_t, 3> converted =
                    ColourToRGB(ColorSpec{ColorSpec::kLab, rgb[0], rgb[1], rgb[2], 0});
                for (int c = 0; c < 3; ++c) rgb[c] = converted[static_cast<std::size_t>(c)];
            }
        }
    }
}

void CellSampler::Sample(const Rect& cell, CellSample& sample) const {
    const std::size_t pixels = columns_.size() * rows_.size();
    sample.bytes.assign(PaddedSampleSize(pixels), 0);
    sample.valid.assign(pixels, 1);
    sample.complete = true;
    if (!source_.HasData()) {
        std::fill(sample.valid.begin(), sample.valid.end(), 0);
        sample.complete = pixels == 0;
        return;
    }
    const bool alpha = source_.layout.hasAlpha;
    if (colours_ == Colours::FirstChannel) {
        alpha ? SampleAs<1, true>(cell, sample) : SampleAs<1, false>(cell, sample);
    } else {
        alpha ? SampleAs<3, true>(cell, sample) : SampleAs<3, false>(cell, sample);
    }
}

}  // namespace patchwork
