#include "filters/ColorParameter.h"

#include <string>

#include "filters/ParameterScript.h"

ResultCode ColorParameter::WriteToScript(const ScriptWriter& writer) const {
    return PutText(writer, key, value->ToText());
}

ResultCode ColorParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    std::string text;
    const ResultCode result = GetText(reader, text);
    if (result.IsSuccess()) value->FromText(text);
    return result;
}

KeyShape ColorParameter::DescribeKey(int32_t index) const {
    return index == 0 ? KeyShape::Of(KeyKind::Colour) : KeyShape();
}
