#include "imagefiles/ExifData.h"

#include <optional>

#include "imagefiles/TiffStructure.h"

namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kXResolutionTag = 0x011A;
constexpr uint16_t kResolutionUnitTag = 0x0128;
constexpr uint16_t kShortType = 3;
constexpr uint16_t kRationalType = 5;

// The first directory: where its entries start and how many there are,
// all of them inside the data.
struct Directory {
    std::size_t entries = 0;
    uint16_t count = 0;
};

std::optional<Directory> FirstDirectory(const TiffBytes& reader) {
    const std::optional<uint32_t> offset = reader.U32(4);
    if (!offset) return std::nullopt;
    const std::optional<uint16_t> count = reader.U16(*offset);
    if (!count) return std::nullopt;
    const std::size_t entries = std::size_t(*offset) + 2;
    if (entries > reader.Size() || (reader.Size() - entries) / kTiffEntryBytes < *count) return std::nullopt;
    return Directory{entries, *count};
}

// The entry of `tag` with `type` and a count of 1: the offset of the entry.
std::optional<std::size_t> FindEntry(const TiffBytes& reader, const Directory& directory, uint16_t tag, uint16_t type) {
    for (uint16_t i = 0; i < directory.count; ++i) {
        const std::size_t entry = directory.entries + std::size_t(i) * kTiffEntryBytes;
        if (reader.U16(entry) != tag) continue;
        if (reader.U16(entry + 2) != type || reader.U32(entry + 4) != 1u) return std::nullopt;
        return entry;
    }
    return std::nullopt;
}

std::optional<uint16_t> ShortField(const std::vector<uint8_t>& exif, uint16_t tag) {
    TiffBytes reader(exif.data(), exif.size());
    if (!reader.ReadHeader()) return std::nullopt;
    const std::optional<Directory> directory = FirstDirectory(reader);
    if (!directory) return std::nullopt;
    const std::optional<std::size_t> entry = FindEntry(reader, *directory, tag, kShortType);
    if (!entry) return std::nullopt;
    return reader.U16(*entry + 8);
}

}  // namespace

bool ExifIsReadable(const std::vector<uint8_t>& exif) {
    TiffBytes reader(exif.data(), exif.size());
    return reader.ReadHeader() && FirstDirectory(reader).has_value();
}

int ExifOrientation(const std::vector<uint8_t>& exif) {
    const std::optional<uint16_t> value = ShortField(exif, kOrientationTag);
    return value && *value >= 1 && *value <= 8 ? *value : 1;
}

void ClearExifOrientation(std::vector<uint8_t>& exif) {
    TiffBytes reader(exif.data(), exif.size());
    if (!reader.ReadHeader()) return;
    const std::optional<Directory> directory = FirstDirectory(reader);
    if (!directory) return;
    const std::optional<std::size_t> entry = FindEntry(reader, *directory, kOrientationTag, kShortType);
    if (!entry) return;
    // The short sits in the first two bytes of the value field.
    exif[*entry + 8] = reader.BigEndian() ? 0 : 1;
    exif[*entry + 9] = reader.BigEndian() ? 1 : 0;
}

double ExifPixelsPerInch(const std::vector<uint8_t>& exif) {
    TiffBytes reader(exif.data(), exif.size());
    if (!reader.ReadHeader()) return 0.0;
    const std::optional<Directory> directory = FirstDirectory(reader);
    if (!directory) return 0.0;
    const std::optional<std::size_t> entry = FindEntry(reader, *directory, kXResolutionTag, kRationalType);
    if (!entry) return 0.0;
    const std::optional<uint32_t> offset = reader.U32(*entry + 8);
    if (!offset) return 0.0;
    const std::optional<uint32_t> numerator = reader.U32(*offset);
    const std::optional<uint32_t> denominator = reader.U32(std::size_t(*offset) + 4);
    if (!numerator || !denominator || *denominator == 0 || *numerator == 0) return 0.0;
    const double perUnit = static_cast<double>(*numerator) / *denominator;
    // Unit 2 is the inch (also when the tag is missing), 3 the centimetre; 1 states no unit.
    const uint16_t unit = ShortField(exif, kResolutionUnitTag).value_or(2);
    if (unit == 2) return perUnit;
    if (unit == 3) return perUnit * 2.54;
    return 0.0;
}
