// Plug-in modules are Windows libraries: only the Windows build of the
// command can load one.
#include "inprocesshost/PluginModule.h"

std::unique_ptr<PluginModule> LoadPluginModule(const std::string& path, std::string& problem) {
    problem = "cannot load plug-in " + path + ": plug-in modules are Windows libraries, loaded only by dapple.exe";
    return nullptr;
}
