// The facts an effect takes from the host's document before it builds its
// parameters or renders: the resolution and whether the layer has
// transparency.
#pragma once

#include "pluginapi/PluginInterface.h"

class Filter;

void ApplyDocumentFacts(Filter& filter, const ps::FilterRecord& record);
