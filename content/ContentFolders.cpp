#include "content/ContentFolders.h"

#include <algorithm>

#include "base/AsciiCase.h"
#include "platform/DataFolder.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Letters compared without case (ASCII only: other bytes of UTF-8 text must
// match exactly), and the two separators as one.
bool SamePathCharacter(char a, char b) {
    if (IsSeparator(a) && IsSeparator(b)) return true;
    return AsciiLower(a) == AsciiLower(b);
}

// True when `path` names something inside `folder`: it begins with the
// folder, and a separator follows (so that "C:\Dapple2" is not inside
// "C:\Dapple").
bool IsInsideFolder(const std::string& path, const std::string& folder) {
    if (path.size() <= folder.size() || !IsSeparator(path[folder.size()])) return false;
    return std::equal(folder.begin(), folder.end(), path.begin(), SamePathCharacter);
}

// "Content:Tubes:Stars.tub" as "\Content\Tubes\Stars.tub"; a single colon
// is left alone.
std::string RelativePathWithSeparators(std::string path) {
    if (std::count(path.begin(), path.end(), ':') > 1) std::replace(path.begin(), path.end(), ':', '\\');
    if (path.empty() || !IsSeparator(path.front())) path.insert(path.begin(), '\\');
    return path;
}

}  // namespace

ContentFolders::ContentFolders(std::string pluginFolder) : pluginFolder_(std::move(pluginFolder)) {
    while (!pluginFolder_.empty() && IsSeparator(pluginFolder_.back())) pluginFolder_.pop_back();
}

std::string ContentFolders::contentFolder() const { return pluginFolder_ + "\\" + kContentFolderName + "\\"; }

std::string ContentFolders::resolve(const ContentReference& reference) const {
    const std::string path = ReferencePath(reference);
    if (reference.relative == 0) return path;
    return pluginFolder_ + RelativePathWithSeparators(path);
}

ResultCode ContentFolders::store(const std::string& fullPath, ContentReference& reference) const {
    ContentReference stored = reference;
    if (IsInsideFolder(fullPath, pluginFolder_)) {
        std::string rest = fullPath.substr(pluginFolder_.size());
        std::replace(rest.begin(), rest.end(), '/', '\\');
        stored.relative = 1;
        if (!SetReferencePath(stored, rest)) return ResultCode::Failure();
    } else {
        stored.relative = 0;
        if (!SetReferencePath(stored, fullPath)) return ResultCode::Failure();
    }
    reference = stored;
    return ResultCode::Success();
}

std::optional<ContentFolders> RunningPluginFolders() {
    const std::string folder = DataFolder();
    if (folder.empty()) return std::nullopt;
    return ContentFolders(folder);
}

ResultCode pluginFolder(std::string& folder) {
    const std::optional<ContentFolders> folders = RunningPluginFolders();
    if (!folders) return ResultCode::Failure();
    folder = folders->pluginFolder();
    return ResultCode::Success();
}

ResultCode contentFolder(std::string& folder) {
    const std::optional<ContentFolders> folders = RunningPluginFolders();
    if (!folders) return ResultCode::Failure();
    folder = folders->contentFolder();
    return ResultCode::Success();
}

ResultCode resolve(const ContentReference& reference, std::string& fullPath) {
    const std::optional<ContentFolders> folders = RunningPluginFolders();
    if (!folders) return ResultCode::Failure();
    fullPath = folders->resolve(reference);
    return ResultCode::Success();
}

ResultCode store(const std::string& fullPath, ContentReference& reference) {
    const std::optional<ContentFolders> folders = RunningPluginFolders();
    if (!folders) return ResultCode::Failure();
    return folders->store(fullPath, reference);
}
