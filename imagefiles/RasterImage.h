// An 8-bit image as the command-line host reads and writes it: channels
// interleaved, rows packed top to bottom with no padding.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// The largest image the host reads: 2^28 pixels (1 GiB as RGBA). Files that
// claim more are refused before anything is allocated for them.
constexpr uint64_t kMaxRasterPixels = uint64_t(1) << 28;

struct RasterImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 0;  // 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    std::vector<uint8_t> pixels;

    RasterImage() = default;
    // Zero-filled pixels; negative arguments count as zero.
    RasterImage(int32_t w, int32_t h, int32_t c)
        : width(std::max(w, 0)),
          height(std::max(h, 0)),
          channels(std::max(c, 0)),
          pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(channels)) {}

    size_t RowBytes() const { return static_cast<size_t>(width) * static_cast<size_t>(channels); }
    uint8_t* Row(int32_t y) { return pixels.data() + static_cast<size_t>(y) * RowBytes(); }
    const uint8_t* Row(int32_t y) const { return pixels.data() + static_cast<size_t>(y) * RowBytes(); }
    bool HasAlpha() const { return channels == 2 || channels == 4; }

    // A non-empty image with 1 to 4 channels whose buffer holds exactly its rows.
    bool IsConsistent() const {
        return width > 0 && height > 0 && channels >= 1 && channels <= 4 && pixels.size() == RowBytes() * height;
    }
};
