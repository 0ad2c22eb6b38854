// An on/off byte, recorded as a boolean.
#pragma once

#include "filters/FilterParameter.h"

class CheckboxParameter : public SingleKeyParameter {
public:
    CheckboxParameter(uint32_t key, unsigned char* value) : SingleKeyParameter(key), value(value) {}

    void Validate() override {}
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    // Stores 1 for true and 0 for false.
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    KeyShape DescribeKey(int32_t index) const override;

    unsigned char* value;
};
