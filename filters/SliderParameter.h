// A double in [minimum, maximum], edited with a slider and recorded as a float.
#pragma once

#include "filters/FilterParameter.h"
#include "pluginapi/PluginInterface.h"

class SliderParameter : public SingleKeyParameter {
public:
    SliderParameter(uint32_t key, double* value, double minimum = 0.0, double maximum = 100.0)
        : SingleKeyParameter(key), value(value), minimum(minimum), maximum(maximum) {}

    void Validate() override;
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    // Read as a float the host pins into [minimum, maximum].
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    KeyShape DescribeKey(int32_t index) const override;

    double* value;
    double minimum;
    double maximum;
    // The range the dialog maps the slider track onto, set by the owner.
    double trackLow = 0.0;
    double trackHigh = 0.0;
    // The value's unit for the dialog's label ('#Ang' degrees, '#Prc' percent).
    uint32_t unit = ps::FourCC("#Prd");
};
