// Where content files live and how a chosen file is remembered.
//
// The plug-in folder is the folder of the plug-in module; the content folder
// is its "Content" folder. A file chosen inside the plug-in folder's tree is
// remembered relative to it, so that presets and recorded actions keep
// working when the installation moves; any other file by its full path.
//
// Folders are written with backslashes (platform/LocalPath.h): a relative
// reference is the same text on every system, and a resolved path may mix
// this system's separator (in the plug-in folder) with backslashes (in the
// stored part) until the file is opened.
#pragma once

#include <optional>
#include <string>

#include "base/ResultCode.h"
#include "content/ContentReference.h"

// The content folder's name inside the plug-in folder.
inline constexpr char kContentFolderName[] = "Content";

// The content folders of one plug-in folder.
class ContentFolders {
public:
    // Trailing separators of `pluginFolder` are dropped.
    explicit ContentFolders(std::string pluginFolder);

    // The plug-in folder, without a trailing separator.
    const std::string& pluginFolder() const { return pluginFolder_; }
    // plug-in folder + "\Content\".
    std::string contentFolder() const;

    // The full path of the file the reference names. A relative reference is
    // joined to the plug-in folder; when its path holds more than one ':'
    // (folders separated by colons, as some systems write them) every ':'
    // becomes a backslash first, and a separator is put in front when the
    // path lacks one. An absolute reference is its path.
    std::string resolve(const ContentReference& reference) const;

    // Remembers `fullPath` in `reference`: relative (the rest of the path
    // after the plug-in folder, beginning with a backslash, '/' written as
    // '\') when the path lies inside the plug-in folder, compared without
    // regard to letter case or to the kind of separator; absolute (the path
    // as given) otherwise. The reference's carried byte is kept. -1, leaving
    // the reference unchanged, when the path to store is too long for it.
    ResultCode store(const std::string& fullPath, ContentReference& reference) const;

private:
    std::string pluginFolder_;
};

// The folders of the running plug-in, whose folder is the data folder
// (platform/DataFolder.h): the folder of the module holding the core (the
// plug-in modules load the core from their own folder) unless an installed
// program keeps its data elsewhere; nothing when the module's file name
// cannot be found.
std::optional<ContentFolders> RunningPluginFolders();

// The operations above for the running plug-in. Each fails with -1 when the
// module's file name cannot be found.
ResultCode pluginFolder(std::string& folder);
ResultCode contentFolder(std::string& folder);
ResultCode resolve(const ContentReference& reference, std::string& fullPath);
ResultCode store(const std::string& fullPath, ContentReference& reference);
