// The GIMP procedures of the effects, one per effect, described without
// GIMP: the procedure's name, menu label and help, and one argument per
// key of the effect's parameter list, named as the command line names it.
// Numbers are floats, on/off values and seeds whole numbers; lengths (with
// their unit), lists, colours and content files are strings in the form
// `dapple apply --set` takes. A binding to a GIMP version turns these into
// its own parameter definitions.
#pragma once

#include <string>
#include <vector>

#include "base/FilterKind.h"
#include "parametertext/ParameterDescriptions.h"

enum class ArgumentType { Float, Int, String };

struct ProcedureArgument {
    std::string name;  // "edge-type"; the first argument of every procedure is "settings"
    ArgumentType type = ArgumentType::String;
    std::string description;  // label, help, the values taken and the default
};

struct EffectProcedure {
    FilterKind kind = FilterKinds::None;
    std::string name;       // "plug-in-dapple-edge"
    std::string menuLabel;  // "Edges..."
    std::string blurb;      // one line
    std::string help;       // what it does, the selection, the layer's edge, the settings argument
    std::vector<ProcedureArgument> arguments;
};

// The name of the first argument: a named setting whose values are used
// instead of the other arguments when it is not empty.
inline constexpr char kSettingsArgument[] = "settings";

// Whether a key of the effect's parameter list is an argument: every key
// the parameters write but the relative flag of a content file, which its
// path decides.
bool IsProcedureArgument(const ParameterDescription& key);

// The procedure of every effect of this build, in kind order. Empty for an
// effect that cannot list its parameters.
std::vector<EffectProcedure> EffectProcedures();

// The procedure's name for an effect's internal name: "BorderStamp" gives
// "plug-in-dapple-border-stamp".
std::string ProcedureNameOf(const std::string& internalName);
