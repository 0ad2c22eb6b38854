// Row-table image: planes read from the host and the selection mask.
//
// Pixels are addressed by document position through a table with one entry
// per row, so a row can live anywhere: in one owned buffer, in the host's own
// buffer (wrapped, not owned), or shared by every row (a constant mask).
// Movable, not copyable; the destructor frees whatever the image owns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/Rect.h"
#include "base/ResultCode.h"

class RowImage {
public:
    RowImage() = default;
    ~RowImage() = default;
    RowImage(const RowImage&) = delete;
    RowImage& operator=(const RowImage&) = delete;
    RowImage(RowImage&& other) noexcept;
    RowImage& operator=(RowImage&& other) noexcept;

    // Owned, zero-filled pixels for `rect`, rows packed one after the other.
    // -1 for a non-positive sample count or size. On failure the image is empty.
    ResultCode Allocate(const Rect& rect, int32_t samplesPerPixel, int32_t bytesPerSample);

    // A one-byte mask whose every row is the same owned row filled with
    // `value`, so that a full selection costs one row of memory.
    ResultCode AllocateConstantMask(const Rect& rect, unsigned char value);

    // Views someone else's rows (the host's buffer): `firstPixel` is the
    // address of (rect.left, rect.top) and each next row starts `rowBytes`
    // further on. Nothing is copied or owned.
    ResultCode WrapRows(const Rect& rect, int32_t samplesPerPixel, int32_t bytesPerSample, unsigned char* firstPixel,
                        std::ptrdiff_t rowBytes);

    // Frees what the image owns and leaves it empty (no rows, empty bounds).
    void Free();

    // Copies the smallest rectangle holding every non-zero sample of this
    // one-byte mask into `cropped` (an empty rectangle at the mask's top left
    // corner when every sample is zero). `cropped` may be this image.
    ResultCode CropToContent(RowImage& cropped) const;

    const Rect& Bounds() const { return bounds_; }
    int32_t SamplesPerPixel() const { return samplesPerPixel_; }
    int32_t BytesPerSample() const { return bytesPerSample_; }
    std::ptrdiff_t PixelBytes() const { return static_cast<std::ptrdiff_t>(samplesPerPixel_) * bytesPerSample_; }
    bool OwnsPixels() const { return pixels_ != nullptr; }
    bool HasRows() const { return rowTable_ != nullptr; }

    // Address of (left, top), or null when the image has no rows.
    unsigned char* FirstPixel() const { return HasRows() ? rowTable_[0] : nullptr; }
    // Bytes from one row to the next: 0 without rows, the row width for a
    // single row, 0 for a constant mask.
    std::ptrdiff_t RowDistance() const;
    // Address of (bounds.left, y); y must be a row of the image.
    unsigned char* Row(int32_t y) const { return rowTable_[static_cast<std::ptrdiff_t>(y) - bounds_.top]; }
    // No bounds check: callers keep (x, y) inside the bounds.
    unsigned char* PixelAddress(int32_t x, int32_t y) const {
        return Row(y) + (static_cast<std::ptrdiff_t>(x) - bounds_.left) * PixelBytes();
    }

private:
    // Checks the rectangle and sample format and builds an empty row table
    // for it; the caller fills the entries.
    ResultCode PrepareTable(const Rect& rect, int32_t samplesPerPixel, int32_t bytesPerSample, std::size_t& rowBytes);

    Rect bounds_;
    int32_t samplesPerPixel_ = 0;
    int32_t bytesPerSample_ = 0;
    // Entry i is the address of (bounds_.left, bounds_.top + i). Storing the
    // row's first pixel rather than column 0 keeps every stored address inside
    // the buffer, whatever the document offset.
    std::unique_ptr<unsigned char*[]> rowTable_;
    std::unique_ptr<unsigned char[]> pixels_;  // set when the pixels are ours
};
