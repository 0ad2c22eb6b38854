#include "settings/ValueTextFields.h"

#include <algorithm>

#include "filters/TextScanner.h"

ValueTextFields SplitValueText(std::string_view text, std::size_t prefixLength, std::size_t maxGroups) {
    ValueTextFields fields;
    if (text.size() <= prefixLength) return fields;
    text.remove_prefix(prefixLength);
    bool first = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == '/') ++pos;
        if (pos >= text.size()) break;
        const std::size_t end = std::min(text.find('/', pos), text.size());
        const std::string_view field = text.substr(pos, end - pos);
        pos = end;
        if (first) {
            first = false;
            int count = 0;
            if (TextScanner(field).ReadInt(count)) fields.count = count;
            continue;
        }
        if (fields.groups.size() >= maxGroups) break;
        fields.groups.push_back(field);
    }
    return fields;
}
