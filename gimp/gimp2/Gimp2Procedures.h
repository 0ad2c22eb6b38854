// The effects' procedures as libgimp 2.0 sees them: their parameter
// definitions, and the arguments of a call read back by those definitions.
#pragma once

#include <libgimp/gimp.h>

#include <vector>

#include "gimp/EffectProcedures.h"
#include "gimp/ProcedureValues.h"

// The arguments every procedure takes before the effect's own: run mode,
// image, drawable.
inline constexpr int kLeadingArguments = 3;

// Installs every procedure under Filters > Mornebrook Dapple!.
void InstallGimp2Procedures(const std::vector<EffectProcedure>& procedures);

// The procedure called `name`, or null.
const EffectProcedure* FindProcedure(const std::vector<EffectProcedure>& procedures, const char* name);

// The effect's arguments of a call. False when the call does not carry
// every argument with the type the procedure declared.
bool ReadGimp2Arguments(const EffectProcedure& procedure, gint count, const GimpParam* params, ProcedureValues& values);
