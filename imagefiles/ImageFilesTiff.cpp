// TIFF through libtiff, on files held in memory. 8-bit grey, grey + alpha,
// RGB and RGBA in strips are read as stored; every other kind libtiff knows
// (tiles, palettes, 16 bits, CMYK, YCbCr, bits per sample below 8) through
// its RGBA interface, which also applies the orientation. Written: the pixels
// in Deflate-compressed strips with the horizontal predictor, coded by
// libdeflate on every core (libtiff's own coder, zlib on one core, took 9 s
// on a 24 MP photograph; this takes 1.6 s), the ICC profile, XMP and the
// resolution; EXIF moves in and out of the file's directories through
// TiffExif.h. libtiff's messages go to a handler per file, which keeps the
// first error for the user.
#include <libdeflate.h>
#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "image/Parallel.h"
#include "imagefiles/DeflateHandles.h"
#include "imagefiles/ImageFilesCodecs.h"
#include "imagefiles/TiffExif.h"

namespace {

// Far above what a real image's strip, tile or tag needs, and low enough that
// a damaged file cannot make libtiff reserve gigabytes.
constexpr tmsize_t kMaxSingleAllocation = tmsize_t(1) << 30;
constexpr uint32_t kStripBytes = 1 << 18;
// libdeflate's level for the strips, as for PNG's fast compression.
constexpr int kStripLevel = 3;

// The file in memory, as libtiff reads and writes it.
struct MemoryFile {
    std::vector<uint8_t> bytes;
    const uint8_t* data = nullptr;  // reading: the caller's bytes
    size_t size = 0;
    uint64_t position = 0;
    bool writing = false;
    std::string error;
};

tmsize_t ReadMemory(thandle_t handle, void* buffer, tmsize_t count) {
    auto* file = static_cast<MemoryFile*>(handle);
    const uint8_t* data = file->writing ? file->bytes.data() : file->data;
    const uint64_t size = file->writing ? file->bytes.size() : file->size;
    if (count < 0 || file->position >= size) return 0;
    const auto length = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(count), size - file->position));
    std::memcpy(buffer, data + file->position, length);
    file->position += length;
    return static_cast<tmsize_t>(length);
}

tmsize_t WriteMemory(thandle_t handle, void* buffer, tmsize_t count) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (!file->writing || count < 0) return -1;
    const auto length = static_cast<size_t>(count);
    if (file->bytes.size() < file->position + length) file->bytes.resize(file->position + length);
    std::memcpy(file->bytes.data() + file->position, buffer, length);
    file->position += length;
    return count;
}

toff_t SeekMemory(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    const uint64_t size = file->writing ? file->bytes.size() : file->size;
    uint64_t base = 0;
    if (whence == SEEK_CUR) base = file->position;
    if (whence == SEEK_END) base = size;
    file->position = base + offset;
    return file->position;
}

int CloseMemory(thandle_t) { return 0; }

toff_t SizeOfMemory(thandle_t handle) {
    auto* file = static_cast<MemoryFile*>(handle);
    return file->writing ? file->bytes.size() : file->size;
}

int MapMemory(thandle_t, void**, toff_t*) { return 0; }
void UnmapMemory(thandle_t, void*, toff_t) {}

int KeepFirstError(TIFF*, void* user, const char*, const char* format, va_list arguments) {
    auto* file = static_cast<MemoryFile*>(user);
    if (file->error.empty()) {
        char text[200];
        std::vsnprintf(text, sizeof text, format, arguments);
        file->error = text;
    }
    return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle OpenMemory(MemoryFile& file, const char* mode) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (options == nullptr) throw std::bad_alloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxSingleAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options, KeepFirstError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreWarning, nullptr);
    TiffHandle tiff(TIFFClientOpenExt("image", mode, &file, ReadMemory, WriteMemory, SeekMemory, CloseMemory,
                                      SizeOfMemory, MapMemory, UnmapMemory, options));
    TIFFOpenOptionsFree(options);
    return tiff;
}

std::string ProblemOf(const MemoryFile& file, const char* otherwise) {
    return file.error.empty() ? otherwise : "the TIFF file is damaged (" + file.error + ")";
}

