// PNG writing: the rows filtered and deflated in bands on every core.
//
// The image is cut into bands of whole rows, about kBandBytes of filtered
// data each, a cut that depends on the image alone. Each band is filtered
// (each row by the filter whose output has the smallest sum of magnitudes,
// the usual adaptive choice) and deflated on its own by libdeflate into a
// piece of raw deflate data, which all but the last band's then end on a
// byte boundary without the final flag (DeflatePieces.h). Joined in order,
// the pieces make the one zlib stream a PNG holds, with the bands' Adler-32
// sums combined; every band is one IDAT chunk. The file is the same whatever
// the number of threads.
//
// Fast compression is libdeflate's level kFastLevel, smallest its level
// kSmallestLevel: on photographs they match or beat zlib's level 6 and level
// 9 respectively, in a fraction of the time. A band that the fast level
// shrinks below 1/kFlatShare (flat or drawn content: stamps, patchwork) is
// coded again at kFlatLevel, whose longer matches pay there, and the smaller
// piece kept: on Patchwork's result that takes the file from 1.15 to 1.04
// times ImageMagick's size; smooth photographs stay above the share.
#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "base/Rect.h"
#include "image/Parallel.h"
#include "imagefiles/DeflateHandles.h"
#include "imagefiles/DeflatePieces.h"
#include "imagefiles/ImageFilesCodecs.h"
#include "imagefiles/PngChunks.h"

namespace {

constexpr std::size_t kBandBytes = std::size_t(1) << 20;
constexpr int kFastLevel = 3;
constexpr int kSmallestLevel = 10;
constexpr int kFlatLevel = 6;
constexpr std::size_t kFlatShare = 8;
// Bands coded at once: bounds the memory held for pieces not yet written.
constexpr int64_t kBandsPerWave = 16;
constexpr int kFilterTypes = 5;

uint8_t PngColourType(int channels) {
    switch (channels) {
        case 1: return 0;   // grey
        case 2: return 4;   // grey + alpha
        case 3: return 2;   // RGB
        default: return 6;  // RGBA
    }
}

// Each filter in a loop of its own over plain bytes, so that the compiler
// runs it on vectors. Bytes before the row's first pixel count as zero.
void FilterSub(const uint8_t* row, std::size_t length, std::size_t pixelBytes, uint8_t* out) {
    for (std::size_t i = 0; i < pixelBytes && i < length; ++i) out[i] = row[i];
    for (std::size_t i = pixelBytes; i < length; ++i) out[i] = static_cast<uint8_t>(row[i] - row[i - pixelBytes]);
}

void FilterUp(const uint8_t* row, const uint8_t* above, std::size_t length, uint8_t* out) {
    for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<uint8_t>(row[i] - above[i]);
}

void FilterAverage(const uint8_t* row, const uint8_t* above, std::size_t length, std::size_t pixelBytes, uint8_t* out) {
    for (std::size_t i = 0; i < pixelBytes && i < length; ++i) out[i] = static_cast<uint8_t>(row[i] - (above[i] >> 1));
    for (std::size_t i = pixelBytes; i < length; ++i) {
        const int mean = (row[i - pixelBytes] + above[i]) >> 1;
        out[i] = static_cast<uint8_t>(row[i] - mean);
    }
}

void FilterPaeth(const uint8_t* row, const uint8_t* above, std::size_t length, std::size_t pixelBytes, uint8_t* out) {
    // With a and c zero the predictor is b.
    for (std::size_t i = 0; i < pixelBytes && i < length; ++i) out[i] = static_cast<uint8_t>(row[i] - above[i]);
    for (std::size_t i = pixelBytes; i < length; ++i) {
        const int16_t a = row[i - pixelBytes], b = above[i], c = above[i - pixelBytes];
        const int16_t towardA = static_cast<int16_t>(b - c), towardB = static_cast<int16_t>(a - c);
        const int16_t pa = static_cast<int16_t>(towardA < 0 ? -towardA : towardA);
        const int16_t pb = static_cast<int16_t>(towardB < 0 ? -towardB : towardB);
        const int16_t sum = static_cast<int16_t>(towardA + towardB);
        const int16_t pc = static_cast<int16_t>(sum < 0 ? -sum : sum);
        const int16_t predictor = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
        out[i] = static_cast<uint8_t>(row[i] - predictor);
    }
}

// The sum of the bytes' magnitudes read as signed: min(v, 256 - v) each.
uint64_t MagnitudeSum(const uint8_t* bytes, std::size_t length) {
    uint64_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const uint8_t negated = static_cast<uint8_t>(-bytes[i]);
        sum += bytes[i] < negated ? bytes[i] : negated;
    }
    return sum;
}

