#include "filters/TypeOnlyParameters.h"

#include <cstring>

ResultCode UnscriptedParameter::WriteToScript(const ScriptWriter& /*writer*/) const { return ResultCode::Success(); }

ResultCode UnscriptedParameter::ReadFromScript(const ScriptReader& /*reader*/, uint32_t /*key*/) {
    return ResultCode::Success();
}

void ReflectionMapParameter::Validate() {
    if (capacity == 0) return;
    if (std::memchr(fileName, '\0', capacity) == nullptr) fileName[capacity - 1] = '\0';
}