struct TiffLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t samples = 1;
    uint16_t bits = 1;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t planar = PLANARCONFIG_CONTIG;
    bool alpha = false;
    bool associatedAlpha = false;
    uint16_t orientation = ORIENTATION_TOPLEFT;
};

TiffLayout LayoutOf(TIFF* tiff) {
    TiffLayout layout;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &layout.samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &layout.planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &layout.orientation);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &layout.photometric)) layout.photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t extraCount = 0;
    uint16_t* extra = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extraCount > 0 && extra != nullptr) {
        layout.alpha = extra[0] == EXTRASAMPLE_ASSOCALPHA || extra[0] == EXTRASAMPLE_UNASSALPHA;
        layout.associatedAlpha = extra[0] == EXTRASAMPLE_ASSOCALPHA;
    }
    return layout;
}

// The channels of the image as read: grey or RGB, with alpha when the file has it.
int ChannelsOf(const TiffLayout& layout) {
    const bool grey = layout.photometric == PHOTOMETRIC_MINISBLACK || layout.photometric == PHOTOMETRIC_MINISWHITE;
    return (grey ? 1 : 3) + (layout.alpha ? 1 : 0);
}

bool StoredAsRead(TIFF* tiff, const TiffLayout& layout) {
    const int colours = layout.photometric == PHOTOMETRIC_MINISBLACK ? 1
                        : layout.photometric == PHOTOMETRIC_RGB      ? 3
                                                                     : 0;
    return colours > 0 && layout.bits == 8 && !TIFFIsTiled(tiff) &&
           (layout.planar == PLANARCONFIG_CONTIG || layout.samples == 1) &&
           layout.samples == colours + (layout.alpha ? 1 : 0);
}

// Colours stored multiplied by alpha, brought back to straight alpha.
void Unpremultiply(RasterImage& image) {
    const auto colours = static_cast<size_t>(image.channels - 1);
    for (size_t i = 0; i < image.pixels.size(); i += colours + 1) {
        const unsigned alpha = image.pixels[i + colours];
        if (alpha == 0 || alpha == 255) continue;
        for (size_t c = 0; c < colours; ++c)
            image.pixels[i + c] =
                static_cast<uint8_t>(std::min(255u, (image.pixels[i + c] * 255u + alpha / 2) / alpha));
    }
}

bool ReadStrips(TIFF* tiff, const TiffLayout& layout, RasterImage& image, const ImageFileProgress& progress) {
    const tmsize_t stripSize = TIFFStripSize(tiff);
    uint32_t rowsPerStrip = 0;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::min(std::max<uint32_t>(rowsPerStrip, 1), layout.height);
    if (stripSize <= 0 || static_cast<uint64_t>(stripSize) < image.RowBytes() * rowsPerStrip) return false;
    std::vector<uint8_t> strip(static_cast<size_t>(stripSize));
    for (uint32_t top = 0; top < layout.height; top += rowsPerStrip) {
        const uint32_t rows = std::min(rowsPerStrip, layout.height - top);
        const tmsize_t wanted = static_cast<tmsize_t>(image.RowBytes() * rows);
        if (TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, top, 0), strip.data(), wanted) != wanted) return false;
        std::memcpy(image.Row(static_cast<int32_t>(top)), strip.data(), static_cast<size_t>(wanted));
        if (progress) progress(double(top + rows) / layout.height);
    }
    return true;
}

// Through libtiff's RGBA interface: upright, 8 bits, alpha multiplied in.
bool ReadThroughRgba(TIFF* tiff, const TiffLayout& layout, RasterImage& image) {
    std::vector<uint32_t> rgba(static_cast<size_t>(layout.width) * layout.height);
    if (!TIFFReadRGBAImageOriented(tiff, layout.width, layout.height, rgba.data(), ORIENTATION_TOPLEFT, 0))
        return false;
    const int channels = image.channels;
    uint8_t* out = image.pixels.data();
    for (const uint32_t pixel : rgba) {
        const uint8_t sample[4] = {static_cast<uint8_t>(TIFFGetR(pixel)), static_cast<uint8_t>(TIFFGetG(pixel)),
                                   static_cast<uint8_t>(TIFFGetB(pixel)), static_cast<uint8_t>(TIFFGetA(pixel))};
        if (channels <= 2) {
            *out++ = sample[0];
            if (channels == 2) *out++ = sample[3];
        } else {
            for (int c = 0; c < channels; ++c) *out++ = sample[c];
        }
    }
    return true;
}

