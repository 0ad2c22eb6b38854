// The parts of the Paint Shop Pro image file format that picture tubes and
// frame files use, shared by the reader and by the writers in tools/.
//
// A file is a 36-byte header followed by blocks. Every block starts with the
// marker "~BK\0" and its 16-bit id; major version 3 then stores the length of
// the block's initial data chunk and the total length of its body (14 bytes
// of header), later versions only the total length (10 bytes), and start
// each information chunk inside a block with that chunk's own 32-bit size.
// All values are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace psp {

// "Paint Shop Pro Image File\n", byte 0x1A, then zero bytes to 32.
constexpr char kSignature[32] = "Paint Shop Pro Image File\n\x1a";
constexpr std::size_t kFileHeaderSize = 36;  // signature, major and minor version

constexpr char kBlockMarker[4] = {'~', 'B', 'K', '\0'};
constexpr std::size_t kVersion3BlockHeaderSize = 14;
constexpr std::size_t kVersion5BlockHeaderSize = 10;

constexpr uint16_t kMajorVersion3 = 3;  // Paint Shop Pro 5
constexpr uint16_t kMajorVersion5 = 5;  // Paint Shop Pro 7

enum BlockId : uint16_t {
    kGeneralImageAttributesBlock = 0,
    kLayerBankBlock = 3,
    kLayerBlock = 4,
    kChannelBlock = 5,
    kTubeDataBlock = 11,
    kCompositeImageBankBlock = 16,
    kCompositeImageAttributesBlock = 17,
    kJpegCompositeBlock = 18,
};

// Bitmap types of channel blocks and of JPEG composites.
enum BitmapType : uint16_t {
    kLayerColourBitmap = 0,
    kLayerTransparencyMask = 1,
    kLayerUserMask = 2,
    kThumbnailBitmap = 5,
};

// Channel types within a bitmap: a single-channel bitmap's one channel, or
// one colour of a 24-bit bitmap.
enum ChannelType : uint16_t {
    kCompositeChannel = 0,
    kRedChannel = 1,
    kGreenChannel = 2,
    kBlueChannel = 3,
};

enum Compression : uint16_t {
    kUncompressed = 0,
    kRunLengthCompression = 1,
    kLz77Compression = 2,
    kJpegCompression = 3,
};

constexpr uint16_t kThumbnailComposite = 1;  // composite image type of the preview

// Layer types: version 3 calls a plain layer 0, version 5 a raster layer 1.
constexpr uint8_t kVersion3NormalLayer = 0;
constexpr uint8_t kVersion5RasterLayer = 1;

// Fixed field sizes.
constexpr std::size_t kVersion3LayerNameSize = 256;
constexpr std::size_t kVersion3TubeNameSize = 513;
constexpr std::size_t kBlendRangeCount = 5;
constexpr std::size_t kBlendRangeSize = 8;  // source and destination range, 4 bytes each

}  // namespace psp
