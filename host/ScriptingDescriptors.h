// The host's scripting descriptors: the parameters a host action recorded,
// read at the start of a run, and the parameters of a confirmed run, written
// at its end so that the host can record and replay it.
#pragma once

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

class Filter;
struct ParameterBlock;
struct RunRecord;

// True when the record offers descriptor parameters of version 0 with read
// callbacks (version 0, at least 18, all present) and write callbacks
// (version 0, at least 16).
bool DescriptorUsable(const ps::FilterRecord& record);

// Reads the effect's parameters from the host's descriptor into `block` and
// sets run.dialogMode from the host's play mode (the dialog only when the
// host asks to show it). The descriptor is disposed of and cleared. -1 when
// there is no usable descriptor (not an error) or the host refuses a value,
// in which case the block is left as it was.
ResultCode ReadScriptParameters(ps::FilterRecord& record, const Filter& filter, ParameterBlock& block, RunRecord& run);

// Writes the effect's parameters from `block` into a new descriptor that
// replaces the record's descriptor, with record mode 0. -1 when the host
// offers no usable descriptor suite or refuses a value (the record's
// descriptor is then left as it was).
ResultCode WriteScriptParameters(ps::FilterRecord& record, const Filter& filter, ParameterBlock& block);
