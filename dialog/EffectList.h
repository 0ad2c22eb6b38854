// The effects the dialog can switch between, in menu order, and the
// stepping from one to the next that accepts the current image.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/FilterKind.h"

struct EffectEntry {
    std::string name;
    FilterKind kind = FilterKinds::None;
};

// Every effect of this build, by kind, with its display name.
std::vector<EffectEntry> BuiltEffectList();

// From `current`, the next (`step` 1) or previous (`step` -1) entry of
// `list` whose effect `accepts`, wrapping around; `current` itself when no
// other entry does (also when `current` is not in the list).
FilterKind SteppedEffect(const std::vector<EffectEntry>& list, FilterKind current, int step,
                         const std::function<bool(FilterKind)>& accepts);
