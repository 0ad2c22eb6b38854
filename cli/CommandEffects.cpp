// dapple effects, dapple params, and the effect lookup they share with apply.
#include "cli/CommandEffects.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "cli/Command.h"
#include "cli/CommandDescriptors.h"
#include "cli/CommandScript.h"
#include "host/FilterFactory.h"

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The default of every key of `parameter` in script form; "-" for a key it
// does not record.
std::vector<std::string> DefaultTexts(const FilterParameter& parameter) {
    const int32_t keys = parameter.KeyCount();
    std::vector<std::string> texts(static_cast<std::size_t>(keys), "-");
    DescriptorStore store;
    if (WriteParameterToDescriptor(parameter, store).IsFailure()) return texts;
    for (int32_t i = 0; i < keys; ++i) {
        const DescriptorItem* item = store.Find(parameter.KeyAt(i));
        if (item != nullptr) texts[static_cast<std::size_t>(i)] = ScriptText(*item);
    }
    return texts;
}

}  // namespace

bool FindEffect(const std::string& name, EffectChoice& choice) {
    for (FilterKind kind : BuiltEffectKinds()) {
        std::unique_ptr<Filter> filter;
        if (CreateFilter(kind, filter).IsFailure()) continue;
        if (!SameIgnoringCase(filter->InternalName(), name)) continue;
        choice.kind = kind;
        choice.filter = std::move(filter);
        return true;
    }
    return false;
}

ResultCode BuildDefaultParameters(const Filter& filter, ParameterBlock& block, ParameterSet& set) {
    std::memset(static_cast<void*>(&block), 0, sizeof block);
    filter.WriteDefaults(block);
    return filter.BuildParameters(set, block);
}

int RunEffectsCommand(const CommandStreams& streams) {
    for (FilterKind kind : BuiltEffectKinds()) {
        std::unique_ptr<Filter> filter;
        if (CreateFilter(kind, filter).IsFailure()) continue;
        streams.out << kind << '\t' << filter->InternalName() << '\t' << EffectDisplayName(kind) << '\n';
    }
    return kExitSuccess;
}

int RunParamsCommand(const std::string& effect, const CommandStreams& streams) {
    EffectChoice choice;
    if (!FindEffect(effect, choice)) {
        streams.err << "dapple: unknown effect '" << effect << "' (see dapple effects)\n";
        return kExitUsage;
    }
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    if (BuildDefaultParameters(*choice.filter, *block, set).IsFailure()) {
        streams.err << "dapple: " << choice.filter->InternalName() << " could not list its parameters\n";
        return kExitFailed;
    }
    for (std::size_t i = 0; i < set.Count(); ++i) {
        const FilterParameter& parameter = *set.At(i);
        const std::vector<std::string> defaults = DefaultTexts(parameter);
        for (int32_t k = 0; k < parameter.KeyCount(); ++k) {
            streams.out << KeyText(parameter.KeyAt(k)) << '\t' << ParameterClassName(parameter) << '\t'
                        << parameter.label << '\t' << defaults[static_cast<std::size_t>(k)] << '\n';
        }
    }
    return kExitSuccess;
}
