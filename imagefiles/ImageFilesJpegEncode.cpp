// JPEG writing through the libjpeg 6b interface, in strips on every core.
//
// The picture is cut into strips, each coded by a compressor of its own with
// a restart marker after every row of blocks. Joined with the restart markers
// between them, the strips' entropy-coded data is the datastream one
// compressor writes with the same restart interval. Optimised Huffman tables
// need every strip's symbols, so each strip is coded twice: with libjpeg's
// standard tables to count its symbols, then with the tables built from the
// counts of all strips (JpegHuffman.h). Where the cuts fall does not depend
// on the thread count, so neither do the bytes.
//
// The metadata (EXIF and XMP in APP1 segments, the ICC profile in APP2
// segments, the resolution in the JFIF header) goes in the first strip's
// header, which becomes the file's.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "base/Rect.h"
#include "image/Parallel.h"
#include "imagefiles/ImageFilesCodecs.h"
#include "imagefiles/JpegErrors.h"
#include "imagefiles/JpegHuffman.h"
#include "imagefiles/JpegMarkers.h"
#include "imagefiles/ProgressRelay.h"

namespace {

constexpr int32_t kBlockRows = 8;  // one row of blocks: colour is not subsampled
constexpr int32_t kRestartNumbers = 8;
// A whole number of restart-number cycles: each strip's own markers then run
// on from the previous strip's, and the marker between strips is always the
// last number of a cycle.
constexpr int32_t kStripRows = 512;
static_assert(kStripRows % (kBlockRows * kRestartNumbers) == 0, "strips must start a restart-number cycle");
constexpr uint8_t kLastRestartMarker = 0xD7;

struct JpegEncoder {
    jpeg_compress_struct codec{};
    JpegErrors errors{};

    JpegEncoder() { codec.err = &errors.manager; }
    ~JpegEncoder() { jpeg_destroy_compress(&codec); }
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;
};

// The memory libjpeg's memory destination allocates with malloc.
struct CodedBytes {
    unsigned char* data = nullptr;
    unsigned long size = 0;

