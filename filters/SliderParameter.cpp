#include "filters/SliderParameter.h"

#include "filters/ParameterScript.h"

void SliderParameter::Validate() { *value = ClampToRange(*value, minimum, maximum); }

ResultCode SliderParameter::WriteToScript(const ScriptWriter& writer) const { return PutFloat(writer, key, *value); }

ResultCode SliderParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    return GetPinnedFloat(reader, minimum, maximum, *value);
}
