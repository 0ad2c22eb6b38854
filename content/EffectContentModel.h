// The content chooser's model for one effect: the texts and file pattern of
// the effect's content kind, the content folders of the running plug-in,
// the content check, and the open dialog's preview of a file.
#pragma once

#include <string>

#include "base/FilterKind.h"
#include "content/ContentChooserModel.h"
#include "content/ContentFolders.h"

class EffectContentModel : public IContentChooserModel {
public:
    // The folders are the running plug-in's; when they cannot be found the
    // folder operations fail.
    explicit EffectContentModel(FilterKind kind) : kind_(kind), folders_(RunningPluginFolders()) {}
    EffectContentModel(FilterKind kind, ContentFolders folders) : kind_(kind), folders_(std::move(folders)) {}

    ContentChooserKind Kind() override;
    ResultCode Resolve(const ContentRecord& record, std::string& fullPath) override;
    ResultCode Store(const std::string& fullPath, ContentRecord& record) override;
    ResultCode Validate(const std::string& fullPath) override;
    ResultCode ContentFolder(std::string& folder) override;
    ResultCode PluginFolder(std::string& folder) override;
    bool FolderExists(const std::string& folder) override;
    // Tubes and frames: their preview composite (none in version 3 files);
    // tile libraries: their preview; textures: the top-left part of the
    // texture, at most 100 × 100 pixels, unscaled, in grey.
    bool Preview(const std::string& fullPath, Image<unsigned char>& picture) override;

private:
    FilterKind kind_;
    std::optional<ContentFolders> folders_;
};
