// A procedure's values as the effect's parameter record and back: the form
// in which the effect dialog (gimp/dialog/EffectDialog.h) takes and gives
// the values of an interactive run.
#pragma once

#include <cstdint>
#include <string>

#include "base/FilterKind.h"
#include "filters/ParameterBlock.h"
#include "gimp/ProcedureValues.h"

// The effect's defaults, then the named setting or the values, in `block`.
// `shorterSide` is the layer's shorter side, for lengths in per cent. False,
// with `problem` for the user, when a setting or value cannot be used.
bool RecordFromValues(FilterKind kind, const ProcedureValues& values, int32_t shorterSide, ParameterBlock& block,
                      std::string& problem);

// Every argument's value that `block` holds, as a procedure takes it (no
// named setting). False when the effect cannot list its parameters.
bool ValuesFromRecord(FilterKind kind, const ParameterBlock& block, ProcedureValues& values);
