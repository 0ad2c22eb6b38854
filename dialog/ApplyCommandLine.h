// The dapple command line that applies an effect with given parameters to
// an image, for the user to paste into a shell: the dialog's copy of the
// current parameters.
#pragma once

#include <string>
#include <vector>

class ParameterSet;

// "dapple apply EFFECT input.png output.png --set NAME=VALUE ...", one --set
// per value of `set`, by the parameters' names and in the forms people type
// (parametertext/), each argument quoted for a POSIX shell where it needs
// it. A content file's relative flag is left out: its path decides it.
// `effect` is the effect's internal name (written in lower case). Empty
// when memory runs out.
std::string ApplyCommandLine(const std::string& effect, const ParameterSet& set);

// `argument` as a POSIX shell reads it back: unchanged when it holds only
// characters no shell treats specially, else in single quotes.
std::string ShellQuoted(const std::string& argument);
