#include "filters/SliderParameter.h"

#include "filters/ParameterScript.h"

void SliderParameter::Validate() { *value = ClampToRange(*value, minimum, maximum); }

ResultCode SliderParameter::WriteToScript(const ScriptWriter& writer) const { return PutFloat(writer, key, *value); }

ResultCode SliderParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    return GetPinnedFloat(reader, minimum, maximum, *value);
}

KeyShape SliderParameter::DescribeKey(int32_t index) const {
    if (index != 0) return KeyShape();
    const KeyUnit shown = unit == ps::FourCC("#Prc")   ? KeyUnit::Percent
                          : unit == ps::FourCC("#Ang") ? KeyUnit::Degrees
                                                       : KeyUnit::None;
    return KeyShape::Ranged(KeyKind::Number, minimum, maximum, shown);
}
