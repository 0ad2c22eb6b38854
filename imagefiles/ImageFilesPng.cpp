// PNG reading (writing is ImageFilesPngEncode.cpp). The usual photograph's
// layout, 8-bit grey, grey + alpha, RGB or RGBA without interlacing or a
// transparent colour, is inflated whole by libdeflate and unfiltered in
// place (PngUnfilter.h); every other layout goes through libpng, which turns
// it into one of those. The metadata chunks are read by our own walk over
// the chunks in both cases.
//
// libpng reports errors by longjmp, so every libpng call sits in a plain
// function that sets the jump point first and keeps no C++ object with a
// destructor; the owning objects live in the callers.
#include <libdeflate.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "imagefiles/DeflateHandles.h"
#include "imagefiles/ImageFilesCodecs.h"
#include "imagefiles/PngChunks.h"
#include "imagefiles/PngUnfilter.h"

namespace {

constexpr size_t kMessageCapacity = 200;

struct Header {
    uint32_t width = 0;
    uint32_t height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;
};

bool ReadHeader(const PngChunkView& chunk, Header& header) {
    if (chunk.type != "IHDR" || chunk.length != 13) return false;
    header.width = ReadBigEndian(chunk.data);
    header.height = ReadBigEndian(chunk.data + 4);
    header.bitDepth = chunk.data[8];
    header.colourType = chunk.data[9];
    header.interlaced = chunk.data[12] != 0;
    return chunk.data[10] == 0 && chunk.data[11] == 0 && chunk.data[12] <= 1;
}

int ChannelsOfColourType(int colourType) {
    switch (colourType) {
        case 0: return 1;
        case 4: return 2;
        case 2: return 3;
        case 6: return 4;
        default: return 0;
    }
}

// The fast path: every IDAT joined, inflated into the image's buffer with a
// filter byte before each row, then unfiltered in place.
std::string DecodeDirect(const Header& header, const std::vector<PngChunkView>& chunks, RasterImage& image,
                         const ImageFileProgress& progress) {
    std::vector<uint8_t> compressed;
    for (const PngChunkView& chunk : chunks) {
        if (chunk.type == "IDAT") compressed.insert(compressed.end(), chunk.data, chunk.data + chunk.length);
    }
    const int channels = ChannelsOfColourType(header.colourType);
    RasterImage decoded;
    decoded.width = static_cast<int32_t>(header.width);
    decoded.height = static_cast<int32_t>(header.height);
    decoded.channels = channels;
    const size_t filteredBytes = (decoded.RowBytes() + 1) * static_cast<size_t>(decoded.height);
    decoded.pixels.resize(filteredBytes);
    const Decompressor decompressor = NewDecompressor();
    size_t inflated = 0;
    const libdeflate_result result = libdeflate_zlib_decompress(
        decompressor.get(), compressed.data(), compressed.size(), decoded.pixels.data(), filteredBytes, &inflated);
    if (result == LIBDEFLATE_INSUFFICIENT_SPACE) return "the image data is longer than the image";
    if (result != LIBDEFLATE_SUCCESS || inflated != filteredBytes) return "the image data is damaged or truncated";
    if (progress) progress(0.5);
    if (!UnfilterPngRowsInPlace(decoded.pixels.data(), decoded.height, decoded.RowBytes(),
                                static_cast<size_t>(channels))) {
        return "the image data is damaged (an unknown row filter)";
    }
    decoded.pixels.resize(decoded.RowBytes() * static_cast<size_t>(decoded.height));
    image = std::move(decoded);
    return {};
}

// What the libpng callbacks share with us.
struct PngIo {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;
    char message[kMessageCapacity] = {};
};

void KeepMessage(PngIo& io, const char* text) {
    std::snprintf(io.message, sizeof io.message, "%s", text != nullptr ? text : "unknown PNG error");
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp text) {
    KeepMessage(*static_cast<PngIo*>(png_get_error_ptr(png)), text);
    png_longjmp(png, 1);
}

// Warnings concern ancillary data, which our own walk reads.
void OnPngWarning(png_structp, png_const_charp) {}

void ReadPngBytes(png_structp png, png_bytep data, size_t length) {
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (io->size - io->position < length) png_error(png, "the file is truncated");
    std::memcpy(data, io->data + io->position, length);
    io->position += length;
}

struct PngReadHandles {
    png_structp png = nullptr;
    png_infop info = nullptr;

