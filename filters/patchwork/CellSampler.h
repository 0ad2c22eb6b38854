// A cell of the source seen at thumbnail resolution, the form in which it is
// compared with the tiles' thumbnails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Rect.h"
#include "filters/patchwork/PatchworkCells.h"
#include "image/Image.h"

namespace patchwork {

// Samples are compared in blocks of this many bytes.
inline constexpr std::size_t kSampleBlock = 32;

// The bytes of tw × th pixels, rounded up to whole blocks.
inline std::size_t PaddedSampleSize(std::size_t pixels) { return CeilDiv(pixels * 3, kSampleBlock) * kSampleBlock; }

// tw × th pixels in thumbnail order (row by row), three bytes each (red,
// green, blue) followed by zeros up to PaddedSampleSize, and whether each
// pixel saw any of the source.
struct CellSample {
    std::vector<unsigned char> bytes;
    std::vector<unsigned char> valid;  // 1 or 0 per pixel
    bool complete = false;             // every pixel is valid
};

// Samples cells of one size from `source`. The cell is cut into tw × th
// sub-rectangles: sub-rectangle (i, j) spans i × (w / tw) to (i + 1) ×
// (w / tw) across and j × (h / th) to (j + 1) × (h / th) down (integer
// steps, from the cell's corner). Along an axis where the cell is shorter
// than the thumbnail (the step would be 0 and every sub-rectangle empty),
// sub-rectangle i is instead the one pixel under the centre of thumbnail
// pixel i. Each sub-rectangle is clipped to the source; one with nothing
// left is invalid, the others hold the source's mean colour over them
// (MeanColour's rounding; alpha-weighted with alpha). Colours of an RGB
// source are taken as they are, of a Lab source converted to RGB, and the
// first channel of any other source stands for all three.
//
// Holds no state that Sample changes: one sampler may serve many threads.
class CellSampler {
public:
    CellSampler(const Image<unsigned char>& source, CellSize cell, int32_t thumbnailWidth, int32_t thumbnailHeight);

    int32_t ThumbnailPixels() const { return static_cast<int32_t>(columns_.size() * rows_.size()); }
    // Fills `sample` (resized as needed) for the cell whose top-left corner
    // is `cell`'s.
    void Sample(const Rect& cell, CellSample& sample) const;

private:
    // One sub-rectangle's extent along an axis, from the cell's corner.
    struct Span {
        int32_t begin;
        int32_t end;
    };
    // How the source's colours become red, green and blue.
    enum class Colours { RGB, Lab, FirstChannel };

    static std::vector<Span> Spans(int32_t cellLength, int32_t parts);
    // Sample for sources with kUsed colour channels to read, with or
    // without alpha.
    template <int kUsed, bool kAlpha>
    void SampleAs(const Rect& cell, CellSample& sample) const;

    const Image<unsigned char>& source_;
    Colours colours_;
    std::vector<Span> columns_;
    std::vector<Span> rows_;
    // Means of whole sub-rectangles without alpha, by their sum.
    uint64_t wholeArea_ = 0;
    std::vector<unsigned char> wholeMeans_;
};

}  // namespace patchwork
