// The property list (PiPL) through which a host learns, without running the
// module, what kind of plug-in it is, its menu name and category, the name
// of its entry point for each processor, the image modes it works on and how
// it wants each layer and selection case presented.
#pragma once

#include <cstdint>
#include <vector>

#include "base/EffectCapabilities.h"
#include "plugins/EffectModules.h"

// The resource's bytes in the Windows form: a 16-bit 1, the list version 0,
// the property count, then each property as vendor, key, id and length
// (little-endian 32-bit numbers) followed by its data padded with zeros to
// a multiple of 4 bytes; the length counts the padding. `effect` is what
// the module's effect can work on.
std::vector<uint8_t> PiplBytes(const EffectModule& module, const EffectCapabilities& effect);
