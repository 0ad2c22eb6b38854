#include "image/RowImage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace {

constexpr uint64_t kMaxObjectBytes = static_cast<uint64_t>(std::numeric_limits<std::ptrdiff_t>::max());

// a × b when the product stays within kMaxObjectBytes.
bool MultiplyWithinLimit(uint64_t a, uint64_t b, uint64_t& product) {
    if (a != 0 && b > kMaxObjectBytes / a) return false;
    product = a * b;
    return true;
}

uint64_t RowCount(const Rect& rect) { return static_cast<uint64_t>(int64_t{rect.bottom} - rect.top); }
uint64_t ColumnCount(const Rect& rect) { return static_cast<uint64_t>(int64_t{rect.right} - rect.left); }

}  // namespace

RowImage::RowImage(RowImage&& other) noexcept
    : bounds_(std::exchange(other.bounds_, Rect())),
      samplesPerPixel_(std::exchange(other.samplesPerPixel_, 0)),
      bytesPerSample_(std::exchange(other.bytesPerSample_, 0)),
      rowTable_(std::move(other.rowTable_)),
      pixels_(std::move(other.pixels_)) {}

RowImage& RowImage::operator=(RowImage&& other) noexcept {
    if (this == &other) return *this;
    bounds_ = std::exchange(other.bounds_, Rect());
    samplesPerPixel_ = std::exchange(other.samplesPerPixel_, 0);
    bytesPerSample_ = std::exchange(other.bytesPerSample_, 0);
    rowTable_ = std::move(other.rowTable_);
    pixels_ = std::move(other.pixels_);
    return *this;
}

void RowImage::Free() {
    pixels_.reset();
    rowTable_.reset();
    bounds_ = Rect();
    samplesPerPixel_ = 0;
    bytesPerSample_ = 0;
}

ResultCode RowImage::PrepareTable(const Rect& rect, int32_t samplesPerPixel, int32_t bytesPerSample,
                                  std::size_t& rowBytes) {
    Free();
    rowBytes = 0;
    if (samplesPerPixel <= 0 || bytesPerSample <= 0) return ResultCode::Failure();
    if (rect.IsEmpty()) {
        // No rows to address: keep the rectangle (callers read its corner) and
        // the format, allocate nothing.
        bounds_ = rect;
        samplesPerPixel_ = samplesPerPixel;
        bytesPerSample_ = bytesPerSample;
        return ResultCode::Success();
    }
    uint64_t pixelBytes = 0;
    uint64_t width = 0;
    uint64_t tableBytes = 0;
    if (!MultiplyWithinLimit(static_cast<uint64_t>(samplesPerPixel), static_cast<uint64_t>(bytesPerSample),
                             pixelBytes) ||
        !MultiplyWithinLimit(ColumnCount(rect), pixelBytes, width) ||
        !MultiplyWithinLimit(RowCount(rect), sizeof(unsigned char*), tableBytes)) {
        return ResultCode::OutOfMemory();
    }
    rowTable_.reset(new (std::nothrow) unsigned char*[RowCount(rect)]);
    if (!rowTable_) return ResultCode::OutOfMemory();
    bounds_ = rect;
    samplesPerPixel_ = samplesPerPixel;
    bytesPerSample_ = bytesPerSample;
    rowBytes = static_cast<std::size_t>(width);
    return ResultCode::Success();
}

ResultCode RowImage::Allocate(const Rect& rect, int32_t samplesPerPixel, int32_t bytesPerSample) {
    // Refuse a buffer whose size does not fit before the table is allocated.
    const uint64_t pixelBytes = static_cast<uint64_t>(samplesPerPixel) * static_cast<uint64_t>(bytesPerSample);
    uint64_t rowBytes = 0;
    uint64_t totalBytes = 0;
    if (samplesPerPixel > 0 && bytesPerSample > 0 && !rect.IsEmpty() &&
        !(MultiplyWithinLimit(ColumnCount(rect), pixelBytes, rowBytes) &&
          MultiplyWithinLimit(rowBytes, RowCount(rect), totalBytes))) {
        Free();
        return ResultCode::OutOfMemory();
    }
    std::size_t tableRowBytes = 0;
    const ResultCode prepared = PrepareTable(rect, samplesPerPixel, bytesPerSample, tableRowBytes);
    if (prepared.IsFailure() || !HasRows()) return prepared;
    pixels_.reset(new (std::nothrow) unsigned char[static_cast<std::size_t>(totalBytes)]());
    if (!pixels_) {
        Free();
        return ResultCode::OutOfMemory();
    }
    unsigned char* row = pixels_.get();
    const uint64_t rows = RowCount(rect);
    for (uint64_t i = 0; i < rows; ++i, row += tableRowBytes) rowTable_[i] = row;
    return ResultCode::Success();
}

