#include "tools/contentwriters/PspBlocks.h"

#include <set>

#include <zlib.h>

#include "imagefiles/ImageFilesCodecs.h"

namespace {

constexpr int kCompositeJpegQuality = 90;
constexpr uint32_t kTrueColourCount = 1u << 24;
constexpr double kResolution = 72.0;
constexpr uint8_t kResolutionPerInch = 1;
// Graphic contents of a version 5 image: raster layers and a thumbnail.
constexpr uint32_t kRasterLayersAndThumbnail = 0x00000001u | 0x01000000u;
constexpr uint16_t kTubeVersion = 1;
constexpr char kLayerName[] = "Tube";

// The bytes of one channel over `rect`, row by row.
std::vector<uint8_t> ChannelBytes(const RasterImage& image, const Rect& rect, int channel) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(rect.Width()) * static_cast<size_t>(rect.Height()));
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x)
            bytes.push_back(image.Row(y)[static_cast<size_t>(x) * image.channels + channel]);
    return bytes;
}

bool Compress(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& compressed) {
    uLongf length = compressBound(static_cast<uLong>(bytes.size()));
    compressed.resize(length);
    if (compress2(compressed.data(), &length, bytes.data(), static_cast<uLong>(bytes.size()), Z_BEST_COMPRESSION) !=
        Z_OK)
        return false;
    compressed.resize(length);
    return true;
}

void WriteLayerInfoChunk(PspStream& stream, const Rect& rect, uint16_t bitmapCount, uint16_t channelCount) {
    stream.BeginChunk();
    if (stream.IsVersion5()) {
        stream.U16(sizeof kLayerName - 1);
        stream.Bytes(kLayerName, sizeof kLayerName - 1);
        stream.U8(psp::kVersion5RasterLayer);
    } else {
        stream.Bytes(kLayerName, sizeof kLayerName);
        stream.Zeros(psp::kVersion3LayerNameSize - sizeof kLayerName);
        stream.U8(psp::kVersion3NormalLayer);
    }
    for (int i = 0; i < 2; ++i) {  // the image rectangle, then the saved one
        stream.I32(rect.left);
        stream.I32(rect.top);
        stream.I32(rect.right);
        stream.I32(rect.bottom);
    }
    stream.U8(255);         // opacity
    stream.U8(0);           // blend mode: normal
    stream.U8(1);           // visible
    stream.U8(0);           // transparency protected
    stream.U8(0);           // link group
    stream.Zeros(16 + 16);  // mask rectangle and saved mask rectangle: no mask
    stream.U8(0);           // mask linked
    stream.U8(0);           // mask disabled
    stream.U8(0);           // invert mask on blend
    stream.U16(0);          // blend ranges in use
    stream.Zeros(psp::kBlendRangeCount * psp::kBlendRangeSize);
    if (stream.IsVersion5()) {
        stream.EndChunk();
        stream.BeginChunk();  // the layer bitmap information chunk
    }
    stream.U16(bitmapCount);
    stream.U16(channelCount);
    stream.EndChunk();
}

}  // namespace

void WriteImageAttributesBlock(PspStream& stream, int32_t width, int32_t height) {
    stream.BeginBlock(psp::kGeneralImageAttributesBlock);
    stream.BeginChunk();
    stream.I32(width);
    stream.I32(height);
    stream.F64(kResolution);
    stream.U8(kResolutionPerInch);
    stream.U16(psp::kLz77Compression);
    stream.U16(24);  // bit depth
    stream.U16(1);   // planes
    stream.U32(kTrueColourCount);
    stream.U8(0);  // not grey-scale
    stream.U32(static_cast<uint32_t>(static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4));
    stream.I32(0);  // active layer
    stream.U16(1);  // layer count
    if (stream.IsVersion5()) stream.U32(kRasterLayersAndThumbnail);
    stream.EndChunk();
    stream.EndBlock();
}

