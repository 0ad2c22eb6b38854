// A program's arguments as UTF-8 text on every system. Windows hands main()
// its arguments in the ANSI code page, which cannot hold every file name, so
// there they are read again from the wide command line.
#pragma once

#include <string>
#include <vector>

// The arguments after the program's name; `argc` and `argv` are main()'s.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