// Filters `row` (with `above`, the unfiltered row before it, or zeros for
// the first) by each filter type into `candidates`, and returns the type
// whose bytes, read as signed, have the smallest sum of magnitudes.
int FilterRow(const uint8_t* row, const uint8_t* above, std::size_t length, std::size_t pixelBytes,
              std::array<uint8_t*, kFilterTypes>& candidates) {
    std::memcpy(candidates[0], row, length);
    FilterSub(row, length, pixelBytes, candidates[1]);
    FilterUp(row, above, length, candidates[2]);
    FilterAverage(row, above, length, pixelBytes, candidates[3]);
    FilterPaeth(row, above, length, pixelBytes, candidates[4]);
    int best = 0;
    uint64_t bestSum = UINT64_MAX;
    for (int type = 0; type < kFilterTypes; ++type) {
        const uint64_t sum = MagnitudeSum(candidates[static_cast<std::size_t>(type)], length);
        if (sum < bestSum) {
            bestSum = sum;
            best = type;
        }
    }
    return best;
}

// One band: its rows filtered, then deflated into one IDAT chunk.
struct Band {
    int32_t firstRow = 0;
    int32_t rows = 0;
    uint32_t adler = 1;
    std::size_t filteredLength = 0;
    std::vector<uint8_t> chunk;
    bool failed = false;
};

// Raw deflate of `length` bytes at `level`, joinable to what follows unless `last`.
bool Deflate(const uint8_t* data, std::size_t length, int level, bool last, std::vector<uint8_t>& out) {
    const Compressor compressor = NewCompressor(level);
    out.resize(libdeflate_deflate_compress_bound(compressor.get(), length));
    const std::size_t written = libdeflate_deflate_compress(compressor.get(), data, length, out.data(), out.size());
    if (written == 0) return false;
    out.resize(written);
    return last || MakeDeflatePieceJoinable(out);
}

void CodeBand(const RasterImage& image, PngCompression compression, bool last, Band& band) {
    const std::size_t rowBytes = image.RowBytes();
    const std::size_t pixelBytes = static_cast<std::size_t>(image.channels);
    std::vector<uint8_t> filtered((rowBytes + 1) * static_cast<std::size_t>(band.rows));
    std::vector<uint8_t> scratch(rowBytes * kFilterTypes);
    const std::vector<uint8_t> zeros(band.firstRow == 0 ? rowBytes : 0);
    std::array<uint8_t*, kFilterTypes> candidates;
    for (int type = 0; type < kFilterTypes; ++type) candidates[type] = scratch.data() + rowBytes * type;
    for (int32_t r = 0; r < band.rows; ++r) {
        const int32_t y = band.firstRow + r;
        const uint8_t* above = y == 0 ? zeros.data() : image.Row(y - 1);
        const int type = FilterRow(image.Row(y), above, rowBytes, pixelBytes, candidates);
        uint8_t* out = filtered.data() + (rowBytes + 1) * static_cast<std::size_t>(r);
        out[0] = static_cast<uint8_t>(type);
        std::memcpy(out + 1, candidates[static_cast<std::size_t>(type)], rowBytes);
    }
    band.filteredLength = filtered.size();
    band.adler = libdeflate_adler32(1, filtered.data(), filtered.size());
    std::vector<uint8_t> coded;
    const int level = compression == PngCompression::Smallest ? kSmallestLevel : kFastLevel;
    band.failed = !Deflate(filtered.data(), filtered.size(), level, last, coded);
    std::vector<uint8_t> matched;
    if (!band.failed && compression == PngCompression::Fast && coded.size() < filtered.size() / kFlatShare &&
        Deflate(filtered.data(), filtered.size(), kFlatLevel, last, matched) && matched.size() < coded.size()) {
        coded.swap(matched);
    }
    if (!band.failed) band.chunk = PngChunk("IDAT", coded.data(), coded.size());
}

