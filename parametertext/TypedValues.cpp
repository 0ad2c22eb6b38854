#include "parametertext/TypedValues.h"

#include <algorithm>

#include "parametertext/NameLookup.h"

namespace {

const ParameterDescription* Named(const std::vector<ParameterDescription>& descriptions,
                                  const std::vector<TypedValue>& typed, uint32_t key) {
    for (const TypedValue& value : typed) {
        std::string ignored;
        const ParameterDescription* found = FindParameter(descriptions, value.name, ignored);
        if (found != nullptr && found->key == key) return found;
    }
    return nullptr;
}

void Put(std::vector<ScriptItem>& items, const ScriptItem& item) {
    items.erase(
        std::remove_if(items.begin(), items.end(), [&item](const ScriptItem& old) { return old.key == item.key; }),
        items.end());
    items.push_back(item);
}

}  // namespace

bool ReadTypedValues(const std::vector<ParameterDescription>& descriptions, const std::vector<TypedValue>& typed,
                     const ValueContext& context, ValuesRead& read, std::string& problem) {
    read = ValuesRead();
    for (const TypedValue& value : typed) {
        const std::string given = value.name + "=" + value.text;
        std::string why;
        const ParameterDescription* description = FindParameter(descriptions, value.name, why);
        if (description == nullptr) {
            problem = given + ": " + why;
            return false;
        }
        if (description->decidedBy != 0) {
            if (const ParameterDescription* path = Named(descriptions, typed, description->decidedBy)) {
                problem = given + ": " + path->name + ", also given, decides it";
                return false;
            }
        }
        ParsedValue parsed;
        if (!ParseValue(*description, value.text, context, parsed, why)) {
            problem = given + ": " + why;
            return false;
        }
        for (const ScriptItem& item : parsed.items) Put(read.items, item);
        if (!parsed.warning.empty()) read.warnings.push_back(parsed.warning);
        read.ofPicture = read.ofPicture || parsed.ofPicture;
        if (!parsed.file.empty()) read.files.push_back(parsed.file);
    }
    return true;
}
