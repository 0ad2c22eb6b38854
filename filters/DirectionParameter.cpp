#include "filters/DirectionParameter.h"

#include "filters/ParameterScript.h"

ResultCode DirectionParameter::WriteToScript(const ScriptWriter& writer) const { return PutFloat(writer, key, *value); }

ResultCode DirectionParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    return GetFloat(reader, *value);
}
