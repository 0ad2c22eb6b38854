#include "parametertext/ContentPaths.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "base/AsciiCase.h"
#include "content/ContentFolders.h"
#include "content/ContentValidation.h"
#include "platform/DataFolder.h"
#include "platform/FileSystemPath.h"
#include "platform/LocalPath.h"

namespace fs = std::filesystem;

namespace {

bool IsFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(PathFromUtf8(LocalPath(path)), error);
}

// The stored form of a relative reference: a backslash first.
bool IsStoredForm(const std::string& typed) { return !typed.empty() && typed.front() == '\\'; }

std::string ContentFolderPrefix() { return std::string("\\") + kContentFolderName + "\\"; }

}  // namespace

bool FindContentFile(const std::string& typed, std::string& fullPath, std::string& problem) {
    if (typed.empty()) {
        problem = "expects a content file";
        return false;
    }
    const std::optional<ContentFolders> folders = RunningPluginFolders();
    std::string places;
    if (!IsStoredForm(typed)) {
        std::error_code error;
        const fs::path own = fs::absolute(PathFromUtf8(typed), error);
        if (!error && IsFile(Utf8FromPath(own))) {
            fullPath = Utf8FromPath(own.lexically_normal());
            return true;
        }
        places = PathFromUtf8(typed).is_absolute() ? "" : "in the current folder";
    }
    if (folders) {
        const std::string candidate =
            IsStoredForm(typed) ? folders->pluginFolder() + typed : folders->contentFolder() + typed;
        if (IsFile(candidate)) {
            fullPath = candidate;
            return true;
        }
        places += std::string(places.empty() ? "" : " or ") + "in " + LocalPath(candidate);
    }
    problem = "no file " + typed + (places.empty() ? "" : " " + places);
    if (FindDataFolder().found.empty()) problem += "; no content folder was found in " + DataFolderPlaces();
    return false;
}

bool ContentReferenceFor(const std::string& typed, FilterKind kind, std::string& storedPath, bool& relative,
                         std::string& fullPath, std::string& problem) {
    if (!FindContentFile(typed, fullPath, problem)) return false;
    const std::string why = ContentFileProblem(fullPath, kind);
    if (!why.empty()) {
        problem = LocalPath(fullPath) + ": " + why;
        return false;
    }
    ContentReference reference;
    if (store(fullPath, reference).IsFailure()) {
        problem = "the path of " + LocalPath(fullPath) + " is too long to keep (at most " +
                  std::to_string(kContentReferenceMaxPath) + " bytes)";
        return false;
    }
    storedPath = ReferencePath(reference);
    relative = reference.relative != 0;
    return true;
}

std::string ContentPathSetText(const std::string& storedPath, bool relative) {
    if (!relative) return LocalPath(storedPath);
    const std::string prefix = ContentFolderPrefix();
    if (!StartsWithIgnoringCase(storedPath, prefix))
        return !storedPath.empty() && storedPath.front() == '\\' ? storedPath : "\\" + storedPath;
    std::string inside = storedPath.substr(prefix.size());
    for (char& c : inside) {
        if (c == '\\') c = '/';
    }
    return inside;
}
