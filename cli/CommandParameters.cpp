#include "cli/CommandParameters.h"

#include <algorithm>
#include <memory>

#include "cli/CommandContentPath.h"
#include "cli/CommandDescriptors.h"
#include "cli/CommandEffects.h"
#include "cli/CommandOptions.h"
#include "cli/CommandScript.h"
#include "cli/NamedSettings.h"
#include "filters/TubeButtonParameter.h"
#include "settings/DappleSettingsArchiver.h"

namespace {

bool HasValueFor(const ParameterChoices& choices, const std::string& key) {
    return std::any_of(choices.values.begin(), choices.values.end(),
                       [&key](const auto& value) { return value.first == key; });
}

// The --set values as descriptor items under their keys.
bool PutValues(const Filter& effect, const ParameterSet& set, const ParameterChoices& choices, DescriptorStore& store,
               std::string& problem) {
    for (const auto& value : choices.values) {
        uint32_t key = 0;
        const FilterParameter* parameter = KeyFromText(value.first, key) ? set.FindByKey(key) : nullptr;
        if (parameter == nullptr) {
            problem = "unknown parameter key '" + value.first + "' for " + effect.InternalName() +
                      " (see dapple params " + effect.InternalName() + ")";
            return false;
        }
        std::string why;
        // A content file's path is checked and stored as the effect stores
        // a chosen file, which also decides its relative flag.
        if (const auto* content = dynamic_cast<const TubeButtonParameter*>(parameter)) {
            const std::string pathKey = KeyText(content->KeyAt(0));
            if (key == content->KeyAt(1) && HasValueFor(choices, pathKey)) {
                problem = "--set " + value.first + " cannot go with --set " + pathKey + ", which decides it";
                return false;
            }
            if (key == content->KeyAt(0)) {
                if (PutContentPath(effect.kind, *content, value.second, store, why)) continue;
                problem = "--set " + value.first + "=" + value.second + ": " + why;
                return false;
            }
        }
        if (!PutScriptValue(*parameter, key, value.second, store, why)) {
            problem = "--set " + value.first + "=" + value.second + ": " + ParameterClassName(*parameter) + " " +
                      value.first + " " + why;
            return false;
        }
    }
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
    if (archiver.ReadSettingsText(effect.InternalName(), set, setting.text).IsFailure()) {
        problem = "the " + setting.description + " is not a settings file of " + effect.InternalName();
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
    if (equals == std::string::npos) {
        problem = "--set expects KEY=VALUE, got '" + value + "'";
        return false;
    }
    choices.values.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    return true;
}

bool ChosenRecord(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                  ParameterBlock& block, ParameterSet& set, std::string& problem) {
    if (!SettingsRecord(effect, choices, folders, block, set, problem)) return false;
    DescriptorStore values;
    if (!PutValues(effect, set, choices, values, problem)) return false;
    if (ReadParametersFromDescriptor(set, values).IsFailure()) {
        problem = effect.InternalName() + " could not read the --set values";
        return false;
    }
    return true;
}

bool ChosenDescriptor(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                      DescriptorStore& descriptor, std::string& problem) {
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    if (!SettingsRecord(effect, choices, folders, *block, set, problem)) return false;
    if (!choices.settings.empty() && WriteParametersToDescriptor(set, descriptor).IsFailure()) {
        problem = effect.InternalName() + " could not pass on the values of " + choices.settings;
        return false;
    }
    return PutValues(effect, set, choices, descriptor, problem);
}