    CodedBytes() = default;
    ~CodedBytes() { std::free(data); }
    CodedBytes(const CodedBytes&) = delete;
    CodedBytes& operator=(const CodedBytes&) = delete;
};

struct HuffmanTables {
    std::array<JpegHuffmanTable, 2> dc;
    std::array<JpegHuffmanTable, 2> ac;
};

// How one strip is coded.
struct StripCoding {
    const RasterImage* image = nullptr;
    int quality = 0;
    int32_t firstRow = 0;
    int32_t rows = 0;
    const HuffmanTables* tables = nullptr;    // null: libjpeg's standard tables
    const ImageMetadata* metadata = nullptr;  // the file's header only
};

uint8_t OverWhite(unsigned value, unsigned alpha) {
    return static_cast<uint8_t>((value * alpha + 255u * (255u - alpha) + 127) / 255);
}

// The APP1 segment of SIGNATURE (its bytes, NUL included) and DATA, or
// false when they do not fit in one segment.
bool WriteApp1(j_compress_ptr codec, const char* signature, std::size_t signatureBytes, const uint8_t* data,
               std::size_t length) {
    if (length > kMaxMarkerBytes - signatureBytes) return false;
    std::vector<uint8_t> segment(signature, signature + signatureBytes);
    segment.insert(segment.end(), data, data + length);
    jpeg_write_marker(codec, JPEG_APP0 + 1, segment.data(), static_cast<unsigned int>(segment.size()));
    return true;
}

void WriteMetadata(j_compress_ptr codec, const ImageMetadata& metadata, std::vector<std::string>& notes) {
    if (!metadata.exif.empty() &&
        !WriteApp1(codec, kExifSignature, kExifSignatureBytes, metadata.exif.data(), metadata.exif.size())) {
        notes.push_back("its EXIF data is too large for a JPEG file and is left out");
    }
    if (!metadata.iccProfile.empty()) {
        jpeg_write_icc_profile(codec, metadata.iccProfile.data(),
                               static_cast<unsigned int>(metadata.iccProfile.size()));
    }
    const auto* xmp = reinterpret_cast<const uint8_t*>(metadata.xmp.data());
    if (!metadata.xmp.empty() && !WriteApp1(codec, kXmpSignature, kXmpSignatureBytes, xmp, metadata.xmp.size()))
        notes.push_back("its XMP data is too large for a JPEG file and is left out");
}

void CopyTable(const JHUFF_TBL& from, JpegHuffmanTable& to) {
    std::copy(std::begin(from.bits), std::end(from.bits), to.codesOfLength.begin());
    std::copy(std::begin(from.huffval), std::end(from.huffval), to.symbols.begin());
}

void CopyTable(const JpegHuffmanTable& from, JHUFF_TBL& to) {
    std::copy(from.codesOfLength.begin(), from.codesOfLength.end(), std::begin(to.bits));
    std::copy(from.symbols.begin(), from.symbols.end(), std::begin(to.huffval));
    to.sent_table = FALSE;
}

// Codes one strip into BYTES; USED receives the Huffman tables it was coded
// with. Rows with alpha pass through SCRATCH (one flattened row).
bool CodeStrip(JpegEncoder& encoder, const StripCoding& strip, uint8_t* scratch, CodedBytes& bytes, HuffmanTables& used,
               std::vector<std::string>& notes) {
    if (setjmp(encoder.errors.jump)) return false;
    InstallErrors(encoder.errors);
    jpeg_compress_struct& codec = encoder.codec;
    jpeg_create_compress(&codec);
    jpeg_mem_dest(&codec, &bytes.data, &bytes.size);
    const RasterImage& image = *strip.image;
    codec.image_width = static_cast<JDIMENSION>(image.width);
    codec.image_height = static_cast<JDIMENSION>(strip.rows);
    const bool colour = image.channels >= 3;
    codec.input_components = colour ? 3 : 1;
    codec.in_color_space = colour ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&codec);
    jpeg_set_quality(&codec, strip.quality, TRUE);
    codec.restart_in_rows = 1;
    if (colour) {
        // Full-resolution colour: the effects draw fine coloured detail that
        // halved chroma would smear.
        codec.comp_info[0].h_samp_factor = 1;
        codec.comp_info[0].v_samp_factor = 1;
    }
    for (std::size_t t = 0; t < (colour ? 2u : 1u); ++t) {
        if (strip.tables != nullptr) {
            CopyTable(strip.tables->dc[t], *codec.dc_huff_tbl_ptrs[t]);
            CopyTable(strip.tables->ac[t], *codec.ac_huff_tbl_ptrs[t]);
        }
        CopyTable(*codec.dc_huff_tbl_ptrs[t], used.dc[t]);
        CopyTable(*codec.ac_huff_tbl_ptrs[t], used.ac[t]);
    }
    const ImageMetadata* metadata = strip.metadata;
    if (metadata != nullptr && metadata->pixelsPerInch > 0.0) {
        codec.density_unit = 1;  // dots per inch
        const auto density = static_cast<UINT16>(std::clamp(std::lround(metadata->pixelsPerInch), 1L, 65535L));
        codec.X_density = density;
        codec.Y_density = density;
    }
    jpeg_start_compress(&codec, TRUE);
    if (metadata != nullptr) WriteMetadata(&codec, *metadata, notes);
    const bool opaque = image.channels == 1 || image.channels == 3;
    while (codec.next_scanline < codec.image_height) {
        // Opaque rows go to libjpeg as they are, without a copy.
        const uint8_t* source = image.Row(strip.firstRow + static_cast<int32_t>(codec.next_scanline));
        if (!opaque) FlattenRowOverWhite(source, image.channels, scratch, image.width);
        JSAMPROW row = opaque ? const_cast<uint8_t*>(source) : scratch;
        jpeg_write_scanlines(&codec, &row, 1);
    }
    jpeg_finish_compress(&codec);
    return true;
}

// One strip of the file: its coded bytes, where its parts lie, or what went wrong.
struct CodedStrip {
    CodedBytes bytes;
    JpegScanPlace place;
    JpegTableCounts counts;
    std::string error;
};

