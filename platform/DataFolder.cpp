#include "platform/DataFolder.h"

#include <filesystem>
#include <system_error>

#include "platform/Environment.h"
#include "platform/FileSystemEntries.h"
#include "platform/FileSystemPath.h"
#include "platform/ModuleFolder.h"

namespace {

constexpr char kDataVariable[] = "DAPPLE_DATA";

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += static_cast<char>(std::filesystem::path::preferred_separator);
    return folder;
}

bool HoldsData(const std::string& folder) { return PathExists(folder + "Content") || PathExists(folder + "Settings"); }

// bin/../share/mornebrook-dapple/ of the module's folder, written out.
std::string InstalledDataFolder(const std::string& moduleFolder) {
    const std::filesystem::path bin = PathFromUtf8(moduleFolder).parent_path();
    const std::filesystem::path share = bin.parent_path() / "share" / kInstalledDataFolder;
    return WithSeparator(Utf8FromPath(share.lexically_normal()));
}

}  // namespace

DataFolderSearch FindDataFolder() {
    DataFolderSearch search;
    const std::string module = ModuleFolder();
    if (!module.empty()) {
        search.places.push_back(module);
        search.places.push_back(InstalledDataFolder(module));
    }
    const std::string given = EnvironmentValue(kDataVariable);
    if (!given.empty()) {
        // Written out in full, so that a relative folder stays the one meant
        // and paths inside it compare with the full paths of files.
        std::error_code error;
        const std::filesystem::path full = std::filesystem::absolute(PathFromUtf8(given), error);
        search.places.push_back(WithSeparator(error ? given : Utf8FromPath(full.lexically_normal())));
    }
    for (const std::string& place : search.places) {
        if (HoldsData(place)) {
            search.found = place;
            break;
        }
    }
    return search;
}

std::string DataFolder() {
    const DataFolderSearch search = FindDataFolder();
    return search.found.empty() ? ModuleFolder() : search.found;
}

std::string DataFolderPlaces() {
    const DataFolderSearch search = FindDataFolder();
    std::string text;
    for (std::size_t i = 0; i < search.places.size(); ++i) {
        if (i > 0) text += i + 1 == search.places.size() ? " and " : ", ";
        text += search.places[i];
    }
    if (EnvironmentValue(kDataVariable).empty())
        text += std::string(text.empty() ? "" : " ") + "(" + kDataVariable + " is not set)";
    return text;
}
