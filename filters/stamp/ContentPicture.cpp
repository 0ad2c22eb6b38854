#include "filters/stamp/ContentPicture.h"

#include <algorithm>
#include <new>

#include "content/ContentMessages.h"
#include "content/PspFileReader.h"
#include "content/VtFile.h"
#include "platform/ModuleFolder.h"

bool ResolveContentFile(const ContentReference& reference, std::string& path) {
    std::string stored = ReferencePath(reference);
    if (reference.relative == 0) {
        path = stored;
        return true;
    }
    const std::string folder = ModuleFolder();
    if (folder.empty()) return false;
    // Stored folders are separated by backslashes, or by colons when more
    // than one is present; the plug-in folder ends with this system's own
    // separator, which takes their place.
    const char separator = folder.back();
    if (std::count(stored.begin(), stored.end(), ':') > 1) std::replace(stored.begin(), stored.end(), ':', '\\');
    std::replace(stored.begin(), stored.end(), '\\', separator);
    if (!stored.empty() && stored.front() == separator) stored.erase(stored.begin());
    path = folder + stored;
    return true;
}

ResultCode ReadContentPicture(const std::string& path, const ContentPictureRead& request, ContentPicture& picture) {
    picture = ContentPicture();
    VtFile file;
    if (!file.Open(path)) return ResultCode::Failure(kContentFileUnopenable);
    PspFileReader reader(file);
    ResultCode result = reader.open();
    if (result.IsFailure()) return result;
    if ((request.requiredColumns != 0 && reader.columns() != request.requiredColumns) ||
        (request.requiredRows != 0 && reader.rows() != request.requiredRows)) {
        return ResultCode::Failure();
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
