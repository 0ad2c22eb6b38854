// The version 5 preview composite: the JPEG thumbnail in the composite image
// bank.
#include <new>

#include "content/ContentLimits.h"
#include "content/ContentMessages.h"
#include "content/JpegLoader.h"
#include "content/PspFileReader.h"
#include "content/PspFormat.h"

namespace {

constexpr uint16_t kJpegThumbnailType = psp::kThumbnailBitmap;

}  // namespace

ResultCode PspFileReader::ReadPreviewComposite() {
    if (!SeekToFirstBlock(psp::kCompositeImageBankBlock)) return ContentFileDamaged();
    const uint64_t bankChunk = file_.Tell();
    const uint32_t bankChunkSize = file_.Read4();
    const uint32_t count = file_.Read4();
    file_.SeekTo(bankChunk + bankChunkSize);

    // The attribute blocks, one per composite; a later thumbnail replaces an
    // earlier choice.
    bool chosen = false;
    uint32_t chosenIndex = 0;
    int32_t chosenWidth = 0;
    int32_t chosenHeight = 0;
    for (uint32_t i = 0; i < count; ++i) {
        BlockHeader header;
        if (!ReadBlockHeader(header) || header.id != psp::kCompositeImageAttributesBlock) return ContentFileDamaged();
        const uint64_t chunk = file_.Tell();
        const uint32_t chunkSize = file_.Read4();
        const int32_t width = static_cast<int32_t>(file_.Read4());
        const int32_t height = static_cast<int32_t>(file_.Read4());
        const uint16_t bitDepth = file_.Read2();
        const uint16_t compression = file_.Read2();
        const uint16_t planeCount = file_.Read2();
        file_.Read4();  // colour count
        const uint16_t type = file_.Read2();
        if (type == psp::kThumbnailComposite) {
            if (compression != psp::kJpegCompression || bitDepth != 24 || planeCount != 1) return ContentFileDamaged();
            chosen = true;
            chosenIndex = i;
            chosenWidth = width;
            chosenHeight = height;
        }
        file_.SeekTo(chunk + chunkSize);
    }
    if (!chosen) return ContentFileDamaged();

    // The data blocks, in the same order.
    for (uint32_t i = 0; i < count; ++i) {
        BlockHeader header;
        if (!ReadBlockHeader(header)) return ContentFileDamaged();
        if (i != chosenIndex) {
            file_.Skip(header.totalLength);
            continue;
        }
        if (header.id != psp::kJpegCompositeBlock) return ContentFileDamaged();
        const ResultCode result = ReadChosenComposite(chosenWidth, chosenHeight);
        if (result.IsFailure()) return result;
    }
    return ResultCode::Success();
}

ResultCode PspFileReader::ReadChosenComposite(int32_t width, int32_t height) {
    const uint64_t chunk = file_.Tell();
    const uint32_t chunkSize = file_.Read4();
    const uint32_t compressedSize = file_.Read4();
    file_.Read4();  // uncompressed size
    const uint16_t imageType = file_.Read2();
    if (imageType != kJpegThumbnailType) return ContentFileDamaged();
    file_.SeekTo(chunk + chunkSize);
    if (compressedSize > file_.Size() - file_.Tell()) return ContentFileDamaged();
    if (!IsPlausiblePictureSize(width, height, compressedSize)) return ContentFileDamaged();

    std::unique_ptr<unsigned char[]> stream(new (std::nothrow) unsigned char[compressedSize == 0 ? 1 : compressedSize]);
    if (!stream) return ResultCode::OutOfMemory();
    file_.ReadBytes(stream.get(), compressedSize);

    ResultCode result;
    auto composite = std::unique_ptr<Image<unsigned char>>(new (std::nothrow) Image<unsigned char>(
        ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, height, width), result));
    if (!composite) return ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;
    result = DecodeJpegMemory(stream.get(), compressedSize, *composite, nullptr, 0.0, 0.0);
    if (result.status == ResultCode::kOutOfMemory) return result;
    if (result.IsFailure()) return ContentFileDamaged();
    preview_ = std::move(composite);
    return ResultCode::Success();
}