ResultCode RowImage::AllocateConstantMask(const Rect& rect, unsigned char value) {
    std::size_t rowBytes = 0;
    const ResultCode prepared = PrepareTable(rect, 1, 1, rowBytes);
    if (prepared.IsFailure() || !HasRows()) return prepared;
    pixels_.reset(new (std::nothrow) unsigned char[rowBytes]);
    if (!pixels_) {
        Free();
        return ResultCode::OutOfMemory();
    }
    std::memset(pixels_.get(), value, rowBytes);
    const uint64_t rows = RowCount(rect);
    for (uint64_t i = 0; i < rows; ++i) rowTable_[i] = pixels_.get();
    return ResultCode::Success();
}

ResultCode RowImage::WrapRows(const Rect& rect, int32_t samplesPerPixel, int32_t bytesPerSample,
                              unsigned char* firstPixel, std::ptrdiff_t rowBytes) {
    if (!rect.IsEmpty()) {
        if (firstPixel == nullptr) {
            Free();
            return ResultCode::Failure();
        }
        // The last row's offset must be representable, or the table would
        // hold wrapped addresses.
        const uint64_t stepMagnitude =
            rowBytes < 0 ? uint64_t{0} - static_cast<uint64_t>(rowBytes) : static_cast<uint64_t>(rowBytes);
        uint64_t span = 0;
        if (!MultiplyWithinLimit(RowCount(rect) - 1, stepMagnitude, span)) {
            Free();
            return ResultCode::OutOfMemory();
        }
    }
    std::size_t pixelRowBytes = 0;
    const ResultCode prepared = PrepareTable(rect, samplesPerPixel, bytesPerSample, pixelRowBytes);
    if (prepared.IsFailure() || !HasRows()) return prepared;
    const uint64_t rows = RowCount(rect);
    unsigned char* row = firstPixel;
    for (uint64_t i = 0; i < rows; ++i) {
        rowTable_[i] = row;
        if (i + 1 < rows) row += rowBytes;
    }
    return ResultCode::Success();
}

std::ptrdiff_t RowImage::RowDistance() const {
    if (!HasRows()) return 0;
    if (RowCount(bounds_) == 1) return static_cast<std::ptrdiff_t>(ColumnCount(bounds_)) * PixelBytes();
    return rowTable_[1] - rowTable_[0];
}

namespace {

// First and last column (relative to the row start) holding a non-zero byte;
// false when the row is all zero.
bool NonZeroSpan(const unsigned char* row, std::size_t width, std::size_t& first, std::size_t& last) {
    std::size_t i = 0;
    while (i < width && row[i] == 0) ++i;
    if (i == width) return false;
    first = i;
    std::size_t j = width - 1;
    while (row[j] == 0) --j;
    last = j;
    return true;
}

}  // namespace

ResultCode RowImage::CropToContent(RowImage& cropped) const {
    if (samplesPerPixel_ != 1 || bytesPerSample_ != 1) return ResultCode::Failure();
    const Rect corner(bounds_.top, bounds_.left, bounds_.top, bounds_.left);
    RowImage result;
    if (!HasRows()) {
        const ResultCode code = result.Allocate(corner, 1, 1);
        if (code.IsSuccess()) cropped = std::move(result);
        return code;
    }
    const std::size_t width = static_cast<std::size_t>(ColumnCount(bounds_));
    bool found = false;
    std::size_t minColumn = 0;
    std::size_t maxColumn = 0;
    int32_t minRow = 0;
    int32_t maxRow = 0;
    for (int32_t y = bounds_.top; y < bounds_.bottom; ++y) {
        std::size_t first = 0;
        std::size_t last = 0;
        if (!NonZeroSpan(Row(y), width, first, last)) continue;
        if (!found) {
            minColumn = first;
            maxColumn = last;
            minRow = y;
            found = true;
        }
        minColumn = std::min(minColumn, first);
        maxColumn = std::max(maxColumn, last);
        maxRow = y;
    }
    if (!found) {
        const ResultCode code = result.Allocate(corner, 1, 1);
        if (code.IsSuccess()) cropped = std::move(result);
        return code;
    }
    const int32_t left = static_cast<int32_t>(bounds_.left + static_cast<int64_t>(minColumn));
    const int32_t right = static_cast<int32_t>(bounds_.left + static_cast<int64_t>(maxColumn) + 1);
    const ResultCode code = result.Allocate(Rect(minRow, left, maxRow + 1, right), 1, 1);
    if (code.IsFailure()) return code;
    const std::size_t croppedWidth = maxColumn - minColumn + 1;
    for (int32_t y = minRow; y <= maxRow; ++y) std::memcpy(result.Row(y), Row(y) + minColumn, croppedWidth);
    cropped = std::move(result);
    return ResultCode::Success();
}
