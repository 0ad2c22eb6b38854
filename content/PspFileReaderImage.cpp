// The first layer of a picture tube: its rectangle, then four channels of
// zlib-compressed bytes, one per pixel of the rectangle.
#include <cstdint>
#include <memory>
#include <new>

#include <zlib.h>

#include "content/ContentMessages.h"
#include "content/PspFileReader.h"
#include "content/PspFormat.h"
#include "image/Iterators.h"

namespace {

constexpr int kRed = 0, kGreen = 1, kBlue = 2, kAlpha = 3;
constexpr int kSkippedChannel = -1;
constexpr uint16_t kLayerChannelCount = 4;

// The destination channel of a (bitmap type, channel type) pair:
// kSkippedChannel for bitmaps other than the colour bitmap and the
// transparency mask; false for a channel type those two do not have.
bool DestinationChannel(uint16_t bitmapType, uint16_t channelType, int& channel) {
    if (bitmapType == psp::kLayerColourBitmap) {
        switch (channelType) {
            case psp::kRedChannel: channel = kRed; return true;
            case psp::kGreenChannel: channel = kGreen; return true;
            case psp::kBlueChannel: channel = kBlue; return true;
            default: return false;
        }
    }
    if (bitmapType == psp::kLayerTransparencyMask) {
        channel = kAlpha;
        return channelType == psp::kCompositeChannel;
    }
    channel = kSkippedChannel;
    return true;
}

// Zeroes every pixel of `destination` outside `inside` (document positions).
void ClearOutside(Image<unsigned char>& destination, const Rect& inside) {
    const Rect& all = destination.bounds;
    const Rect bands[4] = {
        Rect(all.top, all.left, inside.top, all.right),           // above
        Rect(inside.bottom, all.left, all.bottom, all.right),     // below
        Rect(inside.top, all.left, inside.bottom, inside.left),   // left
        Rect(inside.top, inside.right, inside.bottom, all.right)  // right
    };
    for (const Rect& band : bands) {
        LeftToRightTopToBottomIterator<Image<unsigned char>> it(destination);
        for (it.Begin(band, nullptr, 0.0, 1.0); it.IsValid(); it.Next())
            for (int c = 0; c < kLayerChannelCount; ++c) it.Pixel()[c] = 0;
    }
}

}  // namespace

