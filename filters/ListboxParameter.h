// A choice from a list, held in the record as the chosen item's id and
// recorded as the item's code in the parameter's enumeration type.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "filters/FilterParameter.h"

class ListboxParameter : public SingleKeyParameter {
public:
    struct Item {
        int32_t id;
        std::string name;
        uint32_t code;  // 0: the item cannot be recorded
    };

    ListboxParameter(uint32_t key, uint32_t enumerationType, int32_t* value)
        : SingleKeyParameter(key), enumerationType(enumerationType), value(value) {}

    // Items go in display order.
    void AddItem(int32_t id, std::string name, uint32_t code) { items.push_back(Item{id, std::move(name), code}); }
    const Item* FindById(int32_t id) const;
    const Item* FindByCode(uint32_t code) const;

    // An id that is not in the list becomes the first item's id.
    void Validate() override;
    // -1 when the chosen item has no code (or is not in the list).
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    // -1 when the code read matches no item.
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    // The items that have a code.
    KeyShape DescribeKey(int32_t index) const override;

    uint32_t enumerationType;
    int32_t* value;
    std::vector<Item> items;
};
