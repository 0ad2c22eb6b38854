// The dapple command: lists the effects of this build and their parameters,
// and applies an effect to an image file through the in-process host.
//
//   dapple effects [--json]
//   dapple params [EFFECT] [--json]
//   dapple apply EFFECT INPUT OUTPUT [--mask MASK] [--settings NAME] [--set NAME=VALUE]... [--quiet]
//   dapple apply EFFECT INPUT... --out-dir DIR [...]
//   dapple settings list|save|show|delete EFFECT [NAME] ...
//   dapple inspect FILE [--json]
//   dapple help [COMMAND], dapple COMMAND --help
//   dapple --version
//
// What each does is in its manual text (cli/manual/). main() only hands
// over the arguments and the standard streams; tests call RunDappleCommand
// with their own.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "settings/SettingsFolders.h"

// Exit codes, the same in every program of the family.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;  // the work failed: the effect refused or failed, an output could not be written
inline constexpr int kExitUsage = 2;   // the command line cannot be used, or an input cannot be read

// The command's surroundings: its streams, and where named settings live.
struct CommandStreams {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;  // a progress bar goes to `err` only then
    // Null: the user's data folder and the program's folder.
    const ISettingsFolders* settingsFolders = nullptr;
    // The dapple program a batch runs for each of its files; empty: this program.
    std::string program = std::string();
};

// The settings folders the command works with.
const ISettingsFolders& SettingsFoldersOf(const CommandStreams& streams);

// `args` are the arguments after the program name.
int RunDappleCommand(const std::vector<std::string>& args, const CommandStreams& streams);

// Lines for people, or JSON for scripts (--json).
enum class OutputStyle { Lines, Json };

// The pieces behind it, one per subcommand.
int RunEffectsCommand(OutputStyle style, const CommandStreams& streams);
// `effect` empty: every effect.
int RunParamsCommand(const std::string& effect, OutputStyle style, const CommandStreams& streams);
int RunApplyCommand(const std::vector<std::string>& args, const CommandStreams& streams);
// apply with --out-dir: many inputs, each written into the folder.
int RunBatchApplyCommand(const std::vector<std::string>& args, const CommandStreams& streams);
// Describes a content file; a file its reader refuses gives the reader's
// message and kExitFailed, a file that is missing or of no content kind
// kExitUsage.
int RunInspectCommand(const std::string& path, OutputStyle style, const CommandStreams& streams);
int RunSettingsCommand(const std::vector<std::string>& args, const CommandStreams& streams);