// The Adler-32 sum of two pieces of data joined, from the sum of each and
// the second's length.
uint32_t CombinedAdler(uint32_t first, uint32_t second, std::size_t secondLength) {
    constexpr uint64_t kBase = 65521;
    const uint64_t length = secondLength % kBase;
    const uint64_t a1 = first & 0xffff, b1 = first >> 16, a2 = second & 0xffff, b2 = second >> 16;
    const uint64_t a = (a1 + a2 + kBase - 1) % kBase;
    const uint64_t b = (b1 + b2 + length * ((a1 + kBase - 1) % kBase)) % kBase;
    return static_cast<uint32_t>(b << 16 | a);
}

bool WriteBytes(std::FILE* file, const std::vector<uint8_t>& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

std::string EncodePng(std::FILE* file, const RasterImage& image, const ImageMetadata& metadata,
                      const ImageWriteOptions& options, std::vector<std::string>&) {
    const PngCompression compression = options.png;
    std::vector<uint8_t> header(kPngSignature, kPngSignature + sizeof kPngSignature);
    std::vector<uint8_t> fields;
    PutBigEndian(fields, static_cast<uint32_t>(image.width));
    PutBigEndian(fields, static_cast<uint32_t>(image.height));
    fields.insert(fields.end(), {8, PngColourType(image.channels), 0, 0, 0});
    const std::vector<uint8_t> ihdr = PngChunk("IHDR", fields.data(), fields.size());
    header.insert(header.end(), ihdr.begin(), ihdr.end());
    const std::vector<uint8_t> described = PngMetadataChunks(metadata);
    header.insert(header.end(), described.begin(), described.end());
    // The zlib header (deflate, 32 KB window), in a chunk of its own.
    const uint8_t zlibHeader[2] = {0x78, static_cast<uint8_t>(compression == PngCompression::Smallest ? 0xDA : 0x5E)};
    const std::vector<uint8_t> first = PngChunk("IDAT", zlibHeader, 2);
    header.insert(header.end(), first.begin(), first.end());
    const char* writeError = "write error (is the disk full?)";
    if (!WriteBytes(file, header)) return writeError;

    const std::size_t rowBytes = image.RowBytes();
    const int32_t bandRows = static_cast<int32_t>(std::max<std::size_t>(1, kBandBytes / (rowBytes + 1)));
    const int32_t bandCount = CeilDiv(image.height, bandRows);
    uint32_t adler = 1;
    for (int32_t firstBand = 0; firstBand < bandCount; firstBand += kBandsPerWave) {
        const int32_t waveBands = std::min<int32_t>(kBandsPerWave, bandCount - firstBand);
        std::vector<Band> bands(static_cast<std::size_t>(waveBands));
        for (int32_t i = 0; i < waveBands; ++i) {
            Band& band = bands[static_cast<std::size_t>(i)];
            band.firstRow = (firstBand + i) * bandRows;
            band.rows = std::min(bandRows, image.height - band.firstRow);
        }
        const ResultCode coded = ParallelChunks(waveBands, 1, [&](int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i) {
                const bool last = firstBand + i == bandCount - 1;
                CodeBand(image, compression, last, bands[static_cast<std::size_t>(i)]);
            }
        });
        if (coded.status == ResultCode::kOutOfMemory) throw std::bad_alloc();
        for (const Band& band : bands) {
            if (band.failed) return "the compressor failed";
            adler = CombinedAdler(adler, band.adler, band.filteredLength);
            if (!WriteBytes(file, band.chunk)) return writeError;
        }
        if (options.progress) options.progress(double(firstBand + waveBands) / bandCount);
    }
    std::vector<uint8_t> sum;
    PutBigEndian(sum, adler);
    std::vector<uint8_t> trailer = PngChunk("IDAT", sum.data(), sum.size());
    const std::vector<uint8_t> end = PngChunk("IEND", nullptr, 0);
    trailer.insert(trailer.end(), end.begin(), end.end());
    if (!WriteBytes(file, trailer)) return writeError;
    return {};
}