// Codes every strip with TABLES (null: the standard tables, and counts the
// symbols), in parallel; progress from FROM to TO.
void CodeStrips(const RasterImage& image, const ImageMetadata& metadata, const ImageWriteOptions& options,
                const HuffmanTables* tables, std::vector<CodedStrip>& strips, std::vector<std::string>& notes,
                double from, double to) {
    JpegScanShape shape;
    const bool colour = image.channels >= 3;
    shape.blocksPerMcu = colour ? 3 : 1;
    shape.tableOfBlock = {0, 1, 1, 1};
    shape.mcusPerInterval = static_cast<uint64_t>(CeilDiv(image.width, kBlockRows));
    ProgressRelay relay(options.progress);
    const ResultCode coded = ParallelChunks(
        static_cast<int64_t>(strips.size()), 1,
        [&](int64_t begin, int64_t end) {
            std::vector<uint8_t> scratch(static_cast<std::size_t>(image.width) * (colour ? 3 : 1));
            for (int64_t i = begin; i < end; ++i) {
                CodedStrip& strip = strips[static_cast<std::size_t>(i)];
                StripCoding coding;
                coding.image = &image;
                coding.quality = options.jpegQuality;
                coding.firstRow = static_cast<int32_t>(i) * kStripRows;
                coding.rows = std::min(kStripRows, image.height - coding.firstRow);
                coding.tables = tables;
                coding.metadata = tables != nullptr && i == 0 ? &metadata : nullptr;
                JpegEncoder encoder;
                HuffmanTables used;
                if (!CodeStrip(encoder, coding, scratch.data(), strip.bytes, used, notes)) {
                    strip.error = encoder.errors.message;
                    continue;
                }
                JpegScanShape stripShape = shape;
                stripShape.mcuCount = shape.mcusPerInterval * static_cast<uint64_t>(CeilDiv(coding.rows, kBlockRows));
                const bool located = LocateJpegScan(strip.bytes.data, strip.bytes.size, strip.place);
                if (!located ||
                    (tables == nullptr && !CountJpegSymbols(strip.bytes.data + strip.place.entropyBegin,
                                                            strip.place.entropyEnd - strip.place.entropyBegin,
                                                            stripShape, used.dc, used.ac, strip.counts))) {
                    strip.error = "the JPEG coder's strips do not fit together";
                }
            }
        },
        nullptr, &relay, from, to);
    if (coded.status == ResultCode::kOutOfMemory) throw std::bad_alloc();
}

const std::string* FirstError(const std::vector<CodedStrip>& strips) {
    for (const CodedStrip& strip : strips) {
        if (!strip.error.empty()) return &strip.error;
    }
    return nullptr;
}

bool WriteAll(std::FILE* file, const uint8_t* data, std::size_t size) {
    return std::fwrite(data, 1, size, file) == size;
}

// The first strip's header (its frame header given the whole height), then
// every strip's entropy-coded data with a restart marker between strips.
bool WriteJoinedStrips(std::FILE* file, const RasterImage& image, std::vector<CodedStrip>& strips) {
    CodedStrip& first = strips.front();
    uint8_t* height = first.bytes.data + first.place.frameHeader + 5;
    height[0] = static_cast<uint8_t>(image.height >> 8);
    height[1] = static_cast<uint8_t>(image.height & 0xFF);
    if (!WriteAll(file, first.bytes.data, first.place.entropyEnd)) return false;
    const uint8_t restart[2] = {0xFF, kLastRestartMarker};
    for (std::size_t i = 1; i < strips.size(); ++i) {
        const CodedStrip& strip = strips[i];
        if (!WriteAll(file, restart, sizeof restart) || !WriteAll(file, strip.bytes.data + strip.place.entropyBegin,
                                                                  strip.place.entropyEnd - strip.place.entropyBegin))
            return false;
    }
    const uint8_t end[2] = {0xFF, 0xD9};
    return WriteAll(file, end, sizeof end);
}

}  // namespace

void FlattenRowOverWhite(const uint8_t* source, int channels, uint8_t* target, int32_t width) {
    const int colours = channels >= 3 ? 3 : 1;
    for (int32_t x = 0; x < width; ++x, source += channels, target += colours) {
        const unsigned alpha = channels == colours ? 255u : source[colours];
        for (int i = 0; i < colours; ++i) target[i] = OverWhite(source[i], alpha);
    }
}

std::string EncodeJpeg(std::FILE* file, const RasterImage& image, const ImageMetadata& metadata,
                       const ImageWriteOptions& options, std::vector<std::string>& notes) {
    if (image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION)
        return "a JPEG file holds at most 65500 pixels in each direction";
    const auto stripCount = static_cast<std::size_t>(CeilDiv(image.height, kStripRows));
    JpegTableCounts counts;
    {
        std::vector<CodedStrip> counted(stripCount);
        CodeStrips(image, metadata, options, nullptr, counted, notes, 0.0, 0.5);
        if (const std::string* error = FirstError(counted)) return *error;
        for (const CodedStrip& strip : counted) counts += strip.counts;
    }
    HuffmanTables tables;
    for (std::size_t t = 0; t < 2; ++t) {
        tables.dc[t] = OptimalJpegHuffmanTable(counts.dc[t]);
        tables.ac[t] = OptimalJpegHuffmanTable(counts.ac[t]);
    }
    std::vector<CodedStrip> strips(stripCount);
    CodeStrips(image, metadata, options, &tables, strips, notes, 0.5, 1.0);
    if (const std::string* error = FirstError(strips)) return *error;
    if (!WriteJoinedStrips(file, image, strips)) return "write error (is the disk full?)";
    return {};
}

std::string EncodeJpeg(std::FILE* file, const RasterImage& image, int quality) {
    ImageWriteOptions options;
    options.jpegQuality = quality;
    std::vector<std::string> notes;
    return EncodeJpeg(file, image, ImageMetadata(), options, notes);
}
