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

KeyShape LightingParameter::DescribeKey(int32_t index) const {
    static const char* const kParts[5] = {"direction", "elevation", "brightness", "sharpness", "colour"};
    if (index < 0 || index >= 5) return KeyShape();
    KeyShape shape = KeyShape::Of(KeyKind::Colour);
    if (index < 4) {
        // Direction and elevation are angles; only the direction goes round.
        shape = KeyShape::Ranged(KeyKind::Number, 0.0, kLightingNumbers[index].maximum,
                                 index < 2 ? KeyUnit::Degrees : KeyUnit::None);
        shape.wraps = index == 0;
    }
    shape.part = kParts[index];
    return shape;
}
