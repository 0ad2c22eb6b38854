// Reads the area to filter from the host into a one-byte mask: the host's
// selection, the layer's transparency when the whole layer is filtered, or a
// full mask of the filter rectangle.
#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

class Filter;
struct RunRecord;

// Edge of the square pieces in which a partial selection is read.
inline constexpr int32_t kMaskPieceSize = 300;

// How the host describes the area to filter.
enum class SelectionClass {
    WholeLayer = 0,     // no selection, the filter rectangle is the document
    Rectangle = 1,      // no selection, a rectangle of the document
    HostSelection = 2,  // the host has a selection mask
};

SelectionClass ClassifySelection(const ps::FilterRecord& record);

// Fills run.selectionMask (and run.shapeFromTransparency). -1 when the host
// fails or the user aborts during the read. The request fields are cleared on
// every way out.
ResultCode ReadSelectionMask(ps::FilterRecord& record, const Filter& filter, RunRecord& run);
