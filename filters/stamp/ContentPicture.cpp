#include "filters/stamp/ContentPicture.h"

#include <new>

#include "content/ContentMessages.h"
#include "content/PspFileReader.h"
#include "content/VtFile.h"

ResultCode ReadContentPicture(const std::string& path, const ContentPictureRead& request, ContentPicture& picture) {
    picture = ContentPicture();
    VtFile file;
    if (!file.Open(path)) return ResultCode::Failure(kContentFileUnopenable);
    PspFileReader reader(file);
    ResultCode result = reader.open();
    if (result.IsFailure()) return result;
    if ((request.requiredColumns != 0 && reader.columns() != request.requiredColumns) ||
        (request.requiredRows != 0 && reader.rows() != request.requiredRows)) {
        return ResultCode::Failure(request.wrongGridMessage);
    }
    const Rect bounds(0, 0, reader.height(), reader.width());
    std::unique_ptr<Image<unsigned char>> pixels(
        new (std::nothrow) Image<unsigned char>(ChannelLayout(kColourModelRGB, 3, true), bounds, result));
    if (pixels == nullptr) return ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;
    result = reader.readImage(*pixels, request.progress, request.progressFrom, request.progressTo);
    if (result.IsFailure()) return result;
    picture.pixels = std::move(pixels);
    picture.columns = reader.columns();
    picture.rows = reader.rows();
    return ResultCode::Success();
}
