#include "filters/LightingParameter.h"

#include <string>

#include "filters/ParameterScript.h"

void LightingParameter::Validate() {
    for (const LightingNumber& field : kLightingNumbers) {
        value->*field.member = ClampToRange(value->*field.member, 0.0, field.maximum);
    }
    value->colour.Normalise();
}

ResultCode LightingParameter::WriteToScript(const ScriptWriter& writer) const {
    for (int i = 0; i < 4; ++i) {
        const ResultCode result = PutFloat(writer, keys[i], value->*kLightingNumbers[i].member);
        if (result.IsFailure()) return result;
    }
    return PutText(writer, keys[4], value->colour.ToText());
}

ResultCode LightingParameter::ReadFromScript(const ScriptReader& reader, uint32_t key) {
    if (key == 0) return ResultCode::Failure();
    for (int i = 0; i < 4; ++i) {
        if (key != keys[i]) continue;
        double read = 0.0;
        const ResultCode result = GetFloat(reader, read);
        if (result.IsSuccess())
            value->*kLightingNumbers[i].member = ClampToRange(read, 0.0, kLightingNumbers[i].maximum);
        return result;
    }
    if (key != keys[4]) return ResultCode::Failure();
    std::string text;
    const ResultCode result = GetText(reader, text);
    if (result.IsSuccess()) value->colour.FromText(text);
    return result;
}
