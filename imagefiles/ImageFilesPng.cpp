// PNG reading through libpng (writing is ImageFilesPngEncode.cpp). libpng reports errors by longjmp, so every libpng
// call sits in a plain function that sets the jump point first and keeps no C++ object with a destructor; the owning
// objects live in the callers.
#include <png.h>

#include <cstdio>
#include <utility>

#include "imagefiles/ImageFilesCodecs.h"

namespace {

constexpr size_t kMessageCapacity = 200;

// What the libpng callbacks share with us.
struct PngIo {
    std::FILE* file = nullptr;
    char message[kMessageCapacity] = {};
};

void KeepMessage(PngIo& io, const char* text) {
    std::snprintf(io.message, sizeof io.message, "%s", text != nullptr ? text : "unknown PNG error");
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp text) {
    KeepMessage(*static_cast<PngIo*>(png_get_error_ptr(png)), text);
    png_longjmp(png, 1);
}

// Warnings concern ancillary data we do not use; the command line stays quiet.
void OnPngWarning(png_structp, png_const_charp) {}

void ReadPngBytes(png_structp png, png_bytep data, size_t length) {
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (std::fread(data, 1, length, io->file) == length) return;
    png_error(png, std::ferror(io->file) ? "read error" : "the file is truncated");
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
bool ReadPngHeader(png_structp png, png_infop info, PngIo& io, PngLayout& layout) {
    if (setjmp(png_jmpbuf(png))) return false;
    // Our own pixel limit replaces libpng's default width and height limits.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    // Refused before libpng sizes its row buffers for the image.
    if (const char* problem = ImageSizeProblem(width, height)) {
        KeepMessage(io, problem);
        return false;
    }

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

// Reads every pass of every row into PIXELS, then the rest of the file up to its end chunk.
bool ReadPngPixels(png_structp png, const PngLayout& layout, uint8_t* pixels) {
    if (setjmp(png_jmpbuf(png))) return false;
    for (int pass = 0; pass < layout.passes; ++pass) {
        for (uint32_t y = 0; y < layout.height; ++y)
            png_read_row(png, pixels + static_cast<size_t>(y) * layout.rowBytes, nullptr);
    }
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

std::string DecodePng(std::FILE* file, RasterImage& image) {
    PngIo io;
    io.file = file;
    PngReadHandles handles(io);
    if (handles.png == nullptr || handles.info == nullptr) return "out of memory";
    png_set_read_fn(handles.png, &io, ReadPngBytes);

    PngLayout layout;
    if (!ReadPngHeader(handles.png, handles.info, io, layout)) return io.message;
    RasterImage decoded(static_cast<int32_t>(layout.width), static_cast<int32_t>(layout.height), layout.channels);
    if (layout.bitDepth != 8 || layout.channels < 1 || layout.channels > 4 || layout.rowBytes != decoded.RowBytes())
        return "unsupported PNG pixel layout";
    if (!ReadPngPixels(handles.png, layout, decoded.pixels.data())) return io.message;
    image = std::move(decoded);
    return {};
}
