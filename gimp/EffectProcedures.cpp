#include "gimp/EffectProcedures.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "host/FilterFactory.h"
#include "parametertext/ReadableNames.h"
#include "plugins/EffectModules.h"

namespace {

ArgumentType ArgumentTypeOf(KeyKind kind) {
    switch (kind) {
        case KeyKind::Number: return ArgumentType::Float;
        case KeyKind::Flag:
        case KeyKind::Seed: return ArgumentType::Int;
        default: return ArgumentType::String;
    }
}

std::string ArgumentDescription(const ParameterDescription& key) {
    std::string text = key.label;
    if (!key.description.empty()) text += ": " + key.description;
    const std::string range = RangeWords(key.shape);
    text += " (" + KindWords(key.shape) + (range.empty() ? "" : "; " + range);
    if (key.shape.kind == KeyKind::Flag) text += "; 0 off, 1 on";
    if (key.shape.kind == KeyKind::ContentPath || key.shape.kind == KeyKind::Length ||
        key.shape.kind == KeyKind::Choice || key.shape.kind == KeyKind::Colour)
        text += "; empty keeps the default";
    return text + "; default " + key.value + ")";
}

std::string ProcedureHelp(const std::string& displayName, bool paintsAround) {
    std::string help = displayName +
                       " on the active layer, as the dapple command and the Mornebrook Dapple! plug-in modules apply "
                       "it. The selection limits the effect; without one a layer's transparency gives the shape. "
                       "Lengths are read through the image's resolution. ";
    if (paintsAround)
        help +=
            "The effect may draw beyond the selection, within the layer only: what would fall beyond the layer's "
            "edge is left out, so enlarge the layer first (Layer > Layer to Image Size) to keep it. ";
    help += std::string("With '") + kSettingsArgument +
            "' naming a saved setting of this effect (yours first, then the factory's), its values are used and the "
            "other arguments are not. The image must be 8-bit grey or RGB, with or without alpha.";
    return help;
}

std::vector<ProcedureArgument> ArgumentsOf(const std::vector<ParameterDescription>& keys) {
    std::vector<ProcedureArgument> arguments;
    arguments.push_back({kSettingsArgument, ArgumentType::String,
                         "A saved setting of this effect by name, or empty for the values below"});
    for (const ParameterDescription& key : keys) {
        if (!IsProcedureArgument(key)) continue;
        arguments.push_back({key.name, ArgumentTypeOf(key.shape.kind), ArgumentDescription(key)});
    }
    return arguments;
}

}  // namespace

bool IsProcedureArgument(const ParameterDescription& key) {
    return key.shape.kind != KeyKind::None && key.decidedBy == 0;
}

std::string ProcedureNameOf(const std::string& internalName) {
    std::string words;
    for (char c : internalName) {
        if (std::isupper(static_cast<unsigned char>(c)) && !words.empty()) words += ' ';
        words += c;
    }
    return "plug-in-dapple-" + ReadableName(words);
}

std::vector<EffectProcedure> EffectProcedures() {
    std::vector<EffectProcedure> procedures;
    for (FilterKind kind : BuiltEffectKinds()) {
        std::unique_ptr<Filter> filter;
        const EffectModule* module = FindEffectModule(kind);
        if (module == nullptr || CreateFilter(kind, filter).IsFailure()) continue;
        auto block = std::make_unique<ParameterBlock>();
        std::memset(static_cast<void*>(block.get()), 0, sizeof *block);
        filter->WriteDefaults(*block);
        ParameterSet set;
        if (filter->BuildParameters(set, *block).IsFailure()) continue;
        EffectProcedure procedure;
        procedure.kind = kind;
        procedure.name = ProcedureNameOf(filter->InternalName());
        procedure.menuLabel = module->menuName;
        procedure.blurb = "Mornebrook Dapple! " + EffectDisplayName(kind) + " on the active layer";
        procedure.help = ProcedureHelp(EffectDisplayName(kind), !filter->CoreAppliesMask());
        procedure.arguments = ArgumentsOf(DescribeParameters(set));
        procedures.push_back(std::move(procedure));
    }
    return procedures;
}
