// The values of an interactive run (the effect picked from the menu).
#pragma once

#include "gimp/EffectProcedures.h"
#include "gimp/ProcedureValues.h"
#include "gimp/gimp2/Gimp2Layer.h"

// Lets the user choose the values for `layer`, starting from `values` (the
// last used); false when the user cancels. The layer is not changed.
bool ChooseValuesInteractively(const EffectProcedure& procedure, Gimp2Layer& layer, ProcedureValues& values);
