#include "cli/CommandContentPath.h"

#include "content/ContentFolders.h"
#include "content/ContentMessages.h"
#include "content/ContentValidation.h"
#include "platform/FileSystemPath.h"
#include "platform/LocalPath.h"
#include "platform/ResourceStrings.h"

namespace {

// A path that names its file without the content folder: a full path on
// this system, or one from the root of a drive.
bool IsFullPath(const std::string& path) {
    if (!path.empty() && (path.front() == '/' || path.front() == '\\')) return true;
    return PathFromUtf8(path).is_absolute();
}

}  // namespace

bool PutContentPath(FilterKind kind, const TubeButtonParameter& parameter, const std::string& file,
                    DescriptorStore& descriptor, std::string& problem) {
    if (file.empty()) {
        problem = "expects a content file, relative to the content folder or a full path";
        return false;
    }
    std::string fullPath = file;
    if (!IsFullPath(file)) {
        std::string folder;
        if (contentFolder(folder).IsFailure()) {
            problem = "cannot find the content folder for '" + file + "'; give a full path";
            return false;
        }
        fullPath = folder + file;
    }
    if (validate(fullPath, kind).IsFailure()) {
        problem = LoadResourceString(kContentFileDamaged);
        if (fullPath != file) problem += " (" + LocalPath(fullPath) + ")";
        return false;
    }
    ContentReference reference;
    if (store(fullPath, reference).IsFailure()) {
        problem = "the path of '" + file + "' is too long to keep (at most " +
                  std::to_string(kContentReferenceMaxPath) + " bytes)";
        return false;
    }
    descriptor.PutText(parameter.KeyAt(0), ReferencePath(reference));
    descriptor.PutBoolean(parameter.KeyAt(1), reference.relative != 0);
    return true;
}
