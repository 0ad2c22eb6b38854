#include "filters/DirectionParameter.h"

#include "filters/ParameterScript.h"

ResultCode DirectionParameter::WriteToScript(const ScriptWriter& writer) const { return PutFloat(writer, key, *value); }

ResultCode DirectionParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    return GetFloat(reader, *value);
}

KeyShape DirectionParameter::DescribeKey(int32_t index) const {
    if (index != 0) return KeyShape();
    KeyShape shape = KeyShape::Ranged(KeyKind::Number, 0.0, 360.0, KeyUnit::Degrees);
    shape.wraps = true;
    return shape;
}
