#include "imagefiles/PngChunks.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imagefiles/DeflateHandles.h"

namespace {

constexpr char kXmpKeyword[] = "XML:com.adobe.xmp";
constexpr char kProfileName[] = "ICC profile";
constexpr double kMetresPerInch = 0.0254;
// The largest profile we inflate: far above any real one (a few MB at most).
constexpr std::size_t kMaxProfileBytes = std::size_t(64) << 20;

std::vector<uint8_t> ZlibCompressed(const std::vector<uint8_t>& data) {
    const Compressor compressor = NewCompressor(9);
    std::vector<uint8_t> out(libdeflate_zlib_compress_bound(compressor.get(), data.size()));
    out.resize(libdeflate_zlib_compress(compressor.get(), data.data(), data.size(), out.data(), out.size()));
    return out;
}

// A zlib stream inflated whole, growing the buffer as needed up to `limit`.
bool ZlibInflated(const uint8_t* data, std::size_t size, std::size_t limit, std::vector<uint8_t>& out) {
    const Decompressor decompressor = NewDecompressor();
    for (std::size_t capacity = std::max<std::size_t>(size * 4, 4096);; capacity *= 2) {
        capacity = std::min(capacity, limit);
        out.resize(capacity);
        std::size_t actual = 0;
        const libdeflate_result result =
            libdeflate_zlib_decompress(decompressor.get(), data, size, out.data(), out.size(), &actual);
        if (result == LIBDEFLATE_SUCCESS) {
            out.resize(actual);
            return true;
        }
        if (result != LIBDEFLATE_INSUFFICIENT_SPACE || capacity == limit) return false;
    }
}

void PutKeyword(std::vector<uint8_t>& out, const char* keyword) {
    out.insert(out.end(), keyword, keyword + std::strlen(keyword) + 1);
}

// The bytes after a NUL-ended keyword of 1 to 79 bytes, or `length` when there is none.
std::size_t AfterKeyword(const PngChunkView& chunk) {
    const auto* end = static_cast<const uint8_t*>(std::memchr(chunk.data, 0, std::min<uint32_t>(chunk.length, 80)));
    if (end == nullptr || end == chunk.data) return chunk.length;
    return static_cast<std::size_t>(end - chunk.data) + 1;
}

void ReadProfile(const PngChunkView& chunk, ImageMetadata& metadata, std::vector<std::string>& notes) {
    const std::size_t start = AfterKeyword(chunk);
    std::vector<uint8_t> profile;
    if (start + 1 >= chunk.length || chunk.data[start] != 0 ||
        !ZlibInflated(chunk.data + start + 1, chunk.length - start - 1, kMaxProfileBytes, profile)) {
        notes.push_back("its colour profile chunk is damaged and is left out");
        return;
    }
    metadata.iccProfile = std::move(profile);
}

void ReadXmp(const PngChunkView& chunk, ImageMetadata& metadata, std::vector<std::string>& notes) {
    const std::size_t start = AfterKeyword(chunk);
    if (start == chunk.length || std::strcmp(reinterpret_cast<const char*>(chunk.data), kXmpKeyword) != 0) return;
    // Compression flag and method, then a language tag and a translated keyword, each NUL-ended.
    std::size_t at = start + 2;
    for (int field = 0; field < 2 && at <= chunk.length; ++field) {
        const void* nul = at < chunk.length ? std::memchr(chunk.data + at, 0, chunk.length - at) : nullptr;
        at = nul == nullptr ? chunk.length + 1
                            : static_cast<std::size_t>(static_cast<const uint8_t*>(nul) - chunk.data) + 1;
    }
    if (at > chunk.length) {
        notes.push_back("its XMP chunk is damaged and is left out");
        return;
    }
    const uint8_t* text = chunk.data + at;
    const std::size_t length = chunk.length - at;
    if (chunk.data[start] == 0) {
        metadata.xmp.assign(reinterpret_cast<const char*>(text), length);
        return;
    }
    std::vector<uint8_t> inflated;
    if (chunk.data[start + 1] != 0 || !ZlibInflated(text, length, kMaxProfileBytes, inflated)) {
        notes.push_back("its XMP chunk is damaged and is left out");
        return;
    }
    metadata.xmp.assign(inflated.begin(), inflated.end());
}

void ReadResolution(const PngChunkView& chunk, ImageMetadata& metadata) {
    // Unit 1 is the metre; unit 0 gives only the pixels' aspect.
    if (chunk.length != 9 || chunk.data[8] != 1) return;
    const uint32_t perMetre = ReadBigEndian(chunk.data);
    if (perMetre > 0) metadata.pixelsPerInch = perMetre * kMetresPerInch;
}

}  // namespace

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t ReadBigEndian(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

std::vector<uint8_t> PngChunk(const char* type, const uint8_t* data, std::size_t length) {
    std::vector<uint8_t> chunk;
    chunk.reserve(length + 12);
    PutBigEndian(chunk, static_cast<uint32_t>(length));
    chunk.insert(chunk.end(), type, type + 4);
    if (length > 0) chunk.insert(chunk.end(), data, data + length);
    PutBigEndian(chunk, libdeflate_crc32(0, chunk.data() + 4, length + 4));
    return chunk;
}

std::vector<uint8_t> PngMetadataChunks(const ImageMetadata& metadata) {
    std::vector<uint8_t> chunks;
    auto add = [&chunks](const char* type, const std::vector<uint8_t>& data) {
        const std::vector<uint8_t> chunk = PngChunk(type, data.data(), data.size());
        chunks.insert(chunks.end(), chunk.begin(), chunk.end());
    };
    if (!metadata.iccProfile.empty()) {
        std::vector<uint8_t> data;
        PutKeyword(data, kProfileName);
        data.push_back(0);  // deflate
        const std::vector<uint8_t> compressed = ZlibCompressed(metadata.iccProfile);
        data.insert(data.end(), compressed.begin(), compressed.end());
        add("iCCP", data);
    }
    if (metadata.pixelsPerInch > 0.0) {
        const double perMetre = std::round(metadata.pixelsPerInch / kMetresPerInch);
        const auto value = static_cast<uint32_t>(std::min(perMetre, double(INT32_MAX)));
        std::vector<uint8_t> data;
        PutBigEndian(data, value);
        PutBigEndian(data, value);
        data.push_back(1);
        add("pHYs", data);
    }
    if (!metadata.exif.empty()) add("eXIf", metadata.exif);
    if (!metadata.xmp.empty()) {
        std::vector<uint8_t> data;
        PutKeyword(data, kXmpKeyword);
        data.insert(data.end(), {0, 0, 0, 0});  // uncompressed, no language, no translated keyword
        data.insert(data.end(), metadata.xmp.begin(), metadata.xmp.end());
        add("iTXt", data);
    }
    return chunks;
}

std::vector<PngChunkView> PngChunks(const uint8_t* data, std::size_t size, std::string& problem) {
    std::vector<PngChunkView> chunks;
    if (size < sizeof kPngSignature || std::memcmp(data, kPngSignature, sizeof kPngSignature) != 0) {
        problem = "not a PNG file";
        return {};
    }
    std::size_t at = sizeof kPngSignature;
    for (;;) {
        if (size - at < 12) {
            problem = "the file is truncated";
            return {};
        }
        const uint32_t length = ReadBigEndian(data + at);
        if (length > INT32_MAX || size - at - 12 < length) {
            problem = "the file is truncated";
            return {};
        }
        PngChunkView chunk;
        chunk.type.assign(reinterpret_cast<const char*>(data + at + 4), 4);
        chunk.data = data + at + 8;
        chunk.length = length;
        const uint32_t crc = ReadBigEndian(data + at + 8 + length);
        const bool critical = (data[at + 4] & 0x20) == 0;
        at += std::size_t(12) + length;
        if (libdeflate_crc32(0, chunk.data - 4, std::size_t(length) + 4) != crc) {
            if (!critical) continue;
            problem = "the file is damaged (a " + chunk.type + " chunk's checksum is wrong)";
            return {};
        }
        chunks.push_back(chunk);
        if (chunk.type == "IEND") return chunks;
    }
}

void ReadPngMetadataChunk(const PngChunkView& chunk, ImageMetadata& metadata, std::vector<std::string>& notes) {
    if (chunk.type == "iCCP") {
        ReadProfile(chunk, metadata, notes);
    } else if (chunk.type == "eXIf") {
        metadata.exif.assign(chunk.data, chunk.data + chunk.length);
    } else if (chunk.type == "iTXt") {
        ReadXmp(chunk, metadata, notes);
    } else if (chunk.type == "pHYs") {
        ReadResolution(chunk, metadata);
    }
}
