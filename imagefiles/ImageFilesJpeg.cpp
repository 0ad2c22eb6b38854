// JPEG through the libjpeg 6b interface. libjpeg reports errors through a
// handler that must not return, so ours longjmps back: every libjpeg call sits
// in a plain function that sets the jump point first and keeps no C++ object
// with a destructor; the owning objects live in the callers.
//
// The metadata: EXIF and XMP in APP1 segments, the ICC profile in APP2
// segments (libjpeg-turbo splits and joins it), the resolution in the JFIF
// header. Files are written with optimised Huffman tables.
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include "content/JpegWarnings.h"
#include "imagefiles/ImageFilesCodecs.h"

namespace {

constexpr char kExifSignature[] = "Exif\0";  // with the string's own NUL: "Exif" and two NULs
constexpr std::size_t kExifSignatureBytes = 6;
constexpr char kXmpSignature[] = "http://ns.adobe.com/xap/1.0/";  // followed by a NUL
constexpr std::size_t kXmpSignatureBytes = sizeof kXmpSignature;
// A marker segment holds at most 65533 bytes after its length.
constexpr std::size_t kMaxMarkerBytes = 65533;

struct JpegErrors {
    jpeg_error_mgr manager;  // first: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool damagedProfile;  // the ICC segments did not fit together
};

[[noreturn]] void OnJpegError(j_common_ptr codec) {
    auto* errors = reinterpret_cast<JpegErrors*>(codec->err);
    errors->manager.format_message(codec, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg carries on through damaged or truncated data, inventing the pixels
// it cannot read. A damaged file is refused instead of yielding a quietly wrong
// picture; trace messages and harmless warnings are dropped.
void OnJpegMessage(j_common_ptr codec, int level) {
    if (level >= 0 || IsHarmlessJpegWarning(codec->err->msg_code)) return;
    if (codec->err->msg_code == JWRN_BOGUS_ICC) {
        reinterpret_cast<JpegErrors*>(codec->err)->damagedProfile = true;
        return;
    }
    OnJpegError(codec);
}

void InstallErrors(JpegErrors& errors) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnJpegError;
    errors.manager.emit_message = OnJpegMessage;
    errors.message[0] = '\0';
    errors.damagedProfile = false;
}

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

struct JpegEncoder {
    jpeg_compress_struct codec{};
    JpegErrors errors{};

    JpegEncoder() { codec.err = &errors.manager; }
    ~JpegEncoder() { jpeg_destroy_compress(&codec); }
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;
};

struct JpegLayout {
    uint32_t width = 0;
    uint32_t height = 0;
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

// Decodes every row into IMAGE; CMYK rows pass through SCRATCH (4 bytes a pixel).
bool ReadJpegPixels(JpegDecoder& decoder, const JpegLayout& layout, RasterImage& image, uint8_t* scratch,
                    const ImageFileProgress& progress) {
    if (setjmp(decoder.errors.jump)) return false;
    jpeg_decompress_struct& codec = decoder.codec;
    jpeg_start_decompress(&codec);
    if (codec.output_width != layout.width || codec.output_height != layout.height ||
        codec.output_components != layout.decodedComponents) {
        std::snprintf(decoder.errors.message, sizeof decoder.errors.message, "unexpected JPEG decoder output");
        return false;
    }
    const bool cmyk = layout.decodedComponents == 4;
    while (codec.output_scanline < codec.output_height) {
        uint8_t* target = image.Row(static_cast<int32_t>(codec.output_scanline));
        JSAMPROW row = cmyk ? scratch : target;
        if (jpeg_read_scanlines(&codec, &row, 1) != 1) {
            std::snprintf(decoder.errors.message, sizeof decoder.errors.message, "the JPEG decoder stalled");
            return false;
        }
        if (cmyk) CmykRowToRgb(scratch, target, layout.width, layout.invertedInks);
        if (progress && codec.output_scanline % 256 == 0) progress(double(codec.output_scanline) / layout.height);
    }
    jpeg_finish_decompress(&codec);
    return true;
}

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

bool WriteJpegStream(JpegEncoder& encoder, std::FILE* file, const RasterImage& image, const ImageMetadata& metadata,
                     const ImageWriteOptions& options, uint8_t* scratch, std::vector<std::string>& notes) {
    if (setjmp(encoder.errors.jump)) return false;
    InstallErrors(encoder.errors);
    jpeg_compress_struct& codec = encoder.codec;
    jpeg_create_compress(&codec);
    jpeg_stdio_dest(&codec, file);
    codec.image_width = static_cast<JDIMENSION>(image.width);
    codec.image_height = static_cast<JDIMENSION>(image.height);
    const bool colour = image.channels >= 3;
    codec.input_components = colour ? 3 : 1;
    codec.in_color_space = colour ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&codec);
    jpeg_set_quality(&codec, options.jpegQuality, TRUE);
    codec.optimize_coding = TRUE;
    if (metadata.pixelsPerInch > 0.0) {
        codec.density_unit = 1;  // dots per inch
        const auto density = static_cast<UINT16>(std::clamp(std::lround(metadata.pixelsPerInch), 1L, 65535L));
        codec.X_density = density;
        codec.Y_density = density;
    }
    if (colour) {
        // Full-resolution colour: the effects draw fine coloured detail that
        // halved chroma would smear.
        codec.comp_info[0].h_samp_factor = 1;
        codec.comp_info[0].v_samp_factor = 1;
    }
    jpeg_start_compress(&codec, TRUE);
    WriteMetadata(&codec, metadata, notes);
    const bool opaque = image.channels == 1 || image.channels == 3;
    while (codec.next_scanline < codec.image_height) {
        // Opaque rows go to libjpeg as they are, without a copy.
        const uint8_t* source = image.Row(static_cast<int32_t>(codec.next_scanline));
        if (!opaque) FlattenRowOverWhite(source, image.channels, scratch, image.width);
        JSAMPROW row = opaque ? const_cast<uint8_t*>(source) : scratch;
        jpeg_write_scanlines(&codec, &row, 1);
        if (options.progress && codec.next_scanline % 256 == 0)
            options.progress(double(codec.next_scanline) / image.height);
    }
    jpeg_finish_compress(&codec);
    return true;
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

void FlattenRowOverWhite(const uint8_t* source, int channels, uint8_t* target, int32_t width) {
    const int colours = channels >= 3 ? 3 : 1;
    for (int32_t x = 0; x < width; ++x, source += channels, target += colours) {
        const unsigned alpha = channels == colours ? 255u : source[colours];
        for (int i = 0; i < colours; ++i) target[i] = OverWhite(source[i], alpha);
    }
}

std::string DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& decoded, const ImageFileProgress& progress) {
    JpegDecoder decoder;
    JpegLayout layout;
    if (!ReadJpegHeader(decoder, data, size, decoded.maxPixels, layout)) return decoder.errors.message;
    DecodedImage read;
    ReadJpegMetadata(decoder, read);
    const int channels = layout.decodedComponents == 1 ? 1 : 3;
    read.image = RasterImage(static_cast<int32_t>(layout.width), static_cast<int32_t>(layout.height), channels);
    std::vector<uint8_t> scratch(layout.decodedComponents == 4 ? static_cast<size_t>(layout.width) * 4 : 0);
    if (!ReadJpegPixels(decoder, layout, read.image, scratch.data(), progress)) return decoder.errors.message;
    decoded = std::move(read);
    return {};
}

std::string EncodeJpeg(std::FILE* file, const RasterImage& image, const ImageMetadata& metadata,
                       const ImageWriteOptions& options, std::vector<std::string>& notes) {
    JpegEncoder encoder;
    std::vector<uint8_t> scratch(static_cast<size_t>(image.width) * (image.channels >= 3 ? 3 : 1));
    if (!WriteJpegStream(encoder, file, image, metadata, options, scratch.data(), notes)) return encoder.errors.message;
    return {};
}

std::string EncodeJpeg(std::FILE* file, const RasterImage& image, int quality) {
    ImageWriteOptions options;
    options.jpegQuality = quality;
    std::vector<std::string> notes;
    return EncodeJpeg(file, image, ImageMetadata(), options, notes);
}
