// TODO(settings): named settings once the settings archiver is on main.
#include "dialog/FilterDialogModel.h"

void FilterDialogModel::LoadSetting(const std::string&, bool) {}
void FilterDialogModel::RestoreLastUsed() {}
void FilterDialogModel::SaveSettings() {}
void FilterDialogModel::ManageSettings() {}
