// The parameter a typed name means. A name is taken as
//   a scripting key exactly as recorded ("Scl ", "Wdth");
//   a parameter's name, letter case ignored and blanks or underscores read
//   as hyphens ("edge-type", "Edge type", "EDGE_TYPE");
//   a scripting key without its trailing blanks, then with letter case
//   ignored where that leaves one key ("Scl", "scl", "tile" for "TIle").
// A name that means nothing is refused with the nearest names, if any are
// near ("did you mean width?").
#pragma once

#include <string>
#include <vector>

#include "parametertext/ParameterDescriptions.h"

// The description `typed` means, or null with `problem` saying why.
const ParameterDescription* FindParameter(const std::vector<ParameterDescription>& descriptions,
                                          const std::string& typed, std::string& problem);
