#include "filters/CheckboxParameter.h"

#include "filters/ParameterScript.h"

ResultCode CheckboxParameter::WriteToScript(const ScriptWriter& writer) const {
    return PutBoolean(writer, key, *value != 0);
}

ResultCode CheckboxParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    bool on = false;
    const ResultCode result = GetBoolean(reader, on);
    if (result.IsSuccess()) *value = on ? 1 : 0;
    return result;
}

KeyShape CheckboxParameter::DescribeKey(int32_t index) const {
    return index == 0 ? KeyShape::Of(KeyKind::Flag) : KeyShape();
}
