// The folder of the module that holds the core: the plug-in's DLL on
// Windows, the shared library or program on other systems. Content and
// factory settings are looked for beside it.
#pragma once

#include <string>

// The folder with its trailing separator ('/', or '\\' on Windows), so that
// a file name can be appended directly: ModuleFolder() + "Content".
// Empty when the module's file name cannot be found.
std::string ModuleFolder();
