// What the settings fuzz targets share: an effect's parameters over a record
// reset to its defaults before every input, and the check that a value text
// reads back as itself once written.
#pragma once

#include <cstring>
#include <memory>
#include <string>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"

// Stops the fuzzer with the input that broke an invariant.
#define FUZZ_CHECK(condition)               \
    do {                                    \
        if (!(condition)) __builtin_trap(); \
    } while (false)

class EffectParameters {
public:
    explicit EffectParameters(std::unique_ptr<Filter> effect) : effect_(std::move(effect)) {
        std::memset(static_cast<void*>(defaults_.get()), 0, sizeof *defaults_);
        effect_->WriteDefaults(*defaults_);
        *block_ = *defaults_;
        FUZZ_CHECK(effect_->BuildParameters(set_, *block_).IsSuccess());
    }

    const Filter& Effect() const { return *effect_; }
    // The parameters over the record as it is.
    ParameterSet& Set() { return set_; }
    // The same, with the record back at the defaults.
    ParameterSet& Reset() {
        *block_ = *defaults_;
        return set_;
    }

private:
    std::unique_ptr<Filter> effect_;
    std::unique_ptr<ParameterBlock> defaults_ = std::make_unique<ParameterBlock>();
    std::unique_ptr<ParameterBlock> block_ = std::make_unique<ParameterBlock>();
    ParameterSet set_;
};
