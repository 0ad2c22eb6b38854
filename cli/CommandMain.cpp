#include <algorithm>
#include <new>

#include "cli/Command.h"
#include "platform/ProductVersion.h"
#include "platform/Warning.h"

namespace {

constexpr char kUsage[] =
    "usage: dapple effects [--json]\n"
    "       dapple params EFFECT [--json]\n"
    "       dapple apply EFFECT INPUT OUTPUT [--mask MASK] [--set KEY=VALUE]... [--quiet] [--preview-scale F]\n"
    "                    [--plugin PATH] [--settings NAME] [--dialog] [--threads N]\n"
    "                    [--png-compression fast|smallest] [--quality N] [--format png|jpg|tif] [--timings]\n"
    "       dapple apply EFFECT INPUT... --out-dir DIR [--suffix TEXT] [--format png|jpg|tif] [--overwrite]\n"
    "                    [--mask MASK] [--set KEY=VALUE]... [--settings NAME] [--quiet] [--threads N]\n"
    "                    [--png-compression fast|smallest] [--quality N]\n"
    "       dapple settings list EFFECT\n"
    "       dapple settings save EFFECT NAME [--settings NAME] [--set KEY=VALUE]... [--replace]\n"
    "       dapple settings show EFFECT NAME\n"
    "       dapple settings delete EFFECT NAME\n"
    "       dapple inspect FILE\n"
    "       dapple --version\n"
    "\n"
    "  effects   lists the effects of this build: kind, internal name, display name (--json: as JSON)\n"
    "  params    lists an effect's parameter keys: key, class, label, default and the values --set takes\n"
    "            (a range and its unit; a list's codes, each on a line of its own with its name; a content\n"
    "            file's default file); --json: as JSON\n"
    "  apply     applies an effect at its defaults, changed by --set, to INPUT and writes OUTPUT\n"
    "            (PNG, JPEG or TIFF: INPUT read by its content, OUTPUT written as its extension or\n"
    "            --format says; - reads standard input or writes standard output); the colour profile,\n"
    "            EXIF and XMP data and the resolution are kept, lengths in inches, centimetres, points\n"
    "            and picas follow the resolution (72 pixels per inch when the file states none), and\n"
    "            the picture is turned upright as its EXIF orientation says; MASK is a grey image of\n"
    "            INPUT's size, 255 selected;\n"
    "            --preview-scale F writes the dialog's preview instead: every f-th pixel (f the\n"
    "            whole part of F), with the effect rendered at that reduction; --plugin PATH runs the\n"
    "            effect through the plug-in module PATH (.8bf, Windows only) instead of the built-in one;\n"
    "            --settings NAME starts from a named setting (the user's, else the factory's of that\n"
    "            name, else a settings file NAME), which --set values then change; --dialog shows the\n"
    "            effect's dialog first (with --plugin) and writes OUTPUT after OK; --threads N renders\n"
    "            on N threads (default: the DAPPLE_THREADS environment variable, else every core; the\n"
    "            result is the same for any number); --png-compression smallest writes the smallest PNG\n"
    "            files, slowly (default fast); --quality N sets the JPEG quality (1 to 100, default 92);\n"
    "            --timings reports the time of reading, of the effect and of writing\n"
    "            With --out-dir, applies the effect to every INPUT, several files at once, writing\n"
    "            DIR/<name><suffix>.<ext> (the input's format unless --format says otherwise); an existing\n"
    "            file is kept unless --overwrite is given; a file that fails is reported and the others go\n"
    "            on; the run ends with a summary and exit status 1 when any failed\n"
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
    if (command == "--version") {
        if (args.size() != 1) return UsageError(streams, "--version takes no arguments");
        streams.out << "dapple (" << kWarningCaption << ") " << ProductVersion() << '\n';
        return kExitSuccess;
    }
    if (command == "effects" || command == "params") {
        std::vector<std::string> rest(args.begin() + 1, args.end());
        const auto json = std::find(rest.begin(), rest.end(), "--json");
        const OutputStyle style = json != rest.end() ? OutputStyle::Json : OutputStyle::Lines;
        if (json != rest.end()) rest.erase(json);
        if (command == "effects") {
            if (!rest.empty()) return UsageError(streams, "effects takes only --json");
            return RunEffectsCommand(style, streams);
        }
        if (rest.size() != 1) return UsageError(streams, "params takes one effect name and --json");
        return RunParamsCommand(rest[0], style, streams);
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
