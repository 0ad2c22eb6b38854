// dapple effects, and the effect lookup the commands share.
#include "cli/CommandEffects.h"

#include <cstring>
#include <memory>

#include "base/AsciiCase.h"
#include "cli/Command.h"
#include "cli/JsonText.h"
#include "host/FilterFactory.h"

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

int RunEffectsCommand(OutputStyle style, const CommandStreams& streams) {
    const bool json = style == OutputStyle::Json;
    if (json) streams.out << "[";
    const char* separator = "";
    for (FilterKind kind : BuiltEffectKinds()) {
        std::unique_ptr<Filter> filter;
        if (CreateFilter(kind, filter).IsFailure()) continue;
        if (json) {
            streams.out << separator << "\n  {\"kind\": " << kind
                        << ", \"name\": " << JsonString(filter->InternalName())
                        << ", \"displayName\": " << JsonString(EffectDisplayName(kind)) << "}";
            separator = ",";
        } else {
            streams.out << kind << '\t' << filter->InternalName() << '\t' << EffectDisplayName(kind) << '\n';
        }
    }
    if (json) streams.out << "\n]\n";
    return kExitSuccess;
}
