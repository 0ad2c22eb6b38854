#include "content/ContentValidation.h"

#include <memory>

#include "content/ContentMessages.h"
#include "content/JpegLoader.h"
#include "content/PspFileReader.h"
#include "content/TileLibrary.h"
#include "content/VtFile.h"

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
