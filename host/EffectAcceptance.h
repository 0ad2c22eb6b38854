// Whether an effect of the family would accept the host's document as it
// is, asked without messages: the effect menu of the dialog enables only
// the effects that would.
#pragma once

#include "base/FilterKind.h"
#include "base/Rect.h"
#include "pluginapi/PluginInterface.h"

// The entry's document validation run quietly on a temporary effect of
// `kind`, for the area to filter `maskBounds`. False for a kind this build
// cannot make.
bool EffectAcceptsDocument(FilterKind kind, const ps::FilterRecord& record, const Rect& maskBounds);
