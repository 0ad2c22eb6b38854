// The values of one run of a procedure: the named setting, or the value of
// each argument as `dapple apply --set` takes it; and their text form, in
// which GIMP keeps the last values of each effect between runs.
#pragma once

#include <string>
#include <vector>

#include "gimp/EffectProcedures.h"
#include "parametertext/TypedValues.h"

struct ProcedureValues {
    std::string settings;            // a named setting; empty: `values`
    std::vector<TypedValue> values;  // by argument name; an empty text keeps the default
};

// One argument as a caller passed it.
struct ArgumentValue {
    double number = 0.0;  // Float
    int integer = 0;      // Int
    std::string text;     // String
};

// The values of `procedure`'s arguments, given in its order. Empty texts
// are left out (the parameter keeps its default).
ProcedureValues ValuesFromArguments(const EffectProcedure& procedure, const std::vector<ArgumentValue>& arguments);

// "NAME=VALUE" lines, the setting first as "settings=NAME".
std::string ValuesText(const ProcedureValues& values);
// The inverse of ValuesText; lines without '=' are skipped.
ProcedureValues ValuesFromText(const std::string& text);
