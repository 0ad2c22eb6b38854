#include "content/ContentValidation.h"

#include <memory>

#include "content/ContentMessages.h"
#include "content/JpegLoader.h"
#include "content/PspFileReader.h"
#include "content/TileLibrary.h"
#include "content/VtFile.h"
#include "platform/ResourceStrings.h"

namespace {

ResultCode ValidatePictureTube(const std::string& path, bool frame) {
    VtFile file;
    if (!file.Open(path)) return ResultCode::Failure(kContentFileUnopenable);
    PspFileReader reader(file);
    const ResultCode opened = reader.open();
    if (opened.IsFailure()) return opened;
    if (frame && (reader.columns() != 3 || reader.rows() != 3)) return ContentFileDamaged();
    return ResultCode::Success();
}

ResultCode ValidateTileLibrary(const std::string& path) {
    TileLibrary library(path);
    return library.open();
}

ResultCode ValidateTexture(const std::string& path) {
    // The header check refuses colour files; decoding the whole image
    // refuses a texture damaged further in.
    if (CheckJpegContent(path).IsFailure()) return ContentFileDamaged();
    std::unique_ptr<Image<unsigned char>> image;
    return LoadJpegFile(path, image, nullptr, 0.0, 1.0);
}

}  // namespace

ResultCode validate(const std::string& fullPath, FilterKind kind) {
    switch (kind) {
        case FilterKinds::BorderStamp:
        case FilterKinds::FillStamp: return ValidatePictureTube(fullPath, false);
        case FilterKinds::Frame: return ValidatePictureTube(fullPath, true);
        case FilterKinds::Patchwork: return ValidateTileLibrary(fullPath);
        case FilterKinds::Resurface: return ValidateTexture(fullPath);
        default: return ResultCode::Failure();
    }
}

namespace {

std::string ReasonOf(const ResultCode& result) {
    if (result.status == ResultCode::kOutOfMemory) return "there is not enough memory to read it";
    return LoadResourceString(result.messageId != 0 ? result.messageId : kContentFileDamaged);
}

// What a picture tube offered as a frame lacks; empty when it is one.
std::string FrameGridProblem(const std::string& path) {
    VtFile file;
    if (!file.Open(path)) return std::string();
    PspFileReader reader(file);
    if (reader.open().IsFailure() || (reader.columns() == 3 && reader.rows() == 3)) return std::string();
    return "a frame is a picture tube of 3 x 3 cells; this one has " + std::to_string(reader.columns()) + " x " +
           std::to_string(reader.rows());
}

// What a JPEG offered as a texture lacks; empty when it is one.
std::string TextureProblem(const std::string& path) {
    if (CheckJpegContent(path).IsSuccess()) return std::string();
    std::unique_ptr<Image<unsigned char>> image;
    if (LoadJpegFile(path, image, nullptr, 0.0, 1.0).IsFailure()) return std::string();
    return "a texture is a grey JPEG of one component; this one has " + std::to_string(image->layout.channelCount);
}

}  // namespace

std::string ContentFileProblem(const std::string& fullPath, FilterKind kind) {
    const ResultCode result = validate(fullPath, kind);
    if (result.IsSuccess()) return std::string();
    std::string specific;
    if (kind == FilterKinds::Frame) specific = FrameGridProblem(fullPath);
    if (kind == FilterKinds::Resurface) specific = TextureProblem(fullPath);
    return specific.empty() ? ReasonOf(result) : specific;
}
