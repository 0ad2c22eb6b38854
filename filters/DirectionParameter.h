// An angle in degrees, [0, 360], recorded as a float.
#pragma once

#include "filters/FilterParameter.h"

class DirectionParameter : public SingleKeyParameter {
public:
    DirectionParameter(uint32_t key, double* value) : SingleKeyParameter(key), value(value) {}

    void Validate() override { *value = ClampToRange(*value, 0.0, 360.0); }
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    // Directions outside [0, 360] wrap round.
    KeyShape DescribeKey(int32_t index) const override;

    double* value;
};
