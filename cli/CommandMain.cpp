#include <algorithm>
#include <new>

#include "base/ManualText.h"
#include "cli/Command.h"
#include "platform/ProductVersion.h"
#include "platform/Warning.h"

namespace {

int UsageError(const CommandStreams& streams, const std::string& problem) {
    streams.err << "dapple: " << problem << " (see dapple help)\n";
    return kExitUsage;
}

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// dapple help [COMMAND]: the manual's text of the program or of a command.
int Help(const std::vector<std::string>& topics, const CommandStreams& streams) {
    if (topics.size() > 1) return UsageError(streams, "help takes one command");
    const std::string topic = topics.empty() ? std::string() : topics[0];
    const char* text = ManualText(topic.c_str());
    if (text == nullptr) return UsageError(streams, "no command '" + topic + "'");
    streams.out << text;
    return kExitSuccess;
}

// The command's options after its name, with --json taken out.
OutputStyle TakeJson(std::vector<std::string>& rest) {
    const auto json = std::find(rest.begin(), rest.end(), "--json");
    if (json == rest.end()) return OutputStyle::Lines;
    rest.erase(json);
    return OutputStyle::Json;
}

int Dispatch(const std::vector<std::string>& args, const CommandStreams& streams) {
    if (args.empty()) return UsageError(streams, "no command given");
    const std::string& command = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "help" || IsHelpOption(command)) return Help(rest, streams);
    if (command == "--version") {
        if (!rest.empty()) return UsageError(streams, "--version takes no arguments");
        streams.out << "dapple (" << kWarningCaption << ") " << ProductVersion() << '\n';
        return kExitSuccess;
    }
    // Every command takes --help in place of its arguments.
    if (ManualText(command.c_str()) != nullptr && std::any_of(rest.begin(), rest.end(), IsHelpOption))
        return Help({command}, streams);
    if (command == "effects") {
        const OutputStyle style = TakeJson(rest);
        if (!rest.empty()) return UsageError(streams, "effects takes only --json");
        return RunEffectsCommand(style, streams);
    }
    if (command == "params") {
        const OutputStyle style = TakeJson(rest);
        if (rest.size() > 1) return UsageError(streams, "params takes one effect's name and --json");
        return RunParamsCommand(rest.empty() ? std::string() : rest[0], style, streams);
    }
    if (command == "inspect") {
        const OutputStyle style = TakeJson(rest);
        if (rest.size() != 1) return UsageError(streams, "inspect takes one file and --json");
        return RunInspectCommand(rest[0], style, streams);
    }
    if (command == "apply") return RunApplyCommand(rest, streams);
    if (command == "settings") return RunSettingsCommand(rest, streams);
    return UsageError(streams, "unknown command '" + command + "'");
}

}  // namespace

const ISettingsFolders& SettingsFoldersOf(const CommandStreams& streams) {
    static const RunningSettingsFolders running;
    return streams.settingsFolders != nullptr ? *streams.settingsFolders : running;
}

int RunDappleCommand(const std::vector<std::string>& args, const CommandStreams& streams) {
    try {
        return Dispatch(args, streams);
    } catch (const std::bad_alloc&) {
        streams.err << "dapple: out of memory\n";
        return kExitFailed;
    }
}
