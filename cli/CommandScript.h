// Parameter values as the command line writes them: the script form of each
// parameter class, as text. `--set KEY=VALUE` turns such a text into the
// typed descriptor value the parameter reads; `dapple params` prints each
// default the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "filters/FilterParameter.h"
#include "filters/ScriptCapture.h"
#include "inprocesshost/DescriptorStore.h"

// How the command line writes the value under one key.
enum class ValueForm { Number, Seed, Length, Flag, Code, Colour, ContentFile, None };

struct KeyForm {
    ValueForm form = ValueForm::None;
    uint32_t enumerationType = 0;
    std::vector<uint32_t> codes;  // the codes a Code value may take, in the parameter's order
};

// The form of `key`, one of `parameter`'s keys; None for a key the command
// line cannot write.
KeyForm FormOfKey(const FilterParameter& parameter, uint32_t key);

// The words of the length units a length is written with, in their codes' order.
const std::vector<std::string>& LengthUnitWords();

// The parameter's class, such as "SliderParameter".
const char* ParameterClassName(const FilterParameter& parameter);

// A descriptor value as the command line writes it (ScriptItemText).
std::string ScriptText(const DescriptorItem& item);

// Puts `text` into `store` under `key` (one of `parameter`'s keys), typed as
// the parameter reads it:
//   slider, direction, the light's four numbers   a number            float
//   random seed                                   0 to 65535          integer
//   length slider                                 "40 pixels"         text
//   checkbox, the content file's relative flag    0 or 1              boolean
//   list, fill behaviour                          an item's code      enumerated
//   colour, the light's and the fill's colours    the colour's text form, or #rrggbb   text
// False, with `problem` saying why, for a text that is not such a value or
// a key that has no script form (a content file's path is put by
// PutContentPath, cli/CommandContentPath.h).
bool PutScriptValue(const FilterParameter& parameter, uint32_t key, const std::string& text, DescriptorStore& store,
                    std::string& problem);
