// Finding an effect of this build by its internal name, and what the
// commands need to know about its parameters.
#pragma once

#include <memory>
#include <string>

#include "base/FilterKind.h"
#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"

struct EffectChoice {
    FilterKind kind = FilterKinds::None;
    std::unique_ptr<Filter> filter;
};

// The built effect whose internal name equals `name` ignoring letter case;
// false when there is none.
bool FindEffect(const std::string& name, EffectChoice& choice);

// The effect's defaults in `block` and its parameters over them in `set`.
ResultCode BuildDefaultParameters(const Filter& filter, ParameterBlock& block, ParameterSet& set);
