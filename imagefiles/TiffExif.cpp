#include "imagefiles/TiffExif.h"

#include "imagefiles/TiffStructure.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr uint16_t kExifDirectoryTag = 34665;
constexpr uint16_t kGpsDirectoryTag = 34853;
constexpr uint16_t kInteroperabilityTag = 40965;
// Descriptive tags of the first directory: description, make, model,
// software, date and time, artist, host computer, copyright.
constexpr std::array<uint16_t, 8> kDescriptiveTags = {270, 271, 272, 305, 306, 315, 316, 33432};
// Directories nest at most this deep (first, EXIF, interoperability).
constexpr int kMaxDepth = 3;

bool IsPointer(uint16_t tag) {
    return tag == kExifDirectoryTag || tag == kGpsDirectoryTag || tag == kInteroperabilityTag;
}

bool IsDescriptive(uint16_t tag) {
    return std::find(kDescriptiveTags.begin(), kDescriptiveTags.end(), tag) != kDescriptiveTags.end();
}

std::size_t TypeBytes(uint16_t type) {
    switch (type) {
        case 1:
        case 2:
        case 6:
        case 7: return 1;
        case 3:
        case 8: return 2;
        case 4:
        case 9:
        case 11:
        case 13: return 4;
        case 5:
        case 10:
        case 12: return 8;
        default: return 0;
    }
}

struct Entry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    std::array<uint8_t, 4> inlineValue{};
    std::vector<uint8_t> value;    // values longer than four bytes
    uint32_t valueOffset = 0;      // where they are in the data read
    bool valueStays = false;       // written back to the same data: they stay where they are
    std::vector<Entry> directory;  // the directory a pointer tag points to
};

void Put16(std::vector<uint8_t>& out, uint16_t value, bool bigEndian) {
    out.push_back(static_cast<uint8_t>(bigEndian ? value >> 8 : value));
    out.push_back(static_cast<uint8_t>(bigEndian ? value : value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value, bool bigEndian) {
    Put16(out, static_cast<uint16_t>(bigEndian ? value >> 16 : value), bigEndian);
    Put16(out, static_cast<uint16_t>(bigEndian ? value : value >> 16), bigEndian);
}

void Patch32(std::vector<uint8_t>& out, std::size_t at, uint32_t value, bool bigEndian) {
    std::vector<uint8_t> bytes;
    Put32(bytes, value, bigEndian);
    std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
}

std::optional<std::vector<Entry>> ReadDirectory(const TiffBytes& tiff, uint32_t offset, int depth);

std::optional<Entry> ReadEntry(const TiffBytes& tiff, std::size_t at, int depth) {
    Entry entry;
    entry.tag = *tiff.U16(at);
    entry.type = *tiff.U16(at + 2);
    entry.count = *tiff.U32(at + 4);
    std::copy(tiff.At(at + 8), tiff.At(at + 12), entry.inlineValue.begin());
    if (IsPointer(entry.tag)) {
        if (entry.count != 1 || (entry.type != 4 && entry.type != 13)) return std::nullopt;
        std::optional<std::vector<Entry>> directory = ReadDirectory(tiff, *tiff.U32(at + 8), depth + 1);
        if (!directory) return std::nullopt;
        entry.directory = std::move(*directory);
        return entry;
    }
    const std::size_t unit = TypeBytes(entry.type);
    if (unit == 0) return std::nullopt;
    const uint64_t length = uint64_t(unit) * entry.count;
    if (length <= 4) return entry;
    entry.valueOffset = *tiff.U32(at + 8);
    if (!tiff.Has(entry.valueOffset, static_cast<std::size_t>(length))) return std::nullopt;
    entry.value.assign(tiff.At(entry.valueOffset), tiff.At(entry.valueOffset) + length);
    return entry;
}

std::optional<std::vector<Entry>> ReadDirectory(const TiffBytes& tiff, uint32_t offset, int depth) {
    const std::optional<uint16_t> count = tiff.U16(offset);
    if (depth > kMaxDepth || !count || !tiff.Has(std::size_t(offset) + 2, std::size_t(*count) * kTiffEntryBytes))
        return std::nullopt;
    std::vector<Entry> entries;
    for (uint16_t i = 0; i < *count; ++i) {
        std::optional<Entry> entry = ReadEntry(tiff, std::size_t(offset) + 2 + std::size_t(i) * kTiffEntryBytes, depth);
        if (!entry) return std::nullopt;
        entries.push_back(std::move(*entry));
    }
    return entries;
}

// Appends `entries` as a directory (values after it, each on an even
// offset) and returns its offset.
uint32_t WriteDirectory(std::vector<Entry> entries, std::vector<uint8_t>& out, bool bigEndian) {
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
    if (out.size() % 2 != 0) out.push_back(0);
    const auto start = static_cast<uint32_t>(out.size());
    Put16(out, static_cast<uint16_t>(entries.size()), bigEndian);
    for (const Entry& entry : entries) {
        Put16(out, entry.tag, bigEndian);
        Put16(out, entry.type, bigEndian);
        Put32(out, entry.count, bigEndian);
        out.insert(out.end(), entry.inlineValue.begin(), entry.inlineValue.end());
    }
    Put32(out, 0, bigEndian);  // no next directory
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        const std::size_t valueField = start + 2 + i * kTiffEntryBytes + 8;
        if (IsPointer(entry.tag)) {
            const uint32_t offset = WriteDirectory(entry.directory, out, bigEndian);
            Patch32(out, valueField, offset, bigEndian);
        } else if (entry.value.empty()) {
            continue;
        } else if (entry.valueStays) {
            Patch32(out, valueField, entry.valueOffset, bigEndian);
        } else {
            if (out.size() % 2 != 0) out.push_back(0);
            Patch32(out, valueField, static_cast<uint32_t>(out.size()), bigEndian);
            out.insert(out.end(), entry.value.begin(), entry.value.end());
        }
    }
    return start;
}

// The first directory's entries that EXIF data carries: descriptive tags and pointers to the EXIF and GPS data.
std::optional<std::vector<Entry>> ExifEntries(const TiffBytes& tiff) {
    const std::optional<uint32_t> first = tiff.U32(4);
    if (!first) return std::nullopt;
    const std::optional<uint16_t> count = tiff.U16(*first);
    if (!count || !tiff.Has(std::size_t(*first) + 2, std::size_t(*count) * kTiffEntryBytes)) return std::nullopt;
    std::vector<Entry> kept;
    for (uint16_t i = 0; i < *count; ++i) {
        const std::size_t at = std::size_t(*first) + 2 + std::size_t(i) * kTiffEntryBytes;
        const uint16_t tag = *tiff.U16(at);
        if (!IsDescriptive(tag) && tag != kExifDirectoryTag && tag != kGpsDirectoryTag) continue;
        std::optional<Entry> entry = ReadEntry(tiff, at, 0);
        if (!entry) return std::nullopt;
        kept.push_back(std::move(*entry));
    }
    return kept;
}

}  // namespace

