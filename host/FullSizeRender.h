// The render of the continue selector: the effect applied at full size to
// the host's image, piece by piece through advance-state requests, with
// progress and abort, each piece blended with the source through the
// selection mask.
#pragma once

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

class Filter;
struct ParameterBlock;
struct RunRecord;

// 0 on success; 1 when the user aborted; the host's code when it refuses a
// request; the effect's status when it fails (-1 with a message id for a
// message to show). The request fields are cleared on every way out.
ResultCode RenderFullSize(ps::FilterRecord& record, Filter& filter, const RunRecord& run, ParameterBlock& block);