    explicit PngReadHandles(PngIo& io) {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, OnPngError, OnPngWarning);
        if (png != nullptr) info = png_create_info_struct(png);
    }
    ~PngReadHandles() {
        if (png != nullptr) png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
    }
    PngReadHandles(const PngReadHandles&) = delete;
    PngReadHandles& operator=(const PngReadHandles&) = delete;
};

struct PngLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    int channels = 0;
    int bitDepth = 0;
    size_t rowBytes = 0;
    int passes = 1;
};

// Reads the header and asks libpng for 8-bit grey, grey + alpha, RGB or RGBA.
bool ReadPngHeader(png_structp png, png_infop info, PngLayout& layout) {
    if (setjmp(png_jmpbuf(png))) return false;
    // Our own pixel limit (checked on IHDR before) replaces libpng's.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    // Damaged ancillary chunks are our walk's business.
    png_set_benign_errors(png, 1);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) png_set_tRNS_to_alpha(png);
    if (bitDepth == 16) png_set_strip_16(png);
    layout.passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    layout.width = width;
    layout.height = height;
    layout.channels = png_get_channels(png, info);
    layout.bitDepth = png_get_bit_depth(png, info);
    layout.rowBytes = png_get_rowbytes(png, info);
    return true;
}

// Reads every pass of every row into PIXELS.
bool ReadPngPixels(png_structp png, const PngLayout& layout, uint8_t* pixels, const ImageFileProgress& progress) {
    if (setjmp(png_jmpbuf(png))) return false;
    for (int pass = 0; pass < layout.passes; ++pass) {
        for (uint32_t y = 0; y < layout.height; ++y) {
            png_read_row(png, pixels + static_cast<size_t>(y) * layout.rowBytes, nullptr);
            if (progress && y % 256 == 0) progress((pass + double(y) / layout.height) / layout.passes);
        }
    }
    png_read_end(png, nullptr);
    return true;
}

std::string DecodeThroughLibpng(const uint8_t* data, size_t size, RasterImage& image,
                                const ImageFileProgress& progress) {
    PngIo io;
    io.data = data;
    io.size = size;
    PngReadHandles handles(io);
    if (handles.png == nullptr || handles.info == nullptr) return "out of memory";
    png_set_read_fn(handles.png, &io, ReadPngBytes);

    PngLayout layout;
    if (!ReadPngHeader(handles.png, handles.info, layout)) return io.message;
    RasterImage decoded(static_cast<int32_t>(layout.width), static_cast<int32_t>(layout.height), layout.channels);
    if (layout.bitDepth != 8 || layout.channels < 1 || layout.channels > 4 || layout.rowBytes != decoded.RowBytes())
        return "unsupported PNG pixel layout";
    if (!ReadPngPixels(handles.png, layout, decoded.pixels.data(), progress)) return io.message;
    image = std::move(decoded);
    return {};
}

}  // namespace

std::string DecodePng(const uint8_t* data, size_t size, DecodedImage& decoded, const ImageFileProgress& progress) {
    // The header first: an absurd size is refused before anything else is read.
    constexpr size_t kHeaderEnd = sizeof kPngSignature + 8 + 13;
    PngChunkView first;
    first.type = size >= kHeaderEnd ? std::string(reinterpret_cast<const char*>(data) + 12, 4) : std::string();
    first.data = data + 16;
    first.length = size >= kHeaderEnd ? ReadBigEndian(data + 8) : 0;
    Header header;
    if (!ReadHeader(first, header)) return size < kHeaderEnd ? "the file is truncated" : "the PNG header is damaged";
    if (const char* tooLarge = ImageSizeProblem(header.width, header.height, decoded.maxPixels)) return tooLarge;
    std::string problem;
    const std::vector<PngChunkView> chunks = PngChunks(data, size, problem);
    if (chunks.empty()) return problem;

    DecodedImage read;
    bool transparentColour = false;
    for (const PngChunkView& chunk : chunks) {
        ReadPngMetadataChunk(chunk, read.metadata, read.notes);
        transparentColour = transparentColour || chunk.type == "tRNS";
    }
    const bool direct =
        header.bitDepth == 8 && !header.interlaced && ChannelsOfColourType(header.colourType) > 0 && !transparentColour;
    problem = direct ? DecodeDirect(header, chunks, read.image, progress)
                     : DecodeThroughLibpng(data, size, read.image, progress);
    if (!problem.empty()) return problem;
    if (header.bitDepth == 16) read.notes.push_back(kReducedToEightBits);
    decoded = std::move(read);
    return {};
}
