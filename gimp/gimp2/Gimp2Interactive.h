// The values of an interactive run (the effect picked from the menu).
#pragma once

#include <libgimp/gimp.h>

#include "gimp/EffectProcedures.h"
#include "gimp/ProcedureValues.h"

// Lets the user choose the values for `drawable` of `image`, starting from
// `values` (the last used); false when the user cancels.
bool ChooseValuesInteractively(const EffectProcedure& procedure, gint32 image, gint32 drawable,
                               ProcedureValues& values);
