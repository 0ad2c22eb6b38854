// The dapple command line that applies an effect with given parameters to
// an image, for the user to paste into a shell: the dialog's copy of the
// current parameters.
#pragma once

#include <string>
#include <vector>

#include "filters/ScriptCapture.h"

// "dapple apply EFFECT input.png output.png --set KEY=VALUE ...", one --set
// per recorded value, each argument quoted for a POSIX shell where it needs
// it. `effect` is the effect's internal name (written in lower case).
std::string ApplyCommandLine(const std::string& effect, const std::vector<ScriptItem>& items);

// `argument` as a POSIX shell reads it back: unchanged when it holds only
// characters no shell treats specially, else in single quotes.
std::string ShellQuoted(const std::string& argument);
