// The Windows filter dialog as the entry runs it for the start selector.
#pragma once

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

class FilterDialog;
class ISettingsFolders;
class Filter;
struct ParameterBlock;
struct RunRecord;

// Shows the dialog for `filter` with its parameters `block` (edited in
// place) over the host's window, modally. 0 when the user confirmed (the
// run's effect may then be another one the user chose in the dialog), 1
// when the user cancelled, or the failure that kept the dialog from
// showing or ended it.
ResultCode RunFilterDialogWindow(Filter& filter, ParameterBlock& block, RunRecord& run, ps::FilterRecord& record);

// The dialog RunFilterDialogWindow shows, while it runs; null otherwise.
FilterDialog* CurrentFilterDialog();

// Makes RunFilterDialogWindow the entry's dialog. Its settings live in
// `settingsFolders` (not owned; null: the running plug-in's folders).
void InstallFilterDialogWindow(const ISettingsFolders* settingsFolders = nullptr);
