// The library of colour gradients (Settings/Gradients beside the plug-in)
// and the library of bevel profiles (Settings/Bevels).
#pragma once

#include "settings/BevelProfileValue.h"
#include "settings/EntryLibrary.h"
#include "settings/GradientValue.h"

using GradientLibrary = ValueLibrary<GradientValue>;
using BevelLibrary = ValueLibrary<BevelProfileValue>;
