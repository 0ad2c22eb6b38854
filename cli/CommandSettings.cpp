// dapple settings list|save|show|delete: the named settings of an effect,
// the user's own (in the user's data folder) and the factory's (in the
// Settings folder of the data folder, platform/DataFolder.h).
#include <algorithm>
#include <memory>

#include "cli/Command.h"
#include "cli/CommandEffects.h"
#include "cli/CommandParameters.h"
#include "cli/JsonText.h"
#include "cli/NamedSettings.h"
#include "filters/ScriptCapture.h"
#include "parametertext/ParameterDescriptions.h"
#include "platform/DataFolder.h"
#include "settings/DappleSettingsArchiver.h"
#include "settings/SettingNames.h"

namespace {

int Usage(const CommandStreams& streams, const std::string& problem) {
    streams.err << "dapple: " << problem << '\n';
    return kExitUsage;
}

int Failed(const CommandStreams& streams, const std::string& problem) {
    streams.err << "dapple: " << problem << '\n';
    return kExitFailed;
}

struct SettingsRequest {
    std::string action;
    std::string name;  // of the setting
    OutputStyle style = OutputStyle::Lines;
    ParameterChoices choices;
    bool replace = false;
    bool update = false;
};

int List(const Filter& effect, DappleSettingsArchiver& archiver, OutputStyle style, const CommandStreams& streams) {
    std::vector<std::string> user;
    if (archiver.ListSettings(effect, true, user).IsFailure())
        return Failed(streams, "cannot read the user settings folder of " + effect.InternalName());
    std::vector<std::string> factory;
    if (archiver.ListSettings(effect, false, factory).IsFailure()) {
        // Every effect ships factory settings: their folder was not found.
        streams.err << "dapple: warning: no factory settings of " << effect.InternalName()
                    << " were found; the data folder is looked for in " << DataFolderPlaces() << '\n';
    }
    if (style == OutputStyle::Lines) {
        for (const std::string& name : user) streams.out << "user\t" << name << '\n';
        for (const std::string& name : factory) streams.out << "factory\t" << name << '\n';
        return kExitSuccess;
    }
    streams.out << "[";
    const char* separator = "";
    for (const auto* names : {&user, &factory}) {
        for (const std::string& name : *names) {
            streams.out << separator << "\n  {\"source\": \"" << (names == &user ? "user" : "factory")
                        << "\", \"name\": " << JsonString(name) << "}";
            separator = ",";
        }
    }
    streams.out << "\n]\n";
    return kExitSuccess;
}

int Show(const Filter& effect, DappleSettingsArchiver& archiver, const SettingsRequest& request,
         const CommandStreams& streams) {
    NamedSetting setting;
    std::string problem;
    if (!FindNamedSetting(archiver, effect, request.name, setting, problem)) return Usage(streams, problem);
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    if (BuildDefaultParameters(effect, *block, set).IsFailure())
        return Failed(streams, effect.InternalName() + " could not list its parameters");
    std::string why;
    if (archiver.ReadSettingsText(effect.InternalName(), set, setting.text, why).IsFailure())
        return Failed(streams, "the " + setting.description + " cannot be used: " + why);
    const std::vector<ParameterDescription> values = DescribeParameters(set);
    if (request.style == OutputStyle::Lines) {
        for (const ParameterDescription& value : values)
            streams.out << value.name << '\t' << KeyText(value.key) << '\t' << value.label << '\t' << value.value
                        << '\n';
        return kExitSuccess;
    }
    streams.out << "{\"effect\": " << JsonString(effect.InternalName()) << ", \"setting\": " << JsonString(request.name)
                << ", \"source\": " << JsonString(setting.description) << ", \"values\": [";
    const char* separator = "";
    for (const ParameterDescription& value : values) {
        streams.out << separator << "\n  {\"name\": " << JsonString(value.name)
                    << ", \"key\": " << JsonString(KeyText(value.key)) << ", \"label\": " << JsonString(value.label)
                    << ", \"value\": " << JsonString(value.value) << "}";
        separator = ",";
    }
    streams.out << "\n]}\n";
    return kExitSuccess;
}

bool IsFactorySetting(DappleSettingsArchiver& archiver, const Filter& effect, const std::string& name) {
    std::vector<std::string> factory;
    return archiver.ListSettings(effect, false, factory).IsSuccess() &&
           std::find(factory.begin(), factory.end(), name) != factory.end();
}

int Save(const Filter& effect, DappleSettingsArchiver& archiver, const SettingsRequest& request,
         const CommandStreams& streams) {
    const std::string& name = request.name;
    const std::string why = InvalidNameReason(name);
    if (!why.empty()) return Usage(streams, "cannot save as '" + name + "': " + why);
    const bool exists = archiver.Exists(effect, name);
    if (request.update && !exists) {
        return Usage(streams, "no user setting '" + name + "' of " + effect.InternalName() +
                                  " to update (see dapple settings list " + effect.InternalName() + ")");
    }
    if (exists && !request.replace && !request.update) {
        return Usage(streams, "a user setting '" + name + "' of " + effect.InternalName() +
                                  " exists already; add --update to change the values given, --replace to start "
                                  "again from the defaults");
    }
    ParameterChoices choices = request.choices;
    // An update starts from the setting itself; a user setting comes before
    // a factory one and a file of that name.
    if (request.update) choices.settings = name;
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    ChosenValues chosen;
    std::string problem;
    if (!ChosenRecord(effect, choices, SettingsFoldersOf(streams), *block, set, chosen, problem))
        return Usage(streams, problem);
    for (const std::string& warning : chosen.warnings) streams.err << "dapple: warning: " << warning << '\n';
    if (archiver.Save(effect, set, name).IsFailure())
        return Failed(streams, "cannot save the user setting '" + name + "' of " + effect.InternalName());
    if (!exists && IsFactorySetting(archiver, effect, name)) {
        streams.err << "dapple: note: the user setting '" << name << "' now comes before the factory setting of "
                    << "that name, which --settings " << name << " no longer reaches; delete it to reach that again\n";
    }
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

// The arguments after EFFECT [NAME].
bool ParseOptions(const std::vector<std::string>& args, std::size_t first, SettingsRequest& request,
                  std::string& problem) {
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json" && (request.action == "list" || request.action == "show")) {
            request.style = OutputStyle::Json;
            continue;
        }
        if (request.action == "save") {
            if (arg == "--replace" || arg == "--update") {
                (arg == "--replace" ? request.replace : request.update) = true;
                continue;
            }
            bool matched = false;
            if (!ParseParameterOption(args, i, request.choices, matched, problem)) return false;
            if (matched) continue;
        }
        problem = "settings " + request.action + " does not take '" + arg + "' (see dapple help settings)";
        return false;
    }
    if (request.replace && request.update) {
        problem = "settings save takes --replace or --update, not both";
        return false;
    }
    return true;
}

}  // namespace

