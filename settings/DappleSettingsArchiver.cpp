#include "settings/DappleSettingsArchiver.h"

#include "filters/TextScanner.h"
#include "filters/TubeButtonParameter.h"
#include "settings/ParameterLines.h"

ResultCode DappleSettingsArchiver::SaveExtra(std::string& text, const FilterParameter& parameter) {
    const auto* tube = dynamic_cast<const TubeButtonParameter*>(&parameter);
    if (tube == nullptr) return ResultCode::Success();
    const std::string_view path = TextInArray(tube->path, tube->pathCapacity);
    if (!FitsOnOneLine(path)) return ResultCode::Failure();
    AppendKeyLine(text, tube->keys[0], path);
    AppendKeyLine(text, tube->keys[1], *tube->relative != 0 ? "1" : "0");
    return ResultCode::Success();
}

ResultCode DappleSettingsArchiver::LoadExtra(FilterParameter& parameter, std::string_view value, uint32_t key) {
    auto* tube = dynamic_cast<TubeButtonParameter*>(&parameter);
    if (tube == nullptr) return ResultCode::Success();
    if (key == tube->keys[0]) StoreTextInArray(value, tube->path, tube->pathCapacity);
    int relative = 0;
    if (key == tube->keys[1] && TextScanner(value).ReadInt(relative)) *tube->relative = relative != 0 ? 1 : 0;
    return ResultCode::Success();
}
