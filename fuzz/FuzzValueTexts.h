// The gradient and bevel text readers take any text: each value read must
// write a text that reads back to a value writing the same text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/SettingsFuzzing.h"
#include "settings/TextLines.h"

template <class Value>
void FuzzValueText(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Value value;
    value.FromText(text);  // the whole text, as the settings files' values come
    Value line;
    line.FromText(FirstLine(text));  // the first line, as the library entries come
    for (const Value* read : {&value, &line}) {
        FUZZ_CHECK(read->count >= 0 && read->count <= 25);
        const std::string written = read->ToText();
        Value again;
        again.FromText(written);
        FUZZ_CHECK(again.ToText() == written);
    }
}
