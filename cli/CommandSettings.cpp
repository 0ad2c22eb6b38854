// dapple settings list|save|show|delete: the named settings of an effect,
// the user's own (in the user's data folder) and the factory's (in the
// Settings folder beside the program).
#include <memory>

#include "cli/Command.h"
#include "cli/CommandEffects.h"
#include "cli/CommandParameters.h"
#include "cli/CommandScript.h"
#include "cli/NamedSettings.h"
#include "settings/DappleSettingsArchiver.h"
#include "settings/ParameterLines.h"
#include "settings/SettingNames.h"
#include "settings/TextLines.h"

namespace {

int Usage(const CommandStreams& streams, const std::string& problem) {
    streams.err << "dapple: " << problem << '\n';
    return kExitUsage;
}

int Failed(const CommandStreams& streams, const std::string& problem) {
    streams.err << "dapple: " << problem << '\n';
    return kExitFailed;
}

int List(const Filter& effect, DappleSettingsArchiver& archiver, const CommandStreams& streams) {
    std::vector<std::string> names;
    if (archiver.ListSettings(effect, true, names).IsFailure())
        return Failed(streams, "cannot read the user settings folder of " + effect.InternalName());
    for (const std::string& name : names) streams.out << "user\t" << name << '\n';
    // No factory folder: no factory settings.
    if (archiver.ListSettings(effect, false, names).IsSuccess()) {
        for (const std::string& name : names) streams.out << "factory\t" << name << '\n';
    }
    return kExitSuccess;
}

int Show(const Filter& effect, DappleSettingsArchiver& archiver, const std::string& name,
         const CommandStreams& streams) {
    NamedSetting setting;
    std::string problem;
    if (!FindNamedSetting(archiver, effect, name, setting, problem)) return Usage(streams, problem);
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    if (BuildDefaultParameters(effect, *block, set).IsFailure())
        return Failed(streams, effect.InternalName() + " could not list its parameters");
    if (archiver.ReadSettingsText(effect.InternalName(), set, setting.text).IsFailure())
        return Failed(streams, "the " + setting.description + " is not a settings file of " + effect.InternalName());
    LineReader lines(setting.text);
    std::string_view line;
    lines.Next(line);  // the effect's name
    while (lines.Next(line)) {
        uint32_t key = 0;
        std::string_view value;
        SplitKeyLine(line, key, value);
        const FilterParameter* parameter = set.FindByKey(key);
        streams.out << KeyText(key) << '\t' << (parameter != nullptr ? parameter->label : "-") << '\t' << value << '\n';
    }
    return kExitSuccess;
}

int Save(const Filter& effect, DappleSettingsArchiver& archiver, const std::vector<std::string>& args,
         const CommandStreams& streams) {
    ParameterChoices choices;
    bool replace = false;
    std::string problem;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--replace") {
            replace = true;
            continue;
        }
        bool matched = false;
        if (!ParseParameterOption(args, i, choices, matched, problem)) return Usage(streams, problem);
        if (!matched) return Usage(streams, "unknown option '" + args[i] + "' (see dapple --help)");
    }
    const std::string& name = args[1];
    const std::string why = InvalidNameReason(name);
    if (!why.empty()) return Usage(streams, "cannot save as '" + name + "': " + why);
    if (archiver.Exists(effect, name) && !replace) {
        return Usage(streams, "a user setting '" + name + "' of " + effect.InternalName() +
                                  " exists already; add --replace to replace it");
    }
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    if (!ChosenRecord(effect, choices, SettingsFoldersOf(streams), *block, set, problem))
        return Usage(streams, problem);
    if (archiver.Save(effect, set, name).IsFailure())
        return Failed(streams, "cannot save the user setting '" + name + "' of " + effect.InternalName());
    return kExitSuccess;
}

int Delete(const Filter& effect, DappleSettingsArchiver& archiver, const std::string& name,
           const CommandStreams& streams) {
    if (!archiver.Exists(effect, name)) {
        return Usage(streams, "no user setting '" + name + "' of " + effect.InternalName() +
                                  " (factory settings cannot be deleted; see dapple settings list " +
                                  effect.InternalName() + ")");
    }
    if (archiver.Delete(effect, name).IsFailure())
        return Failed(streams, "cannot delete the user setting '" + name + "' of " + effect.InternalName());
    return kExitSuccess;
}

}  // namespace

int RunSettingsCommand(const std::vector<std::string>& args, const CommandStreams& streams) {
    if (args.empty()) return Usage(streams, "settings needs list, save, show or delete (see dapple --help)");
    const std::string& action = args[0];
    const bool named = action == "save" || action == "show" || action == "delete";
    if (!named && action != "list") return Usage(streams, "unknown settings command '" + action + "'");
    const std::size_t needed = named ? 3 : 2;
    if (args.size() < needed || (action != "save" && args.size() != needed)) {
        return Usage(streams, "settings " + action + " takes EFFECT" + (named ? " NAME" : "") +
                                  (action == "save" ? " [--settings NAME] [--set KEY=VALUE]... [--replace]" : ""));
    }
    EffectChoice choice;
    if (!FindEffect(args[1], choice)) return Usage(streams, "unknown effect '" + args[1] + "' (see dapple effects)");
    DappleSettingsArchiver archiver(SettingsFoldersOf(streams));
    if (action == "list") return List(*choice.filter, archiver, streams);
    const std::vector<std::string> rest(args.begin() + 1, args.end());  // EFFECT NAME ...
    if (action == "save") return Save(*choice.filter, archiver, rest, streams);
    if (action == "show") return Show(*choice.filter, archiver, rest[1], streams);
    return Delete(*choice.filter, archiver, rest[1], streams);
}
