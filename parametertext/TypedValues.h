// Values typed as NAME=VALUE for an effect's parameters (`--set` on the
// command line), read into the values the parameters then read as if a
// host played them to the effect.
#pragma once

#include <string>
#include <vector>

#include "filters/ScriptCapture.h"
#include "parametertext/ParameterDescriptions.h"
#include "parametertext/ValueParsing.h"

struct TypedValue {
    std::string name;
    std::string text;
};

struct ValuesRead {
    std::vector<ScriptItem> items;      // in the order typed; a later value of a key replaces an earlier one
    std::vector<std::string> warnings;  // one line per value brought into its range
    bool ofPicture = false;             // a value is a share of the picture (a length in per cent)
    std::vector<std::string> files;     // the content files named, as full paths
};

// False, with `problem` ("NAME=VALUE: why"), for an unknown name, a value
// its key does not take, or a content file's flag given beside its path,
// which decides it.
bool ReadTypedValues(const std::vector<ParameterDescription>& descriptions, const std::vector<TypedValue>& typed,
                     const ValueContext& context, ValuesRead& read, std::string& problem);
