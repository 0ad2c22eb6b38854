#include "cli/CommandParameters.h"

#include <memory>

#include "cli/CommandDescriptors.h"
#include "cli/CommandEffects.h"
#include "cli/CommandOptions.h"
#include "cli/NamedSettings.h"
#include "parametertext/ParameterDescriptions.h"
#include "settings/DappleSettingsArchiver.h"

namespace {

// The --set values as descriptor items under their keys.
bool PutValues(const Filter& effect, const ParameterSet& set, const ParameterChoices& choices, DescriptorStore& store,
               ChosenValues& chosen, std::string& problem) {
    if (choices.values.empty()) return true;
    const std::vector<ParameterDescription> descriptions = DescribeParameters(set);
    ValueContext context;
    context.kind = effect.kind;
    context.shorterSide = chosen.shorterSide;
    ValuesRead read;
    if (!ReadTypedValues(descriptions, choices.values, context, read, problem)) {
        problem = "--set " + problem + " (see dapple params " + effect.InternalName() + ")";
        return false;
    }
    PutScriptItems(descriptions, read.items, store);
    chosen.warnings = read.warnings;
    chosen.ofPicture = read.ofPicture;
    chosen.files = read.files;
    return true;
}

// The defaults with the named setting read in.
bool SettingsRecord(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                    ParameterBlock& block, ParameterSet& set, std::string& problem) {
    if (BuildDefaultParameters(effect, block, set).IsFailure()) {
        problem = effect.InternalName() + " could not list its parameters";
        return false;
    }
    if (choices.settings.empty()) return true;
    DappleSettingsArchiver archiver(folders);
    NamedSetting setting;
    if (!FindNamedSetting(archiver, effect, choices.settings, setting, problem)) return false;
    std::string why;
    if (archiver.ReadSettingsText(effect.InternalName(), set, setting.text, why).IsFailure()) {
        problem = "the " + setting.description + " cannot be used: " + why;
        return false;
    }
    return true;
}

}  // namespace

bool ParseParameterOption(const std::vector<std::string>& args, std::size_t& i, ParameterChoices& choices,
                          bool& matched, std::string& problem) {
    std::string value;
    if (!NonEmptyOptionValue(args, i, "--settings", "a setting's name or a settings file", value, matched, problem))
        return false;
    if (matched) {
        choices.settings = value;
        return true;
    }
    if (!OptionValue(args, i, "--set", value, matched, problem)) return false;
    if (!matched) return true;
    const std::size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0) {
        problem = "--set expects NAME=VALUE, got '" + value + "'";
        return false;
    }
    choices.values.push_back(TypedValue{value.substr(0, equals), value.substr(equals + 1)});
    return true;
}

bool ChosenRecord(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                  ParameterBlock& block, ParameterSet& set, ChosenValues& chosen, std::string& problem) {
    if (!SettingsRecord(effect, choices, folders, block, set, problem)) return false;
    DescriptorStore values;
    if (!PutValues(effect, set, choices, values, chosen, problem)) return false;
    if (chosen.ofPicture) {
        problem =
            "a setting keeps lengths, not shares of a picture: give a length in per cent to apply, or a "
            "length with its unit here";
        return false;
    }
    if (ReadParametersFromDescriptor(set, values).IsFailure()) {
        problem = effect.InternalName() + " could not read the --set values";
        return false;
    }
    return true;
}

bool ChosenDescriptor(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                      DescriptorStore& descriptor, ChosenValues& chosen, std::string& problem) {
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    if (!SettingsRecord(effect, choices, folders, *block, set, problem)) return false;
    if (!choices.settings.empty() && WriteParametersToDescriptor(set, descriptor).IsFailure()) {
        problem = effect.InternalName() + " could not pass on the values of " + choices.settings;
        return false;
    }
    return PutValues(effect, set, choices, descriptor, chosen, problem);
}
