// dapple apply --plugin: a module of this family runs only the effect it was
// built for. The family's module table is the command's to know: the
// in-process host runs whatever module it is given.
#pragma once

#include <cstdint>
#include <string>

#include "inprocesshost/PluginPropertyList.h"

// False, with a reason, when the list is that of one of the family's own
// modules and that module's effect is not `kind`: the settings given for
// one effect would be handed to another. Modules of other families are
// taken at the user's word.
bool PluginModuleRunsEffect(const PluginPropertyList& properties, int32_t kind, const std::string& effectName,
                            std::string& problem);
