// The 16-bit seed of an effect's random choices, recorded as an integer.
#pragma once

#include "filters/FilterParameter.h"

class RandomSeedParameter : public SingleKeyParameter {
public:
    RandomSeedParameter(uint32_t key, uint16_t* value) : SingleKeyParameter(key), value(value) {}

    void Validate() override {}
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    // Keeps the low 16 bits of the integer read.
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    KeyShape DescribeKey(int32_t index) const override;

    uint16_t* value;
};
