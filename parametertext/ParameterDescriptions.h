// An effect's parameters as people read about them: one description per
// scripting key, with the name to type, the label, a line of help, what
// kind of value it takes and its range, and its current value in the form
// it is typed. The command's `params`, its `--set`, the dialog's copy as a
// command line and procedure parameters all start from these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "filters/KeyShape.h"

class ParameterSet;

struct ParameterDescription {
    uint32_t key = 0;
    std::string name;         // "edge-type"
    std::string label;        // "Edge type"
    std::string description;  // one line of help, as the dialog shows it; may be empty
    KeyShape shape;
    // A content path: the key of its relative flag, which the path decides.
    uint32_t flagKey = 0;
    // The relative flag of a content path: the path's key. A value typed
    // for the path sets this one too.
    uint32_t decidedBy = 0;
    std::string value;  // the current value as it is typed; empty for a key without one
};

// One description per key of every parameter of `set`, in order, with the
// values the set's record holds. Empty when memory runs out.
std::vector<ParameterDescription> DescribeParameters(const ParameterSet& set);

// The kind of value in words: "length", "number", "angle", "on or off",
// "random seed", "list", "colour", "content file".
std::string KindWords(const KeyShape& shape);

// The values taken, in words: "10 to 1000 (in the unit given)", "0 to 360
// degrees, going round", "one of Distress, ...", "#rrggbb, rgb(...), a CSS
// name or the text form"; empty when there is nothing to say.
std::string RangeWords(const KeyShape& shape);