void ReadTiffMetadata(TIFF* tiff, ImageMetadata& metadata) {
    uint32_t length = 0;
    void* data = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &length, &data) && data != nullptr && length > 0) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        metadata.iccProfile.assign(bytes, bytes + length);
    }
    if (TIFFGetField(tiff, TIFFTAG_XMLPACKET, &length, &data) && data != nullptr && length > 0) {
        metadata.xmp.assign(static_cast<const char*>(data), length);
    }
    float resolution = 0.0f;
    uint16_t unit = RESUNIT_INCH;
    if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &resolution) && std::isfinite(resolution) && resolution > 0.0f) {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
        if (unit == RESUNIT_INCH) metadata.pixelsPerInch = resolution;
        if (unit == RESUNIT_CENTIMETER) metadata.pixelsPerInch = resolution * 2.54;
    }
}

// The rows of one strip with the horizontal predictor applied (each sample
// less the same sample of the pixel to its left), zlib-compressed as
// libtiff's Deflate coder would store them.
bool CodeStrip(const RasterImage& image, int32_t firstRow, int32_t rows, libdeflate_compressor* compressor,
               std::vector<uint8_t>& coded) {
    const size_t rowBytes = image.RowBytes();
    const auto pixelBytes = static_cast<size_t>(image.channels);
    std::vector<uint8_t> predicted(rowBytes * static_cast<size_t>(rows));
    for (int32_t r = 0; r < rows; ++r) {
        const uint8_t* row = image.Row(firstRow + r);
        uint8_t* out = predicted.data() + rowBytes * static_cast<size_t>(r);
        for (size_t i = 0; i < pixelBytes; ++i) out[i] = row[i];
        for (size_t i = pixelBytes; i < rowBytes; ++i) out[i] = static_cast<uint8_t>(row[i] - row[i - pixelBytes]);
    }
    coded.resize(libdeflate_zlib_compress_bound(compressor, predicted.size()));
    const size_t length =
        libdeflate_zlib_compress(compressor, predicted.data(), predicted.size(), coded.data(), coded.size());
    coded.resize(length);
    return length > 0;
}

// Every strip coded on every core, then written in order.
bool WriteStrips(TIFF* tiff, const RasterImage& image, uint32_t rowsPerStrip, const ImageFileProgress& progress) {
    const auto stripRows = static_cast<int32_t>(rowsPerStrip);
    const int32_t strips = (image.height + stripRows - 1) / stripRows;
    std::vector<std::vector<uint8_t>> coded(static_cast<size_t>(strips));
    std::vector<char> failed(static_cast<size_t>(strips), 0);
    const ResultCode result = ParallelChunks(strips, 1, [&](int64_t begin, int64_t end) {
        const Compressor compressor = NewCompressor(kStripLevel);
        for (int64_t s = begin; s < end; ++s) {
            const auto strip = static_cast<int32_t>(s);
            const int32_t firstRow = strip * stripRows;
            const int32_t rows = std::min(stripRows, image.height - firstRow);
            failed[static_cast<size_t>(s)] = !CodeStrip(image, firstRow, rows, compressor.get(), coded[size_t(s)]);
        }
    });
    if (result.status == ResultCode::kOutOfMemory) throw std::bad_alloc();
    if (progress) progress(0.9);
    for (int32_t s = 0; s < strips; ++s) {
        std::vector<uint8_t>& strip = coded[static_cast<size_t>(s)];
        if (failed[static_cast<size_t>(s)] != 0 ||
            TIFFWriteRawStrip(tiff, static_cast<uint32_t>(s), strip.data(), static_cast<tmsize_t>(strip.size())) < 0)
            return false;
        std::vector<uint8_t>().swap(strip);
    }
    return true;
}

}  // namespace

