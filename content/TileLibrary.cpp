#include "content/TileLibrary.h"

#include <cstring>
#include <new>

#include "content/ContentLimits.h"
#include "content/ContentMessages.h"
#include "content/JpegLoader.h"
#include "content/TileLibraryFormat.h"
#include "content/VtFileUtils.h"
#include "image/Resample.h"
#include "platform/FileStreams.h"

namespace {

constexpr int32_t kPreviewSize = 100;
const ChannelLayout kRgb(kColourModelRGB, 3, false);

// The signature field holds the signature, a terminating zero and anything
// after it.
bool SignatureMatches(const char (&field)[kTileLibrarySignatureField]) {
    const std::size_t length = sizeof kTileLibrarySignature - 1;
    return std::memcmp(field, kTileLibrarySignature, length) == 0 && field[length] == '\0';
}

std::unique_ptr<Image<unsigned char>> NewRgbImage(int32_t width, int32_t height, ResultCode& result) {
    auto image = std::unique_ptr<Image<unsigned char>>(
        new (std::nothrow) Image<unsigned char>(kRgb, Rect(0, 0, height, width), result));
    if (!image) result = ResultCode::OutOfMemory();
    if (result.IsFailure()) image.reset();
    return image;
}

}  // namespace

ResultCode TileLibrary::open() {
    directory_.clear();
    preview_.reset();
    file_.reset(OpenFileForReading(path_));
    if (!file_ || !FileLength(file_.get(), fileLength_)) {
        file_.reset();
        return ResultCode::Failure(kContentFileUnopenable);
    }
    ResultCode result = ReadHeader();
    if (result.IsFailure()) {
        file_.reset();
        return result;
    }
    try {
        result = ReadDirectory();
    } catch (const VtFileUtils::FileError&) {
        return ContentFileDamaged();
    } catch (const std::bad_alloc&) {
        directory_.clear();
        return ResultCode::OutOfMemory();
    }
    if (result.IsFailure()) return result;
    return BuildPreview();
}

ResultCode TileLibrary::ReadHeader() {
    char signature[kTileLibrarySignatureField];
    int32_t version = 0, reserved = 0;
    try {
        VtFileUtils::ReadBytes(file_.get(), signature, sizeof signature);
        version = VtFileUtils::ReadInt32(file_.get());
        reserved = VtFileUtils::ReadInt32(file_.get());
        tileCount_ = VtFileUtils::ReadInt32(file_.get());
        tileWidth_ = VtFileUtils::ReadInt32(file_.get());
        tileHeight_ = VtFileUtils::ReadInt32(file_.get());
        thumbnailWidth_ = VtFileUtils::ReadInt32(file_.get());
        thumbnailHeight_ = VtFileUtils::ReadInt32(file_.get());
    } catch (const VtFileUtils::FileError&) {
        return ContentFileDamaged();
    }
    if (!SignatureMatches(signature) || version != kTileLibraryVersion || reserved != 0) return ContentFileDamaged();
    return ResultCode::Success();
}

ResultCode TileLibrary::ReadDirectory() {
    // Without a tile there is no preview to build; without thumbnail pixels
    // nothing to match tiles by.
    if (tileCount_ < 1 || thumbnailWidth_ < 1 || thumbnailHeight_ < 1) return ContentFileDamaged();
    directoryStart_ = kTileLibraryHeaderSize;
    const uint64_t thumbnailBytes =
        static_cast<uint64_t>(thumbnailWidth_) * static_cast<uint64_t>(thumbnailHeight_) * kTileThumbnailChannels;
    const uint64_t entryBytes = kTileDirectoryOffsetSize + thumbnailBytes;
    const uint64_t available = fileLength_ - directoryStart_;
    if (entryBytes > available || static_cast<uint64_t>(tileCount_) > available / entryBytes)
        return ContentFileDamaged();
    dataAreaStart_ = directoryStart_ + entryBytes * static_cast<uint64_t>(tileCount_);
    if (!IsPlausiblePictureSize(tileWidth_, tileHeight_, fileLength_ - dataAreaStart_)) return ContentFileDamaged();

    if (!SeekFile(file_.get(), directoryStart_)) return ContentFileDamaged();
    directory_.reserve(static_cast<std::size_t>(tileCount_));
    for (int32_t i = 0; i < tileCount_; ++i) {
        TileDirectoryEntry entry;
        entry.dataOffset = VtFileUtils::ReadInt32(file_.get());
        entry.thumbnail.resize(static_cast<std::size_t>(thumbnailBytes));
        VtFileUtils::ReadBytes(file_.get(), entry.thumbnail.data(), entry.thumbnail.size());
        directory_.push_back(std::move(entry));
    }
    return ResultCode::Success();
}

ResultCode TileLibrary::BuildPreview() {
    ResultCode result;
    std::unique_ptr<Image<unsigned char>> preview = NewRgbImage(kPreviewSize, kPreviewSize, result);
    if (!preview) return result;
    std::unique_ptr<Image<unsigned char>> tile = NewRgbImage(tileWidth_, tileHeight_, result);
    if (!tile) return result;
    result = readFirstTile(*tile, nullptr, nullptr, 0.0, 1.0);
    if (result.IsSuccess()) result = Resample(*tile, *preview, nullptr, nullptr, 0.0, 1.0);
    if (result.IsSuccess()) preview_ = std::move(preview);
    return result;
}

ResultCode TileLibrary::readTile(int32_t dataOffset, Image<unsigned char>& destination, Abort_Tester* abort,
                                 ProgressUpdateSink* sink, double start, double end) {
    if (abort != nullptr && abort->IsAborted()) return ResultCode::Cancelled();
    const int64_t position = static_cast<int64_t>(dataAreaStart_) + dataOffset;
    if (!file_ || position < 0 || static_cast<uint64_t>(position) >= fileLength_ ||
        !SeekFile(file_.get(), static_cast<uint64_t>(position)))
        return ContentFileDamaged();
    return DecodeJpegStream(file_.get(), destination, sink, start, end);
}

ResultCode TileLibrary::readFirstTile(Image<unsigned char>& destination, Abort_Tester* abort, ProgressUpdateSink* sink,
                                      double start, double end) {
    if (directory_.empty()) return ResultCode::Failure();
    return readTile(directory_.front().dataOffset, destination, abort, sink, start, end);
}
