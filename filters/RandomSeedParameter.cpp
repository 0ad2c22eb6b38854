#include "filters/RandomSeedParameter.h"

#include "filters/ParameterScript.h"

ResultCode RandomSeedParameter::WriteToScript(const ScriptWriter& writer) const {
    return PutInteger(writer, key, static_cast<int32_t>(*value));
}

ResultCode RandomSeedParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    int32_t read = 0;
    const ResultCode result = GetInteger(reader, read);
    if (result.IsSuccess()) *value = static_cast<uint16_t>(static_cast<uint32_t>(read) & 0xffffu);
    return result;
}

KeyShape RandomSeedParameter::DescribeKey(int32_t index) const {
    return index == 0 ? KeyShape::Ranged(KeyKind::Seed, 0.0, 65535.0) : KeyShape();
}
