#include "content/JpegLoader.h"

#include <new>

#include "content/ContentLimits.h"
#include "content/JpegDecompressor.h"
#include "platform/FileStreams.h"

namespace {

constexpr ResultCode kDamaged = ContentFileDamaged();

// The image layout for the decoder's output colour space, with one channel
// per component; false when the file has fewer components than the colour
// space needs.
bool LayoutForOutput(const jpeg_decompress_struct& info, ChannelLayout& layout) {
    const int components = info.num_components;
    int32_t model = kColourModelNone;
    int required = 0;
    switch (info.out_color_space) {
        case JCS_GRAYSCALE: model = kColourModelGrey, required = 1; break;
        case JCS_RGB: model = kColourModelRGB, required = 3; break;
        case JCS_CMYK: model = kColourModelCMYK, required = 4; break;
        default: break;
    }
    if (components < required || components < 1) return false;
    layout = ChannelLayout(model, components, false);
    return true;
}

// Decodes every scan line straight into the rows of `image`, which the
// started decompressor's output must fit exactly.
ResultCode ReadScanlines(JpegDecompressor& decoder, Image<unsigned char>& image, ProgressUpdateSink* sink, double from,
                         double to) {
    const jpeg_decompress_struct& info = decoder.Info();
    if (info.output_width != static_cast<JDIMENSION>(image.Width()) ||
        info.output_height != static_cast<JDIMENSION>(image.Height()) ||
        info.output_components != image.layout.channelCount)
        return kDamaged;
    const double height = info.output_height;
    while (info.output_scanline < info.output_height) {
        const JDIMENSION line = info.output_scanline;
        if (sink != nullptr) sink->Update(from + (to - from) * (line / height));
        unsigned char* row =
            image.PixelAddress(Point{image.bounds.left, image.bounds.top + static_cast<int32_t>(line)});
        if (!decoder.ReadScanline(row)) return kDamaged;
    }
    decoder.Finish();
    return ResultCode::Success();
}

// Reads the header and decodes the whole datastream into a new image.
ResultCode LoadWith(JpegDecompressor& decoder, uint64_t storedBytes, std::unique_ptr<Image<unsigned char>>& image,
                    ProgressUpdateSink* sink, double from, double to) {
    if (decoder.ReadHeader() != JPEG_HEADER_OK) return kDamaged;
    const jpeg_decompress_struct& info = decoder.Info();
    ChannelLayout layout;
    if (!LayoutForOutput(info, layout)) return kDamaged;
    if (!IsPlausiblePictureSize(info.image_width, info.image_height, storedBytes)) return kDamaged;
    ResultCode result;
    const Rect bounds(0, 0, static_cast<int32_t>(info.image_height), static_cast<int32_t>(info.image_width));
    auto decoded =
        std::unique_ptr<Image<unsigned char>>(new (std::nothrow) Image<unsigned char>(layout, bounds, result));
    if (!decoded) return ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;
    decoder.Start();
    result = ReadScanlines(decoder, *decoded, sink, from, to);
    if (result.IsSuccess()) image = std::move(decoded);
    return result;
}

// Reads the header and decodes into a destination the caller allocated.
ResultCode DecodeWith(JpegDecompressor& decoder, Image<unsigned char>& destination, ProgressUpdateSink* sink,
                      double from, double to) {
    if (decoder.ReadHeader() != JPEG_HEADER_OK) return kDamaged;
    // Checked before decompression starts: starting sets up buffers for the
    // size the stream claims, which may be huge.
    const jpeg_decompress_struct& info = decoder.Info();
    ChannelLayout layout;
    if (!LayoutForOutput(info, layout) || layout != destination.layout || !destination.HasData() ||
        info.image_width != static_cast<JDIMENSION>(destination.Width()) ||
        info.image_height != static_cast<JDIMENSION>(destination.Height()))
        return kDamaged;
    decoder.Start();
    return ReadScanlines(decoder, destination, sink, from, to);
}

// Runs `decode` with a fresh decompressor; decoder errors become {-1, 10033}.
template <typename Decode>
ResultCode WithDecompressor(Decode decode) {
    try {
        JpegDecompressor decoder;
        return decode(decoder);
    } catch (const Vt_JPEG_Error&) {
        return kDamaged;
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
}

}  // namespace

ResultCode LoadJpegFile(const std::string& path, std::unique_ptr<Image<unsigned char>>& image, ProgressUpdateSink* sink,
                        double from, double to) {
    image.reset();
    FileStream stream(OpenFileForReading(path));
    uint64_t length = 0;
    if (!stream || !FileLength(stream.get(), length)) return ResultCode::Failure();
    return WithDecompressor([&](JpegDecompressor& decoder) {
        decoder.UseFile(stream.get());
        return LoadWith(decoder, length, image, sink, from, to);
    });
}

ResultCode LoadJpegMemory(const unsigned char* buffer, std::size_t length, std::unique_ptr<Image<unsigned char>>& image,
                          ProgressUpdateSink* sink, double from, double to) {
    image.reset();
    return WithDecompressor([&](JpegDecompressor& decoder) {
        decoder.UseMemory(buffer, length);
        return LoadWith(decoder, length, image, sink, from, to);
    });
}

ResultCode DecodeJpegStream(std::FILE* stream, Image<unsigned char>& destination, ProgressUpdateSink* sink, double from,
                            double to) {
    return WithDecompressor([&](JpegDecompressor& decoder) {
        decoder.UseFile(stream);
        return DecodeWith(decoder, destination, sink, from, to);
    });
}

ResultCode DecodeJpegMemory(const unsigned char* buffer, std::size_t length, Image<unsigned char>& destination,
                            ProgressUpdateSink* sink, double from, double to) {
    return WithDecompressor([&](JpegDecompressor& decoder) {
        decoder.UseMemory(buffer, length);
        return DecodeWith(decoder, destination, sink, from, to);
    });
}

ResultCode CheckJpegContent(const std::string& path) {
    FileStream stream(OpenFileForReading(path));
    if (!stream) return ResultCode::Failure();
    try {
        JpegDecompressor decoder;
        decoder.UseFile(stream.get());
        if (decoder.ReadHeader() != JPEG_HEADER_OK) return ResultCode::Failure();
        const jpeg_decompress_struct& info = decoder.Info();
        if (info.jpeg_color_space == JCS_GRAYSCALE && info.num_components == 1) return ResultCode::Success();
        return kDamaged;
    } catch (...) {
        return ResultCode::Failure();
    }
}
