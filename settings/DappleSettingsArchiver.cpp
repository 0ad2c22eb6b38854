#include "settings/DappleSettingsArchiver.h"

#include "filters/TextScanner.h"
#include "filters/TubeButtonParameter.h"
#include "platform/StoredText.h"
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

ResultCode DappleSettingsArchiver::LoadExtra(FilterParameter& parameter, std::string_view value, uint32_t key,
                                             std::string& why) {
    auto* tube = dynamic_cast<TubeButtonParameter*>(&parameter);
    if (tube == nullptr) return ResultCode::Success();
    if (key == tube->keys[0]) {
        const std::string path = Utf8FromStoredText(value);
        if (!StoreTextInArray(path, tube->path, tube->pathCapacity)) {
            why = path.size() >= tube->pathCapacity
                      ? "its content path is longer than the " + std::to_string(tube->pathCapacity - 1) +
                            " bytes a setting keeps (" + path.substr(0, 40) + "...)"
                      : "its content path holds a zero byte";
            return ResultCode::Failure();
        }
    }
    int relative = 0;
    if (key == tube->keys[1] && TextScanner(value).ReadInt(relative)) *tube->relative = relative != 0 ? 1 : 0;
    return ResultCode::Success();
}
