// Reading TIFF-structured bytes (TIFF files, EXIF data): the byte order the
// header names, 16- and 32-bit values read only where the data holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

constexpr std::size_t kTiffEntryBytes = 12;

class TiffBytes {
public:
    TiffBytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // "II" or "MM" and 42: false for anything else.
    bool ReadHeader() {
        if (size_ < 8 || data_[0] != data_[1] || (data_[0] != 'I' && data_[0] != 'M')) return false;
        bigEndian_ = data_[0] == 'M';
        return U16(2) == 42u;
    }
    bool BigEndian() const { return bigEndian_; }
    std::size_t Size() const { return size_; }
    bool Has(std::size_t offset, std::size_t length) const { return offset <= size_ && size_ - offset >= length; }
    std::optional<uint16_t> U16(std::size_t offset) const {
        if (!Has(offset, 2)) return std::nullopt;
        return static_cast<uint16_t>(bigEndian_ ? data_[offset] << 8 | data_[offset + 1]
                                                : data_[offset + 1] << 8 | data_[offset]);
    }
    std::optional<uint32_t> U32(std::size_t offset) const {
        const std::optional<uint16_t> a = U16(offset);
        const std::optional<uint16_t> b = U16(offset + 2);
        if (!a || !b) return std::nullopt;
        return bigEndian_ ? uint32_t(*a) << 16 | *b : uint32_t(*b) << 16 | *a;
    }
    const uint8_t* At(std::size_t offset) const { return data_ + offset; }

private:
    const uint8_t* data_;
    std::size_t size_;
    bool bigEndian_ = false;
};
