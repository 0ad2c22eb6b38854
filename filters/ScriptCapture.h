// What an effect's parameters write when a host records them, captured in
// memory rather than handed to a host, and the text of each value as the
// dapple command line's --set takes it. The filter dialog copies the
// current parameters as a command line this way, so that a look found in
// the dialog can be applied in batch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pluginapi/PluginInterface.h"

class ParameterSet;

// One recorded value.
struct ScriptItem {
    uint32_t key = 0;
    ps::DescType type = 0;
    int32_t integer = 0;  // typeInteger; typeBoolean (0 or 1)
    double number = 0.0;  // typeFloat, typeUnitFloat
    uint32_t value = 0;   // typeEnumerated: the value's code
    std::string text;     // typeChar
};

// Every parameter of `set` writes itself, in order. False when one cannot
// (memory ran out).
bool CaptureScript(const ParameterSet& set, std::vector<ScriptItem>& items);

// The four characters of a key ("Amnt"); non-printable bytes as '?'.
std::string KeyText(uint32_t key);
// False unless `text` is exactly four characters.
bool KeyFromText(const std::string& text, uint32_t& key);

// `number` in the fewest digits that read back as the same double ("0.1",
// "33.333333333333336"); a point as the decimal separator in every locale.
std::string ShortestNumberText(double number);

// The value as the command line writes it: numbers in the shortest form
// that reads back as the same number, booleans as 0 or 1, enumerated values
// as their four-character code, texts as they are; "-" for the types the
// command line does not write.
std::string ScriptItemText(const ScriptItem& item);