std::vector<uint8_t> ExifFromTiffFile(const uint8_t* file, std::size_t size) {
    TiffBytes tiff(file, size);
    if (!tiff.ReadHeader()) return {};
    const std::optional<std::vector<Entry>> entries = ExifEntries(tiff);
    if (!entries || entries->empty()) return {};
    std::vector<uint8_t> exif(file, file + 4);
    Put32(exif, 8, tiff.BigEndian());
    WriteDirectory(*entries, exif, tiff.BigEndian());
    return exif;
}

bool ExifIsBigEndian(const std::vector<uint8_t>& exif) { return exif.size() >= 2 && exif[0] == 'M'; }

bool AddExifToTiffFile(std::vector<uint8_t>& file, const std::vector<uint8_t>& exif) {
    TiffBytes source(exif.data(), exif.size());
    TiffBytes target(file.data(), file.size());
    if (!source.ReadHeader() || !target.ReadHeader() || source.BigEndian() != target.BigEndian()) return false;
    const std::optional<std::vector<Entry>> added = ExifEntries(source);
    const std::optional<uint32_t> first = target.U32(4);
    if (!added || !first) return false;
    std::optional<std::vector<Entry>> entries = ReadDirectory(target, *first, 0);
    if (!entries) return false;
    // The file's own entries keep their values where they are.
    for (Entry& entry : *entries) entry.valueStays = true;
    for (const Entry& entry : *added) {
        const bool present =
            std::any_of(entries->begin(), entries->end(), [&entry](const Entry& own) { return own.tag == entry.tag; });
        if (!present) entries->push_back(entry);
    }
    std::vector<uint8_t> grown = file;
    const uint32_t directory = WriteDirectory(*entries, grown, target.BigEndian());
    Patch32(grown, 4, directory, target.BigEndian());
    file.swap(grown);
    return true;
}
