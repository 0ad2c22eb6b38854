// The kinds of content file the effects draw on, one per effect kind: the
// file pattern and default extension the open dialog uses, and the string
// resources that name and explain the choice. Edges takes no content file.
#pragma once

#include <cstdint>

#include "base/FilterKind.h"

struct ContentKind {
    FilterKind kind;
    const char* pattern;           // "*.tub"
    const char* defaultExtension;  // "tub", without the dot
    uint16_t captionId;            // the chooser's group caption
    uint16_t filterNameId;         // the open dialog's name for the pattern
    uint16_t defaultFileId;        // path of the default file, from the plug-in folder
    uint16_t chooserHelpId;        // help over the chooser button
    uint16_t nameHelpId;           // help over the file name
};

// The content kind of an effect kind; null for Edges and for a kind outside 0 to 5.
const ContentKind* FindContentKind(FilterKind kind);

// The label of every chooser button.
constexpr uint16_t kChooserButtonLabelId = 7348;
