// JPEG reading through the libjpeg 6b interface.
//
// The metadata: EXIF and XMP in APP1 segments, the ICC profile in APP2
// segments (libjpeg-turbo joins it), the resolution in the JFIF header.
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "image/Parallel.h"
#include "imagefiles/ImageFilesCodecs.h"
#include "imagefiles/JpegErrors.h"
#include "imagefiles/JpegMarkers.h"
#include "imagefiles/ProgressRelay.h"

namespace {

// Pictures this large are decoded in two pieces at once.
constexpr uint64_t kPiecesFromPixels = uint64_t{1} << 20;
// The upper piece's share of the rows; the lower piece also reads the coded
// data of the upper one's rows.
constexpr double kUpperPieceShare = 0.65;

// Destroying a codec that was never created (or half created) is safe: libjpeg
// only frees what its memory manager holds.
struct JpegDecoder {
    jpeg_decompress_struct codec{};
    JpegErrors errors{};

    JpegDecoder() { codec.err = &errors.manager; }
    ~JpegDecoder() { jpeg_destroy_decompress(&codec); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
};

struct JpegLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t rowGroup = 8;      // rows decoded together: where a piece may start
    bool sequential = true;     // baseline or extended, not progressive
    int decodedComponents = 0;  // 1 grey, 3 RGB, 4 CMYK
    bool invertedInks = false;  // Adobe CMYK: stored values are 255 - ink
};

// Reads the header, refuses absurd sizes and picks the decoded colour space.
bool ReadJpegHeader(JpegDecoder& decoder, const uint8_t* data, size_t size, uint64_t maxPixels, JpegLayout& layout) {
    if (setjmp(decoder.errors.jump)) return false;
    InstallErrors(decoder.errors);
    jpeg_create_decompress(&decoder.codec);
    jpeg_mem_src(&decoder.codec, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&decoder.codec, JPEG_APP0 + 1, 0xffff);
    jpeg_save_markers(&decoder.codec, JPEG_APP0 + 2, 0xffff);
    jpeg_read_header(&decoder.codec, TRUE);

    jpeg_decompress_struct& codec = decoder.codec;
    if (const char* problem = ImageSizeProblem(codec.image_width, codec.image_height, maxPixels)) {
        std::snprintf(decoder.errors.message, sizeof decoder.errors.message, "%s", problem);
        return false;
    }
    switch (codec.jpeg_color_space) {
        case JCS_GRAYSCALE:
            codec.out_color_space = JCS_GRAYSCALE;
            layout.decodedComponents = 1;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            // libjpeg turns YCCK into CMYK; the step to RGB is ours.
            codec.out_color_space = JCS_CMYK;
            layout.decodedComponents = 4;
            break;
        default:
            codec.out_color_space = JCS_RGB;
            layout.decodedComponents = 3;
            break;
    }
    layout.width = codec.image_width;
    layout.height = codec.image_height;
    layout.invertedInks = codec.saw_Adobe_marker != 0;
    layout.rowGroup = static_cast<uint32_t>(std::max(1, codec.max_v_samp_factor)) * DCTSIZE;
    layout.sequential = codec.progressive_mode == FALSE;
    return true;
}

uint8_t ScaledProduct(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// Naive CMYK to RGB: each colour is what its ink and the black ink leave of white.
void CmykRowToRgb(const uint8_t* cmyk, uint8_t* rgb, uint32_t width, bool invertedInks) {
    for (uint32_t x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        unsigned remaining[4];
        for (int i = 0; i < 4; ++i) remaining[i] = invertedInks ? cmyk[i] : 255u - cmyk[i];
        for (int i = 0; i < 3; ++i) rgb[i] = ScaledProduct(remaining[i], remaining[3]);
    }
}

// Decodes rows FIRST to END - 1 into IMAGE, stepping over the rows above
// FIRST; CMYK rows pass through SCRATCH (4 bytes a pixel). Progress goes
// from 0 to 1 over those rows.
bool ReadJpegRows(JpegDecoder& decoder, const JpegLayout& layout, uint32_t first, uint32_t end, RasterImage& image,
                  uint8_t* scratch, const ImageFileProgress& progress) {
    if (setjmp(decoder.errors.jump)) return false;
    jpeg_decompress_struct& codec = decoder.codec;
    jpeg_start_decompress(&codec);
    if (codec.output_width != layout.width || codec.output_height != layout.height ||
        codec.output_components != layout.decodedComponents) {
        std::snprintf(decoder.errors.message, sizeof decoder.errors.message, "unexpected JPEG decoder output");
        return false;
    }
    if (first > 0 && jpeg_skip_scanlines(&codec, first) != first) {
        std::snprintf(decoder.errors.message, sizeof decoder.errors.message, "the JPEG decoder stalled");
        return false;
    }
    const bool cmyk = layout.decodedComponents == 4;
    while (codec.output_scanline < end) {
        uint8_t* target = image.Row(static_cast<int32_t>(codec.output_scanline));
        JSAMPROW row = cmyk ? scratch : target;
        if (jpeg_read_scanlines(&codec, &row, 1) != 1) {
            std::snprintf(decoder.errors.message, sizeof decoder.errors.message, "the JPEG decoder stalled");
            return false;
        }
        if (cmyk) CmykRowToRgb(scratch, target, layout.width, layout.invertedInks);
        if (progress && codec.output_scanline % 256 == 0)
            progress(double(codec.output_scanline - first) / (end - first));
    }
    // The lower piece checks the data to its end.
    if (end == layout.height) jpeg_finish_decompress(&codec);
    return true;
}

// Decodes the picture in two pieces on two threads. libjpeg must still read
// the coded data of the rows the lower piece steps over, so the upper piece
// is the larger. The rows are the same as those of one decoder.
std::string ReadJpegInPieces(JpegDecoder& upper, const JpegLayout& layout, const uint8_t* data, size_t size,
                             uint64_t maxPixels, RasterImage& image, const ImageFileProgress& progress) {
    JpegDecoder lower;
    JpegLayout lowerLayout;
    if (!ReadJpegHeader(lower, data, size, maxPixels, lowerLayout)) return lower.errors.message;
    const uint32_t middle = static_cast<uint32_t>(layout.height * kUpperPieceShare) / layout.rowGroup * layout.rowGroup;
    const uint32_t bounds[3] = {0, middle, layout.height};
    JpegDecoder* decoders[2] = {&upper, &lower};
    bool read[2] = {false, false};
    ProgressRelay relay(progress);
    const ResultCode decoded = ParallelChunks(
        2, 1,
        [&](int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i) {
                std::vector<uint8_t> scratch(layout.decodedComponents == 4 ? static_cast<size_t>(layout.width) * 4 : 0);
                read[i] = ReadJpegRows(*decoders[i], layout, bounds[i], bounds[i + 1], image, scratch.data(), {});
            }
        },
        nullptr, &relay);
    if (decoded.status == ResultCode::kOutOfMemory) throw std::bad_alloc();
    for (int i = 0; i < 2; ++i) {
        if (!read[i]) return decoders[i]->errors.message;
    }
    return {};
}

// The profile libjpeg joins from the APP2 segments, in memory it allocates.
bool ReadJoinedProfile(JpegDecoder& decoder, JOCTET*& profile, unsigned int& length) {
    if (setjmp(decoder.errors.jump)) return false;
    return jpeg_read_icc_profile(&decoder.codec, &profile, &length) && profile != nullptr;
}

// The saved APP1 segments' EXIF and XMP, the joined ICC profile and the JFIF resolution.
void ReadJpegMetadata(JpegDecoder& decoder, DecodedImage& decoded) {
    jpeg_decompress_struct& codec = decoder.codec;
    ImageMetadata& metadata = decoded.metadata;
    for (jpeg_saved_marker_ptr marker = codec.marker_list; marker != nullptr; marker = marker->next) {
        if (marker->marker != JPEG_APP0 + 1) continue;
        const uint8_t* data = marker->data;
        const std::size_t length = marker->data_length;
        if (metadata.exif.empty() && length > kExifSignatureBytes &&
            std::memcmp(data, kExifSignature, kExifSignatureBytes) == 0) {
            metadata.exif.assign(data + kExifSignatureBytes, data + length);
        } else if (metadata.xmp.empty() && length > kXmpSignatureBytes &&
                   std::memcmp(data, kXmpSignature, kXmpSignatureBytes) == 0) {
            metadata.xmp.assign(reinterpret_cast<const char*>(data) + kXmpSignatureBytes, length - kXmpSignatureBytes);
        }
    }
    JOCTET* profile = nullptr;
    unsigned int profileLength = 0;
    if (ReadJoinedProfile(decoder, profile, profileLength))
        metadata.iccProfile.assign(profile, profile + profileLength);
    std::free(profile);
    if (decoder.errors.damagedProfile) decoded.notes.push_back("its colour profile is damaged and is left out");
    if (codec.saw_JFIF_marker && codec.X_density > 0) {
        if (codec.density_unit == 1) metadata.pixelsPerInch = codec.X_density;
        if (codec.density_unit == 2) metadata.pixelsPerInch = codec.X_density * 2.54;
    }
}

}  // namespace

std::string DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& decoded, const ImageFileProgress& progress) {
    JpegDecoder decoder;
    JpegLayout layout;
    if (!ReadJpegHeader(decoder, data, size, decoded.maxPixels, layout)) return decoder.errors.message;
    DecodedImage read;
    ReadJpegMetadata(decoder, read);
    const int channels = layout.decodedComponents == 1 ? 1 : 3;
    read.image = RasterImage(static_cast<int32_t>(layout.width), static_cast<int32_t>(layout.height), channels);
    if (layout.sequential && ParallelThreads() > 1 && uint64_t{layout.width} * layout.height >= kPiecesFromPixels) {
        const std::string problem =
            ReadJpegInPieces(decoder, layout, data, size, decoded.maxPixels, read.image, progress);
        if (!problem.empty()) return problem;
    } else {
        std::vector<uint8_t> scratch(layout.decodedComponents == 4 ? static_cast<size_t>(layout.width) * 4 : 0);
        if (!ReadJpegRows(decoder, layout, 0, layout.height, read.image, scratch.data(), progress))
            return decoder.errors.message;
    }
    decoded = std::move(read);
    return {};
}