int RunSettingsCommand(const std::vector<std::string>& args, const CommandStreams& streams) {
    if (args.empty()) return Usage(streams, "settings needs list, save, show or delete (see dapple help settings)");
    SettingsRequest request;
    request.action = args[0];
    const bool named = request.action == "save" || request.action == "show" || request.action == "delete";
    if (!named && request.action != "list") return Usage(streams, "unknown settings command '" + request.action + "'");
    const std::size_t needed = named ? 3 : 2;
    if (args.size() < needed || args[1].rfind("--", 0) == 0 || (named && args[2].rfind("--", 0) == 0)) {
        return Usage(streams, "settings " + request.action + " takes EFFECT" + (named ? " NAME" : "") +
                                  " (see dapple help settings)");
    }
    std::string problem;
    if (!ParseOptions(args, needed, request, problem)) return Usage(streams, problem);
    EffectChoice choice;
    if (!FindEffect(args[1], choice)) return Usage(streams, "unknown effect '" + args[1] + "' (see dapple effects)");
    if (named) request.name = args[2];
    DappleSettingsArchiver archiver(SettingsFoldersOf(streams));
    if (request.action == "list") return List(*choice.filter, archiver, request.style, streams);
    if (request.action == "save") return Save(*choice.filter, archiver, request, streams);
    if (request.action == "show") return Show(*choice.filter, archiver, request, streams);
    return Delete(*choice.filter, archiver, request.name, streams);
}
