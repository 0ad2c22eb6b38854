#include "settings/EntryLibrary.h"

#include "content/FileSystemReference.h"
#include "settings/TextLines.h"

ResultCode EntryLibrary::Folder(EntryFolder& folder) const {
    std::string plugin;
    const ResultCode found = folders_.PluginFolder(plugin);
    if (found.IsFailure()) return found;
    // Only the library's own folder is made: without a Settings folder the
    // plug-in is not installed as it should be.
    const WinFileSystemReference library(ChildPath(ChildPath(plugin, kSettingsFolderName), folderName_));
    const ResultCode made = library.createDirectory();
    if (made.IsFailure()) return made;
    folder = EntryFolder(library.name());
    return ResultCode::Success();
}

ResultCode EntryLibrary::List(std::vector<std::string>& names) const {
    names.clear();
    EntryFolder folder;
    const ResultCode found = Folder(folder);
    if (found.IsFailure()) return found;
    return folder.List(entryWord_, names);
}

ResultCode EntryLibrary::Validate(const std::string& name) const {
    std::string line;
    return LoadText(name, line);
}

ResultCode EntryLibrary::LoadText(const std::string& name, std::string& line) const {
    EntryFolder folder;
    std::string text;
    ResultCode result = Folder(folder);
    if (result.IsSuccess()) result = folder.Read(name, text);
    if (result.IsFailure()) return result;
    if (!OpensWith(text, entryWord_)) return ResultCode::Failure();
    line = std::string(FirstLine(text));
    return ResultCode::Success();
}

ResultCode EntryLibrary::SaveText(const std::string& name, const std::string& text) const {
    EntryFolder folder;
    const ResultCode found = Folder(folder);
    return found.IsFailure() ? found : folder.Write(name, text);
}

ResultCode EntryLibrary::Delete(const std::string& name) const {
    EntryFolder folder;
    const ResultCode found = Folder(folder);
    return found.IsFailure() ? found : folder.Delete(name);
}

ResultCode EntryLibrary::Rename(const std::string& oldName, const std::string& newName) const {
    EntryFolder folder;
    const ResultCode found = Folder(folder);
    return found.IsFailure() ? found : folder.Rename(oldName, newName);
}

ResultCode EntryLibrary::Exists(const std::string& name, bool& exists) const {
    EntryFolder folder;
    std::string path;
    ResultCode result = Folder(folder);
    if (result.IsSuccess()) result = folder.EntryPath(name, path);
    if (result.IsFailure()) return result;
    exists = folder.Exists(name);
    return ResultCode::Success();
}
