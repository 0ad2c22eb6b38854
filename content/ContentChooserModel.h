// What the content chooser needs of the content library: the texts and
// file pattern of the kind it chooses, where content lives, how a chosen
// file is remembered and checked, and the picture the open dialog previews.
// EffectContentModel implements it for the running effect's kind; the
// toolkit's chooser and open dialog use it (the toolkit sits above content).
#pragma once

#include <array>
#include <string>

#include "base/ResultCode.h"
#include "image/Image.h"

// The chooser's value: a content reference in its fixed 1025-byte form
// (relative flag, zero-terminated path, one byte carried along).
using ContentRecord = std::array<unsigned char, 1025>;

// The content kind as the chooser shows it.
struct ContentChooserKind {
    std::string pattern;           // "*.tub"
    std::string defaultExtension;  // "tub"
    int captionId = 0;             // the group's caption
    int filterNameId = 0;          // the open dialog's name for the pattern
    int chooserHelpId = 0;         // help over the button
    int nameHelpId = 0;            // help over the file name
};

class IContentChooserModel {
public:
    virtual ContentChooserKind Kind() = 0;
    // The full path the record names.
    virtual ResultCode Resolve(const ContentRecord& record, std::string& fullPath) = 0;
    // Remembers `fullPath` in `record` (relative inside the plug-in folder);
    // the record's carried byte is kept.
    virtual ResultCode Store(const std::string& fullPath, ContentRecord& record) = 0;
    // 0 only when the file opens as content of the kind.
    virtual ResultCode Validate(const std::string& fullPath) = 0;
    virtual ResultCode ContentFolder(std::string& folder) = 0;
    virtual ResultCode PluginFolder(std::string& folder) = 0;
    virtual bool FolderExists(const std::string& folder) = 0;
    // The open dialog's picture of a file (RGB); false when it has none or
    // cannot be read.
    virtual bool Preview(const std::string& fullPath, Image<unsigned char>& picture) = 0;

protected:
    ~IContentChooserModel() = default;
};
