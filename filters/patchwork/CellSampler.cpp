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

enum class Colours { RGB, Lab, FirstChannel };

Colours ColoursOf(const ChannelLayout& layout) {
    if (layout.colourChannels < 3) return Colours::FirstChannel;
    if (layout.colourModel == kColourModelRGB) return Colours::RGB;
    if (layout.colourModel == kColourModelLab) return Colours::Lab;
    return Colours::FirstChannel;
}

}  // namespace

CellSampler::CellSampler(const Image<unsigned char>& source, CellSize cell, int32_t thumbnailWidth,
                         int32_t thumbnailHeight)
    : source_(source), columns_(Spans(cell.width, thumbnailWidth)), rows_(Spans(cell.height, thumbnailHeight)) {}

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

void CellSampler::MeanRGB(const Rect& area, unsigned char* rgb) const {
    const ChannelLayout& layout = source_.layout;
    const Colours colours = ColoursOf(layout);
    const int32_t used = colours == Colours::FirstChannel ? 1 : 3;
    const bool hasAlpha = layout.hasAlpha;
    const int32_t alphaIndex = layout.colourChannels;
    uint64_t sums[3] = {0, 0, 0};
    uint64_t weight = 0;  // pixels, or the sum of alpha
    const std::ptrdiff_t step = source_.pixelStride;
    const unsigned char* row = source_.data +
                               static_cast<std::ptrdiff_t>(area.top - source_.bounds.top) * source_.rowStride +
                               static_cast<std::ptrdiff_t>(area.left - source_.bounds.left) * step;
    for (int32_t y = area.top; y < area.bottom; ++y, row += source_.rowStride) {
        const unsigned char* p = row;
        for (int32_t x = area.left; x < area.right; ++x, p += step) {
            const uint64_t w = hasAlpha ? p[alphaIndex] : 1;
            weight += w;
            for (int32_t c = 0; c < used; ++c) sums[c] += w * p[c];
        }
    }
    unsigned char mean[3] = {0, 0, 0};
    if (weight > 0)
        for (int32_t c = 0; c < used; ++c) mean[c] = RoundedMean(sums[c], weight);
    switch (colours) {
        case Colours::RGB: std::copy(mean, mean + 3, rgb); break;
        case Colours::Lab: {
            const ColorSpec lab{ColorSpec::kLab, mean[0], mean[1], mean[2], 0};
            const std::array<uint8_t, 3> converted = ColourToRGB(lab);
            std::copy(converted.begin(), converted.end(), rgb);
            break;
        }
        case Colours::FirstChannel: std::fill(rgb, rgb + 3, mean[0]); break;
    }
}

void CellSampler::Sample(const Rect& cell, CellSample& sample) const {
    const std::size_t pixels = columns_.size() * rows_.size();
    sample.bytes.assign(PaddedSampleSize(pixels), 0);
    sample.valid.assign(pixels, 1);
    sample.complete = true;
    std::size_t index = 0;
    for (const Span& row : rows_) {
        for (const Span& column : columns_) {
            const Rect part(cell.top + row.begin, cell.left + column.begin, cell.top + row.end, cell.left + column.end);
            const Rect inside = Rect::Intersect(part, source_.bounds);
            if (inside.IsEmpty() || !source_.HasData()) {
                sample.valid[index] = 0;
                sample.complete = false;
            } else {
                MeanRGB(inside, &sample.bytes[index * 3]);
            }
            ++index;
        }
    }
}

}  // namespace patchwork
