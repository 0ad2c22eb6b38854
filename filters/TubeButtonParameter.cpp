#include "filters/TubeButtonParameter.h"

#include <cstring>
#include <string>

#include "filters/ParameterScript.h"

namespace {

std::size_t BoundedLength(const char* text, std::size_t capacity) {
    const void* end = std::memchr(text, '\0', capacity);
    return end == nullptr ? capacity : static_cast<std::size_t>(static_cast<const char*>(end) - text);
}

}  // namespace

void TubeButtonParameter::Validate() {
    if (pathCapacity == 0) return;
    if (BoundedLength(path, pathCapacity) == pathCapacity) path[pathCapacity - 1] = '\0';
}

ResultCode TubeButtonParameter::WriteToScript(const ScriptWriter& writer) const {
    const std::size_t length = pathCapacity == 0 ? 0 : BoundedLength(path, pathCapacity - 1);
    const ResultCode written = PutText(writer, keys[0], std::string(path, length));
    if (written.IsFailure()) return written;
    return PutBoolean(writer, keys[1], *relative != 0);
}

ResultCode TubeButtonParameter::ReadFromScript(const ScriptReader& reader, uint32_t key) {
    if (key != 0 && key == keys[0]) {
        std::string text;
        const ResultCode result = GetText(reader, text);
        if (result.IsFailure()) return result;
        if (text.size() >= pathCapacity) return ResultCode::Failure();
        std::memset(path, 0, pathCapacity);
        std::memcpy(path, text.data(), text.size());
        return ResultCode::Success();
    }
    if (key != 0 && key == keys[1]) {
        bool isRelative = false;
        const ResultCode result = GetBoolean(reader, isRelative);
        if (result.IsSuccess()) *relative = isRelative ? 1 : 0;
        return result;
    }
    return ResultCode::Failure();
}

KeyShape TubeButtonParameter::DescribeKey(int32_t index) const {
    if (index == 0) return KeyShape::Of(KeyKind::ContentPath);
    return index == 1 ? KeyShape::Of(KeyKind::Flag, "relative") : KeyShape();
}
