#include "filters/LengthSliderParameter.h"

#include <string>

#include "filters/ParameterScript.h"

void LengthSliderParameter::Validate() { value->value = ClampToRange(value->value, minimum, maximum); }

ResultCode LengthSliderParameter::WriteToScript(const ScriptWriter& writer) const {
    return PutText(writer, key, value->ToText());
}

ResultCode LengthSliderParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    std::string text;
    const ResultCode result = GetText(reader, text);
    if (result.IsSuccess()) value->FromText(text);
    return result;
}

KeyShape LengthSliderParameter::DescribeKey(int32_t index) const {
    return index == 0 ? KeyShape::Ranged(KeyKind::Length, minimum, maximum) : KeyShape();
}
