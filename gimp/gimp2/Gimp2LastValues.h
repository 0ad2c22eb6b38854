// The values an effect ran with last, kept in GIMP's data store under the
// procedure's name for the rest of the GIMP session.
#pragma once

#include "gimp/EffectProcedures.h"
#include "gimp/ProcedureValues.h"

// The last values, or none (the effect's defaults) before the first run.
ProcedureValues LoadLastValues(const EffectProcedure& procedure);
void SaveLastValues(const EffectProcedure& procedure, const ProcedureValues& values);
