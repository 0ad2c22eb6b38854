#include "host/HostMessages.h"

#include "base/ResultCode.h"
#include "host/ImageFacts.h"
#include "platform/ResourceStrings.h"
#include "platform/Warning.h"

void ShowHostWarning(const ps::FilterRecord* record, int id, std::initializer_list<int> values) {
    const std::string text = values.size() == 0 ? LoadResourceString(id) : LoadFormattedResourceString(id, values);
    ShowWarning(text, record == nullptr ? nullptr : HostParentWindow(*record));
}

int16_t HostResultFor(const ResultCode& result, const ps::FilterRecord* record) {
    if (result.status == ResultCode::kFailure && result.messageId != 0) {
        ShowHostWarning(record, result.messageId);
        return ResultCode::kCancelled;
    }
    if (result.status < INT16_MIN || result.status > INT16_MAX) return ResultCode::kFailure;
    return static_cast<int16_t>(result.status);
}
