// Creates the effect object for a filter kind, and tells which effects this
// core carries.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/FilterKind.h"
#include "base/ResultCode.h"
#include "filters/Filter.h"

// Makes a new, default-constructed effect; may throw std::bad_alloc.
using FilterCreator = std::function<std::unique_ptr<Filter>()>;

// The effect for `kind`, with its kind field set. -1 (no message) for a kind
// outside 0 to 5 or one whose effect is not in this build. `filter` is reset
// on failure.
ResultCode CreateFilter(FilterKind kind, std::unique_ptr<Filter>& filter);

// The kinds whose effect CreateFilter can make, ascending.
std::vector<FilterKind> BuiltEffectKinds();

// String resource with the effect's display name, 0 for a kind outside 0 to 5.
int EffectDisplayNameId(FilterKind kind);
// The display name of `kind`: its string resource, or "Some Dapple! Filter"
// for a kind outside 0 to 5.
std::string EffectDisplayName(FilterKind kind);

// While it lives, CreateFilter makes `kind` with `creator` instead of the
// built-in effect (also for a kind not built yet), and BuiltEffectKinds
// lists it. For tests and tools; overrides nest and are undone in reverse
// order. Not for use while another thread creates effects.
class ScopedFilterOverride {
public:
    ScopedFilterOverride(FilterKind kind, FilterCreator creator);
    ~ScopedFilterOverride();
    ScopedFilterOverride(const ScopedFilterOverride&) = delete;
    ScopedFilterOverride& operator=(const ScopedFilterOverride&) = delete;

private:
    FilterKind kind_;
    FilterCreator previous_;
};
