// The two functions through which the thin plug-in modules reach the core.
#pragma once

#include <cstdint>

#include "host/Export.h"
#include "pluginapi/CoreEntry.h"

extern "C" {

// Forwards one host call. `hostRecord` is the host's filter record (its about
// record for selector 0), `data` the host's persistent pointer-sized slot,
// `result` the code the host reads back, `kind` the module's FilterKind.
DAPPLE_EXPORT CoreEntryFunction Photoshop_Entry_Point;

// Remembers the module whose resources (strings, dialogs) the core loads;
// returns it.
DAPPLE_EXPORT void* SetResourceHandle(void* module);
}
