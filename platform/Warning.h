// Warning boxes: the messages the core shows the user before it returns a
// failure to the host (many hosts show nothing themselves). On Windows a
// task-modal box with the warning icon; elsewhere one line on stderr.
#pragma once

#include <functional>
#include <string>

// Caption of every warning box, and the prefix of every warning line.
inline constexpr char kWarningCaption[] = "Mornebrook Dapple!";

// The one-line form of a warning: "Mornebrook Dapple!: " followed by
// `text`, with any line breaks in `text` turned into spaces.
std::string WarningLine(const std::string& text);

// Shows `text` to the user and returns when the user has seen it (Windows:
// the box was closed). `parentWindow` is the host's window or null; it is
// not used where there are no windows. Cannot fail in a way the caller
// could act on, so it reports nothing.
void ShowWarning(const std::string& text, void* parentWindow);

// Says `text` only where warnings are collected (the command's error
// stream, tests): for what a user is better told in the dialog than by a box
// at every render of a plug-in host. Nothing is shown where no sink is set.
void ShowNote(const std::string& text);

// Receives the WarningLine of every warning instead of the user, so that
// tests and the command-line host can collect warnings. An empty sink
// shows warnings the platform's way again.
using WarningSink = std::function<void(const std::string& line)>;

// Installs `sink` and returns the sink it replaces. Safe from any thread;
// a sink must not call SetWarningSink itself.
WarningSink SetWarningSink(WarningSink sink);