void WriteTubeDataBlock(PspStream& stream, const TubeGridFields& grid) {
    stream.BeginBlock(psp::kTubeDataBlock);
    stream.BeginChunk();
    stream.U16(kTubeVersion);
    if (!stream.IsVersion5()) stream.Zeros(psp::kVersion3TubeNameSize);
    stream.I32(grid.stepSize);
    stream.I32(grid.columns);
    stream.I32(grid.rows);
    stream.I32(grid.cellCount);
    stream.U32(0);  // placement mode: random
    stream.U32(0);  // selection mode: random
    stream.EndChunk();
    stream.EndBlock();
}

std::string WriteCompositeBankBlock(PspStream& stream, const RasterImage& composite,
                                    const CompositeAttributes& attributes) {
    stream.BeginBlock(psp::kCompositeImageBankBlock);
    stream.BeginChunk();
    stream.U32(1);  // composite count
    stream.EndChunk();

    stream.BeginBlock(psp::kCompositeImageAttributesBlock);
    stream.BeginChunk();
    stream.I32(composite.width);
    stream.I32(composite.height);
    stream.U16(attributes.bitDepth);
    stream.U16(attributes.compression);
    stream.U16(attributes.planeCount);
    stream.U32(kTrueColourCount);
    stream.U16(attributes.type);
    stream.EndChunk();
    stream.EndBlock();

    stream.BeginBlock(psp::kJpegCompositeBlock);
    stream.BeginChunk();
    const uint64_t compressedSizeField = stream.Tell();
    stream.U32(0);
    stream.U32(static_cast<uint32_t>(static_cast<uint64_t>(composite.width) * composite.height * 3));
    stream.U16(psp::kThumbnailBitmap);
    stream.EndChunk();
    const uint64_t start = stream.Tell();
    if (std::string problem = EncodeJpeg(stream.Stream(), composite, kCompositeJpegQuality); !problem.empty())
        return problem;
    stream.PatchU32(compressedSizeField, static_cast<uint32_t>(stream.Tell() - start));
    stream.EndBlock();
    stream.EndBlock();
    return {};
}

std::vector<LayerChannel> ColourAndTransparencyChannels() {
    return {LayerChannel{psp::kLayerColourBitmap, psp::kRedChannel, 0},
            LayerChannel{psp::kLayerColourBitmap, psp::kGreenChannel, 1},
            LayerChannel{psp::kLayerColourBitmap, psp::kBlueChannel, 2},
            LayerChannel{psp::kLayerTransparencyMask, psp::kCompositeChannel, 3}};
}

std::string WriteLayerBankBlock(PspStream& stream, const RasterImage& image, const Rect& layerRect,
                                const std::vector<LayerChannel>& channels) {
    std::set<uint16_t> bitmaps;
    for (const LayerChannel& channel : channels) bitmaps.insert(channel.bitmapType);

    stream.BeginBlock(psp::kLayerBankBlock);
    stream.BeginBlock(psp::kLayerBlock);
    WriteLayerInfoChunk(stream, layerRect, static_cast<uint16_t>(bitmaps.size()),
                        static_cast<uint16_t>(channels.size()));
    for (const LayerChannel& channel : channels) {
        const std::vector<uint8_t> bytes = ChannelBytes(image, layerRect, channel.sourceChannel);
        std::vector<uint8_t> compressed;
        if (!Compress(bytes, compressed)) return "cannot compress a channel";
        stream.BeginBlock(psp::kChannelBlock);
        stream.BeginChunk();
        stream.U32(static_cast<uint32_t>(compressed.size()));
        stream.U32(static_cast<uint32_t>(bytes.size()));
        stream.U16(channel.bitmapType);
        stream.U16(channel.channelType);
        stream.EndChunk();
        stream.Bytes(compressed.data(), compressed.size());
        stream.EndBlock();
    }
    stream.EndBlock();
    stream.EndBlock();
    return {};
}
