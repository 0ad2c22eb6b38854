// Whether an effect can work on the host's document as it is: big enough,
// in a mode it supports, on a layer or selection it can handle.
#pragma once

#include "base/Rect.h"
#include "pluginapi/PluginInterface.h"

class Filter;

// True when the effect accepts the document whose area to filter is
// `maskBounds` (the selection mask's bounds). A refusal shows its message
// unless `quiet` is set; a CMYK document refused by an effect without CMYK
// support shows none.
bool ValidateDocument(const Filter& filter, const ps::FilterRecord& record, const Rect& maskBounds, bool quiet);
