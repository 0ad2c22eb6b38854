// A length, edited with a length slider and recorded as its text form. The
// range applies to the amount in the length's own unit.
#pragma once

#include "filters/FilterParameter.h"
#include "filters/LengthValue.h"

class LengthSliderParameter : public SingleKeyParameter {
public:
    LengthSliderParameter(uint32_t key, LengthValue* value, double minimum = 0.0, double maximum = 100.0)
        : SingleKeyParameter(key), value(value), minimum(minimum), maximum(maximum) {}

    void Validate() override;
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    KeyShape DescribeKey(int32_t index) const override;

    LengthValue* value;
    double minimum;
    double maximum;
    // The range the dialog maps the slider track onto, set by the owner.
    double trackLow = 0.0;
    double trackHigh = 0.0;
};
