#include "content/PspFileReader.h"

#include <cstring>
#include <new>

#include "content/ContentLimits.h"
#include "content/ContentMessages.h"
#include "content/PspFormat.h"

namespace {

int32_t Signed(uint32_t value) { return static_cast<int32_t>(value); }

}  // namespace

bool PspFileReader::ReadBlockHeader(BlockHeader& header) {
    char marker[sizeof psp::kBlockMarker];
    file_.ReadBytes(marker, sizeof marker);
    if (std::memcmp(marker, psp::kBlockMarker, sizeof marker) != 0) return false;
    header.id = file_.Read2();
    header.initialLength = version5_ ? 0 : file_.Read4();
    header.totalLength = file_.Read4();
    return true;
}

bool PspFileReader::SeekToFirstBlock(uint16_t id) {
    for (const PspBlockEntry& entry : directory_) {
        if (entry.id != id) continue;
        file_.SeekTo(entry.bodyOffset);
        return true;
    }
    return false;
}

ResultCode PspFileReader::open() {
    preview_.reset();
    ResultCode result;
    try {
        result = ReadHeaderAndDirectory();
        if (result.IsSuccess()) result = ReadTubeData();
        if (result.IsSuccess()) result = ReadImageAttributes();
        if (result.IsSuccess() && version5_) result = ReadPreviewComposite();
    } catch (const VtFile::FileError&) {
        result = ContentFileDamaged();
    } catch (const std::bad_alloc&) {
        result = ResultCode::OutOfMemory();
    }
    // A preview built before a later failure goes with it.
    if (result.IsFailure()) preview_.reset();
    return result;
}

ResultCode PspFileReader::ReadHeaderAndDirectory() {
    file_.SeekTo(0);
    char signature[sizeof psp::kSignature];
    file_.ReadBytes(signature, sizeof signature);
    const uint16_t major = file_.Read2();
    file_.Read2();  // minor version
    if (std::memcmp(signature, psp::kSignature, sizeof signature) != 0) return ContentFileDamaged();
    if (major != psp::kMajorVersion3 && major != psp::kMajorVersion5) return ContentFileDamaged();
    version5_ = major == psp::kMajorVersion5;

    // Only top-level blocks are listed: each skip passes a whole block body.
    directory_.clear();
    while (!file_.AtEnd()) {
        BlockHeader header;
        if (!ReadBlockHeader(header)) return ContentFileDamaged();
        directory_.push_back(PspBlockEntry{file_.Tell(), header.id, header.initialLength, header.totalLength});
        file_.Skip(header.totalLength);
    }
    return ResultCode::Success();
}

ResultCode PspFileReader::ReadTubeData() {
    if (!SeekToFirstBlock(psp::kTubeDataBlock)) return ContentFileDamaged();
    if (version5_)
        file_.Skip(4 + 2 + 4);  // chunk size, version, step size
    else
        file_.Skip(2 + psp::kVersion3TubeNameSize + 4);  // version, tube name, step size
    columns_ = Signed(file_.Read4());
    rows_ = Signed(file_.Read4());
    // The cell count, placement and selection modes are the effects' choice.
    if (columns_ < 1 || rows_ < 1) return ContentFileDamaged();
    return ResultCode::Success();
}

ResultCode PspFileReader::ReadImageAttributes() {
    if (!SeekToFirstBlock(psp::kGeneralImageAttributesBlock)) return ContentFileDamaged();
    if (version5_) file_.Skip(4);  // chunk size
    width_ = Signed(file_.Read4());
    height_ = Signed(file_.Read4());
    if (!IsPlausiblePictureSize(width_, height_, file_.Size())) return ContentFileDamaged();
    // A grid finer than the pixels would give cells without pixels.
    if (columns_ > width_ || rows_ > height_) return ContentFileDamaged();
    return ResultCode::Success();
}
