#include "gimp/ProcedureRecord.h"

#include <cstring>
#include <memory>

#include "cli/CommandParameters.h"
#include "filters/ParameterSet.h"
#include "gimp/EffectProcedures.h"
#include "host/FilterFactory.h"
#include "parametertext/ParameterDescriptions.h"
#include "settings/SettingsFolders.h"

bool RecordFromValues(FilterKind kind, const ProcedureValues& values, int32_t shorterSide, ParameterBlock& block,
                      std::string& problem) {
    std::unique_ptr<Filter> filter;
    if (CreateFilter(kind, filter).IsFailure()) {
        problem = "This effect is not part of this build";
        return false;
    }
    ParameterChoices choices;
    choices.settings = values.settings;
    if (choices.settings.empty()) choices.values = values.values;
    ChosenValues chosen;
    chosen.shorterSide = shorterSide;
    ParameterSet set;
    const RunningSettingsFolders folders{};
    return ChosenRecord(*filter, choices, folders, block, set, chosen, problem);
}

bool ValuesFromRecord(FilterKind kind, const ParameterBlock& block, ProcedureValues& values) {
    std::unique_ptr<Filter> filter;
    if (CreateFilter(kind, filter).IsFailure()) return false;
    // The parameters bind to the record they describe; a copy keeps `block` as it is.
    auto copy = std::make_unique<ParameterBlock>();
    std::memcpy(static_cast<void*>(copy.get()), &block, sizeof block);
    ParameterSet set;
    if (filter->BuildParameters(set, *copy).IsFailure()) return false;
    values = ProcedureValues();
    for (const ParameterDescription& key : DescribeParameters(set)) {
        if (!IsProcedureArgument(key) || key.value.empty()) continue;
        values.values.push_back(TypedValue{key.name, key.value});
    }
    return true;
}
