// Runs the filter dialog for the start selector. The dialog window is
// installed by the user-interface layer where there is one. Without it a run
// that asks for the dialog fails with a message: nothing may pass for a
// dialog the user confirmed when none was shown.
#pragma once

#include <cstdint>
#include <functional>

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

class Filter;
struct ParameterBlock;
struct RunRecord;

// What the dialog gets: the effect, its locked parameters (which it edits in
// place), the run and the host's record. Returns 0 when the user confirmed,
// 1 when the user cancelled, or a failure.
//
// String resource of the failure when no dialog is installed.
inline constexpr uint16_t kMessageNoDialog = 10901;
using FilterDialogRunner =
    std::function<ResultCode(Filter& filter, ParameterBlock& block, RunRecord& run, ps::FilterRecord& record)>;

// Installs `runner` (an empty one restores the default) and returns the one
// it replaces.
FilterDialogRunner SetFilterDialogRunner(FilterDialogRunner runner);

ResultCode RunFilterDialog(Filter& filter, ParameterBlock& block, RunRecord& run, ps::FilterRecord& record);
