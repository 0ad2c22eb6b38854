#include "filters/ContentFile.h"

#include <algorithm>

#include "platform/ModuleFolder.h"

ResultCode ContentFilePath(const ContentReference& reference, std::string& path) {
    std::string stored = ReferencePath(reference);
    if (reference.relative == 0) {
        path = stored;
        return ResultCode::Success();
    }
    const std::string folder = ModuleFolder();
    if (folder.empty()) return ResultCode::Failure();
    // Stored references separate folders with backslashes; every system the
    // core runs on opens paths written with '/'.
    std::replace(stored.begin(), stored.end(), '\\', '/');
    stored.erase(0, stored.find_first_not_of('/'));
    path = folder + stored;
    return ResultCode::Success();
}
