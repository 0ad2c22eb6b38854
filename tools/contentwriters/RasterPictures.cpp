#include "tools/contentwriters/RasterPictures.h"

#include <algorithm>
#include <new>

#include "image/Image.h"
#include "image/Resample.h"
#include "imagefiles/ImageFilesCodecs.h"

namespace {

// A view of the raster's pixels as an image of the core.
Image<unsigned char> View(const RasterImage& image) {
    const bool alpha = image.HasAlpha();
    const int32_t colours = alpha ? image.channels - 1 : image.channels;
    const ChannelLayout layout(colours == 1 ? kColourModelGrey : kColourModelRGB, colours, alpha);
    return Image<unsigned char>(layout, Rect(0, 0, image.height, image.width),
                                const_cast<unsigned char*>(image.pixels.data()), 0);
}

}  // namespace

RasterImage ToRgba(const RasterImage& image) {
    RasterImage rgba(image.width, image.height, 4);
    const int colours = image.channels >= 3 ? 3 : 1;
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* source = image.Row(y);
        uint8_t* target = rgba.Row(y);
        for (int32_t x = 0; x < image.width; ++x, source += image.channels, target += 4) {
            for (int c = 0; c < 3; ++c) target[c] = source[colours == 3 ? c : 0];
            target[3] = image.HasAlpha() ? source[colours] : 255;
        }
    }
    return rgba;
}

RasterImage Scaled(const RasterImage& image, int32_t width, int32_t height) {
    if (width == image.width && height == image.height) return image;
    RasterImage scaled(width, height, image.channels);
    const Image<unsigned char> source = View(image);
    Image<unsigned char> destination = View(scaled);
    // The images match, so only memory can run out.
    if (Resample(source, destination, nullptr, nullptr, 0.0, 1.0).IsFailure()) throw std::bad_alloc();
    return scaled;
}

RasterImage CentredCrop(const RasterImage& image, int32_t width, int32_t height) {
    // Compare image.width / image.height with width / height without division.
    const int64_t imageSide = static_cast<int64_t>(image.width) * height;
    const int64_t wantedSide = static_cast<int64_t>(width) * image.height;
    int32_t cropWidth = image.width, cropHeight = image.height;
    if (imageSide > wantedSide)
        cropWidth = std::max<int32_t>(1, static_cast<int32_t>(wantedSide / height));
    else
        cropHeight = std::max<int32_t>(1, static_cast<int32_t>(imageSide / width));
    const int32_t left = (image.width - cropWidth) / 2;
    const int32_t top = (image.height - cropHeight) / 2;
    RasterImage crop(cropWidth, cropHeight, image.channels);
    for (int32_t y = 0; y < cropHeight; ++y)
        std::copy_n(image.Row(top + y) + static_cast<size_t>(left) * image.channels, crop.RowBytes(), crop.Row(y));
    return crop;
}

RasterImage OverWhite(const RasterImage& image) {
    RasterImage flat(image.width, image.height, image.channels >= 3 ? 3 : 1);
    for (int32_t y = 0; y < image.height; ++y)
        FlattenRowOverWhite(image.Row(y), image.channels, flat.Row(y), image.width);
    return flat;
}