ResultCode PspFileReader::readImage(Image<unsigned char>& destination, ProgressUpdateSink* sink, double start,
                                    double end) {
    if (!destination.HasData() || destination.layout.channelCount != kLayerChannelCount ||
        destination.Width() != width_ || destination.Height() != height_)
        return ResultCode::Failure();
    try {
        if (!SeekToFirstBlock(psp::kLayerBankBlock)) return ContentFileDamaged();
        BlockHeader header;
        if (!ReadBlockHeader(header) || header.id != psp::kLayerBlock) return ContentFileDamaged();
        LayerInfo layer;
        ResultCode result = ReadLayerInfo(layer);
        if (result.IsFailure()) return result;

        const Rect& origin = destination.bounds;
        ClearOutside(destination, Rect(origin.top + layer.top, origin.left + layer.left, origin.top + layer.bottom,
                                       origin.left + layer.right));
        for (int i = 0; i < kLayerChannelCount; ++i) {
            if (sink != nullptr) sink->Update(start + (end - start) * i / 3.0);
            if (!ReadBlockHeader(header) || header.id != psp::kChannelBlock) return ContentFileDamaged();
            result = ReadChannel(layer, destination);
            if (result.IsFailure()) return result;
        }
        return ResultCode::Success();
    } catch (const VtFile::FileError&) {
        return ContentFileDamaged();
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
}

ResultCode PspFileReader::ReadLayerInfo(LayerInfo& layer) {
    uint64_t chunk = file_.Tell();
    uint32_t chunkSize = 0;
    if (version5_) {
        chunkSize = file_.Read4();
        file_.Skip(file_.Read2());  // name, by its length
    } else {
        file_.Skip(psp::kVersion3LayerNameSize);
    }
    file_.Read1();  // layer type
    layer.left = static_cast<int32_t>(file_.Read4());
    layer.top = static_cast<int32_t>(file_.Read4());
    layer.right = static_cast<int32_t>(file_.Read4());
    layer.bottom = static_cast<int32_t>(file_.Read4());
    // Saved image rectangle; opacity, blend mode, visibility, transparency
    // protection and link group; mask and saved mask rectangles; mask linked,
    // mask disabled and invert mask on blend; the blend ranges and their count.
    file_.Skip(16 + 5 + 16 + 16 + 3 + 2 + psp::kBlendRangeCount * psp::kBlendRangeSize);
    if (version5_) {
        file_.SeekTo(chunk + chunkSize);
        chunk = file_.Tell();  // the layer bitmap information chunk
        chunkSize = file_.Read4();
    }
    file_.Read2();  // bitmap count
    layer.channelCount = file_.Read2();
    if (version5_) file_.SeekTo(chunk + chunkSize);

    if (layer.channelCount != kLayerChannelCount) return ContentFileDamaged();
    if (layer.left < 0 || layer.top < 0 || layer.left > layer.right || layer.top > layer.bottom ||
        layer.right > width_ || layer.bottom > height_)
        return ContentFileDamaged();
    return ResultCode::Success();
}

ResultCode PspFileReader::ReadChannel(const LayerInfo& layer, Image<unsigned char>& destination) {
    if (version5_) file_.Read4();  // chunk size
    const uint32_t compressedLength = file_.Read4();
    const uint32_t uncompressedLength = file_.Read4();
    const uint16_t bitmapType = file_.Read2();
    const uint16_t channelType = file_.Read2();
    int channel = kSkippedChannel;
    if (!DestinationChannel(bitmapType, channelType, channel)) return ContentFileDamaged();
    if (channel == kSkippedChannel) {
        file_.Skip(compressedLength);
        return ResultCode::Success();
    }

    const uint64_t area =
        static_cast<uint64_t>(layer.right - layer.left) * static_cast<uint64_t>(layer.bottom - layer.top);
    if (uncompressedLength != area) return ContentFileDamaged();
    if (compressedLength > file_.Size() - file_.Tell()) return ContentFileDamaged();
    // zlib never needs more than compressBound bytes for `area` bytes: a
    // longer channel is damaged, and refusing it keeps the buffers' sizes
    // (counted in 64 bits, with a byte to spare for an empty channel) far
    // from wrapping round.
    if (compressedLength > compressBound(static_cast<uLong>(area))) return ContentFileDamaged();
    if (uint64_t{compressedLength} + 1 > SIZE_MAX || area + 1 > SIZE_MAX) return ResultCode::OutOfMemory();
    const auto compressedBytes = static_cast<std::size_t>(uint64_t{compressedLength} + 1);
    const auto pixelBytes = static_cast<std::size_t>(area + 1);
    std::unique_ptr<Bytef[]> compressed(new (std::nothrow) Bytef[compressedBytes]);
    std::unique_ptr<Bytef[]> pixels(new (std::nothrow) Bytef[pixelBytes]);
    if (!compressed || !pixels) return ResultCode::OutOfMemory();
    file_.ReadBytes(compressed.get(), compressedLength);
    uLongf inflated = uncompressedLength;
    if (uncompress(pixels.get(), &inflated, compressed.get(), compressedLength) != Z_OK || inflated != area)
        return ContentFileDamaged();

    const Rect& origin = destination.bounds;
    const Rect rect(origin.top + layer.top, origin.left + layer.left, origin.top + layer.bottom,
                    origin.left + layer.right);
    const Bytef* source = pixels.get();
    LeftToRightTopToBottomIterator<Image<unsigned char>> it(destination);
    for (it.Begin(rect, nullptr, 0.0, 1.0); it.IsValid(); it.Next()) it.Pixel()[channel] = *source++;
    return ResultCode::Success();
}
