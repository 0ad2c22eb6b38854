#include "filters/ListboxParameter.h"

#include "filters/ParameterScript.h"

const ListboxParameter::Item* ListboxParameter::FindById(int32_t id) const {
    for (const Item& item : items) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

const ListboxParameter::Item* ListboxParameter::FindByCode(uint32_t code) const {
    if (code == 0) return nullptr;
    for (const Item& item : items) {
        if (item.code == code) return &item;
    }
    return nullptr;
}

void ListboxParameter::Validate() {
    if (items.empty() || FindById(*value) != nullptr) return;
    *value = items.front().id;
}

ResultCode ListboxParameter::WriteToScript(const ScriptWriter& writer) const {
    const Item* chosen = FindById(*value);
    if (chosen == nullptr || chosen->code == 0) return ResultCode::Failure();
    return PutEnumerated(writer, key, enumerationType, chosen->code);
}

ResultCode ListboxParameter::ReadFromScript(const ScriptReader& reader, uint32_t /*key*/) {
    uint32_t code = 0;
    const ResultCode result = GetEnumerated(reader, code);
    if (result.IsFailure()) return result;
    const Item* item = FindByCode(code);
    if (item == nullptr) return ResultCode::Failure();
    *value = item->id;
    return ResultCode::Success();
}

KeyShape ListboxParameter::DescribeKey(int32_t index) const {
    if (index != 0) return KeyShape();
    KeyShape shape = KeyShape::Of(KeyKind::Choice);
    shape.enumerationType = enumerationType;
    for (const Item& item : items) {
        if (item.code != 0) shape.choices.push_back(KeyChoice{item.code, item.name});
    }
    return shape;
}
