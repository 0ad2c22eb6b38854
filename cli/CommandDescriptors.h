// Parameters and scripting descriptors on the command line's side: the
// values of a parameter set written into a descriptor, and a descriptor read
// into a parameter set, through the in-process host's own descriptor
// procedures (the walks the plug-in makes when a host records or plays an
// action).
#pragma once

#include <vector>

#include "base/ResultCode.h"
#include "filters/ParameterSet.h"
#include "filters/ScriptCapture.h"
#include "inprocesshost/DescriptorStore.h"
#include "parametertext/ParameterDescriptions.h"

// The parameter writes its keys into `store` (replacing values under the
// same keys). -1, adding nothing, when it cannot write itself.
ResultCode WriteParameterToDescriptor(const FilterParameter& parameter, DescriptorStore& store);
// The same for every parameter of `set`, in order; the first failure ends
// the walk.
ResultCode WriteParametersToDescriptor(const ParameterSet& set, DescriptorStore& store);

// Every key of `store` that a parameter of `set` has is read into it and
// validated; other keys are passed over.
ResultCode ReadParametersFromDescriptor(ParameterSet& set, const DescriptorStore& store);

// Puts `items`, values of the described keys, into `store` as the typed
// values a host keeps (a list's code with its enumeration type).
void PutScriptItems(const std::vector<ParameterDescription>& descriptions, const std::vector<ScriptItem>& items,
                    DescriptorStore& store);
