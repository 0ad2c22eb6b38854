#include <new>

#include "cli/Command.h"

namespace {

constexpr char kUsage[] =
    "usage: dapple effects\n"
    "       dapple params EFFECT\n"
    "       dapple apply EFFECT INPUT OUTPUT [--mask MASK] [--set KEY=VALUE]... [--quiet] [--preview-scale F]\n"
    "                    [--plugin PATH] [--settings NAME] [--dialog]\n"
    "       dapple settings list EFFECT\n"
    "       dapple settings save EFFECT NAME [--settings NAME] [--set KEY=VALUE]... [--replace]\n"
    "       dapple settings show EFFECT NAME\n"
    "       dapple settings delete EFFECT NAME\n"
    "       dapple inspect FILE\n"
    "\n"
    "  effects   lists the effects of this build: kind, internal name, display name\n"
    "  params    lists an effect's parameters: key, class, label, default\n"
    "  apply     applies an effect at its defaults, changed by --set, to INPUT and writes OUTPUT\n"
    "            (PNG or JPEG by extension); MASK is a grey image of INPUT's size, 255 selected;\n"
    "            --preview-scale F writes the dialog's preview instead: every f-th pixel (f the\n"
    "            whole part of F), with the effect rendered at that reduction; --plugin PATH runs the\n"
    "            effect through the plug-in module PATH (.8bf, Windows only) instead of the built-in one;\n"
    "            --settings NAME starts from a named setting (the user's, else the factory's of that\n"
    "            name, else a settings file NAME), which --set values then change; --dialog shows the\n"
    "            effect's dialog first (with --plugin) and writes OUTPUT after OK\n"
    "  settings  the named settings of an effect: list the user's and the factory's; save the\n"
    "            defaults, changed by --settings and --set, as the user's setting NAME (--replace\n"
    "            replaces one of that name); show a setting's values by key and label; delete a\n"
    "            user setting\n"
    "  inspect   describes a content file: a picture tube (.tub) or frame (.rfr), a tile library (.ptl)\n"
    "            or a JPEG texture (.jpg); a file the effects would refuse gives their message\n";

int UsageError(const CommandStreams& streams, const std::string& problem) {
    streams.err << "dapple: " << problem << " (see dapple --help)\n";
    return kExitUsage;
}

int Dispatch(const std::vector<std::string>& args, const CommandStreams& streams) {
    if (args.empty()) return UsageError(streams, "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        streams.out << kUsage;
        return kExitSuccess;
    }
    if (command == "effects") {
        if (args.size() != 1) return UsageError(streams, "effects takes no arguments");
        return RunEffectsCommand(streams);
    }
    if (command == "params") {
        if (args.size() != 2) return UsageError(streams, "params takes one effect name");
        return RunParamsCommand(args[1], streams);
    }
    if (command == "inspect") {
        if (args.size() != 2) return UsageError(streams, "inspect takes one file");
        return RunInspectCommand(args[1], streams);
    }
    if (command == "apply") return RunApplyCommand(std::vector<std::string>(args.begin() + 1, args.end()), streams);
    if (command == "settings")
        return RunSettingsCommand(std::vector<std::string>(args.begin() + 1, args.end()), streams);
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
