// The blocks of a picture tube, written through a PspStream in the stream's
// major version (3 or 5). WritePictureTube puts them together; the tests put
// them together in other ways to make unusual and malformed files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Rect.h"
#include "content/PspFormat.h"
#include "imagefiles/RasterImage.h"
#include "tools/contentwriters/PspStream.h"

// The general image attributes: an RGB image of 24 bits, LZ77-compressed.
void WriteImageAttributesBlock(PspStream& stream, int32_t width, int32_t height);

struct TubeGridFields {
    int32_t columns = 1;
    int32_t rows = 1;
    int32_t cellCount = 1;
    int32_t stepSize = 1;  // distance between stamps when painting with the tube
};
void WriteTubeDataBlock(PspStream& stream, const TubeGridFields& grid);

struct CompositeAttributes {
    uint16_t type = psp::kThumbnailComposite;
    uint16_t compression = psp::kJpegCompression;
    uint16_t bitDepth = 24;
    uint16_t planeCount = 1;
};
// Version 5: a composite image bank holding `composite` as a JPEG stream
// (an image with alpha is composited over white). Empty on success, else
// what went wrong.
std::string WriteCompositeBankBlock(PspStream& stream, const RasterImage& composite,
                                    const CompositeAttributes& attributes);

// One channel of a layer: its bitmap and channel type, and which channel of
// the source image it holds.
struct LayerChannel {
    uint16_t bitmapType = psp::kLayerColourBitmap;
    uint16_t channelType = psp::kRedChannel;
    int sourceChannel = 0;
};
// Red, green and blue of the colour bitmap, then the transparency mask, from
// an RGBA image.
std::vector<LayerChannel> ColourAndTransparencyChannels();

// A layer bank with one raster layer covering `layerRect` (image
// coordinates) of `image`, its channels zlib-compressed. Empty on success,
// else what went wrong.
std::string WriteLayerBankBlock(PspStream& stream, const RasterImage& image, const Rect& layerRect,
                                const std::vector<LayerChannel>& channels);