std::string DecodeTiff(const uint8_t* data, size_t size, DecodedImage& decoded, const ImageFileProgress& progress) {
    MemoryFile file;
    file.data = data;
    file.size = size;
    const TiffHandle tiff = OpenMemory(file, "rm");
    if (tiff == nullptr) return ProblemOf(file, "not a readable TIFF file");
    const TiffLayout layout = LayoutOf(tiff.get());
    if (const char* problem = ImageSizeProblem(layout.width, layout.height, decoded.maxPixels)) return problem;
    DecodedImage read;
    ReadTiffMetadata(tiff.get(), read.metadata);
    read.metadata.exif = ExifFromTiffFile(data, size);
    read.image =
        RasterImage(static_cast<int32_t>(layout.width), static_cast<int32_t>(layout.height), ChannelsOf(layout));
    if (StoredAsRead(tiff.get(), layout)) {
        if (!ReadStrips(tiff.get(), layout, read.image, progress))
            return ProblemOf(file, "the TIFF image data is damaged");
        if (layout.associatedAlpha) Unpremultiply(read.image);
        read.orientation = layout.orientation;
    } else {
        char why[1024] = {};
        if (!TIFFRGBAImageOK(tiff.get(), why)) return std::string("unsupported TIFF image (") + why + ")";
        if (!ReadThroughRgba(tiff.get(), layout, read.image)) return ProblemOf(file, "the TIFF image data is damaged");
        if (layout.alpha) Unpremultiply(read.image);
        read.orientation = 1;
        if (layout.bits > 8) read.notes.push_back(kReducedToEightBits);
    }
    decoded = std::move(read);
    return {};
}

std::string EncodeTiff(std::FILE* stream, const RasterImage& image, const ImageMetadata& metadata,
                       const ImageWriteOptions& options, std::vector<std::string>& notes) {
    MemoryFile file;
    file.writing = true;
    {
        // In the EXIF data's byte order, so that its entries move across as they are.
        const TiffHandle tiff = OpenMemory(file, ExifIsBigEndian(metadata.exif) ? "wb" : "wl");
        if (tiff == nullptr) return ProblemOf(file, "cannot start the TIFF file");
        TIFF* t = tiff.get();
        const bool grey = image.channels <= 2;
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.width));
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height));
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, static_cast<uint16_t>(image.channels));
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, uint16_t{8});
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, grey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
        TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
        if (image.HasAlpha()) {
            const uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
            TIFFSetField(t, TIFFTAG_EXTRASAMPLES, uint16_t{1}, extra);
        }
        TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
        TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
        const auto rowsPerStrip = static_cast<uint32_t>(std::max<size_t>(1, kStripBytes / image.RowBytes()));
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
        if (metadata.pixelsPerInch > 0.0) {
            const auto resolution = static_cast<float>(metadata.pixelsPerInch);
            TIFFSetField(t, TIFFTAG_XRESOLUTION, resolution);
            TIFFSetField(t, TIFFTAG_YRESOLUTION, resolution);
            TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        }
        if (!metadata.iccProfile.empty()) {
            TIFFSetField(t, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(metadata.iccProfile.size()),
                         metadata.iccProfile.data());
        }
        if (!metadata.xmp.empty())
            TIFFSetField(t, TIFFTAG_XMLPACKET, static_cast<uint32_t>(metadata.xmp.size()), metadata.xmp.data());
        if (!WriteStrips(t, image, rowsPerStrip, options.progress)) return ProblemOf(file, "the TIFF coder failed");
        if (!TIFFFlush(t)) return ProblemOf(file, "the TIFF coder failed");
    }
    if (!file.error.empty()) return ProblemOf(file, "the TIFF coder failed");
    if (!metadata.exif.empty() && !AddExifToTiffFile(file.bytes, metadata.exif))
        notes.push_back("its EXIF data cannot be read and is left out");
    if (std::fwrite(file.bytes.data(), 1, file.bytes.size(), stream) != file.bytes.size())
        return "write error (is the disk full?)";
    return {};
}
