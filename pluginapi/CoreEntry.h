// What the core adds to the published interface: one more selector, and the
// entry through which the thin plug-in modules reach the core.
#pragma once

#include <cstdint>

namespace ps {

// The host's question which output area an input area affects.
inline constexpr int16_t filterSelectorAffectedArea = 13479;

}  // namespace ps

// The core's entry: a module forwards every call of its host (selector,
// filter record, data slot, result) and adds the FilterKind of its effect.
using CoreEntryFunction = void(int16_t selector, void* hostRecord, intptr_t* data, int16_t* result, int32_t kind);
