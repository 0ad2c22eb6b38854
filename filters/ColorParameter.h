// A colour, recorded as its text form.
#pragma once

#include "filters/ColorSpec.h"
#include "filters/FilterParameter.h"

class ColorParameter : public SingleKeyParameter {
public:
    ColorParameter(uint32_t key, ColorSpec* value) : SingleKeyParameter(key), value(value) {}

    void Validate() override { value->Normalise(); }
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    KeyShape DescribeKey(int32_t index) const override;

    ColorSpec* value;
};
