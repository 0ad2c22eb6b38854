// What a user needs to know to write `--set KEY=VALUE`: for every key of an
// effect, its default and the values it takes (a range with its unit, the
// codes of a list with their names, the default file of a content path).
// `dapple params` prints these as lines or as JSON.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/CommandScript.h"
#include "filters/ParameterSet.h"

struct ValueChoice {
    uint32_t code = 0;
    std::string name;
};

struct KeyDescription {
    uint32_t key = 0;
    std::string className;
    std::string label;
    std::string defaultText;  // the default in script form; "-" for a key with none
    ValueForm form = ValueForm::None;
    // Numbers, seeds, lengths and flags: the values from minimum to maximum.
    // A length's range is in whatever unit the value is given in.
    bool ranged = false;
    double minimum = 0.0;
    double maximum = 0.0;
    std::string unit;                  // such as "percent" or "degrees"; empty for a plain number
    std::vector<ValueChoice> choices;  // codes: every code the key takes, in list order
    std::string defaultFile;           // content files: the default as a path on this system
};

// One description per key of every parameter of `set`, in order.
std::vector<KeyDescription> DescribeParameters(const ParameterSet& set);

// The form's name as the listing shows it: "number", "length", "code", ...
const char* ValueFormName(ValueForm form);
