// The handlers of the host's selectors, called by the entry after its common
// steps. Each returns the code the host reads back.
#pragma once

#include <cstdint>

#include "base/FilterKind.h"
#include "pluginapi/CoreEntry.h"
#include "pluginapi/PluginInterface.h"

struct RunRecord;

// Kind 0 shows the about box; `aboutRecord` is the host's about record.
void RunAboutSelector(void* aboutRecord, FilterKind kind);
int16_t RunParametersSelector(RunRecord& run);
int16_t RunPrepareSelector(ps::FilterRecord& record);
int16_t RunStartSelector(ps::FilterRecord& record, RunRecord& run);
int16_t RunContinueSelector(ps::FilterRecord& record, RunRecord& run);
// Records the parameters of a confirmed run, frees the run and zeroes the
// host's data slot. Also the way out of a failed start.
int16_t RunFinishSelector(ps::FilterRecord& record, intptr_t& data);
int16_t RunAffectedAreaSelector(ps::FilterRecord& record, RunRecord& run);

// True when the host offers every callback the core needs.
bool HostHasRequiredCallbacks(const ps::FilterRecord& record);
