// dapple apply ... --plugin PATH: a plug-in module (.8bf) loaded into this
// process, its entry found the way hosts find it, through the entry-point
// property of its property list for this processor.
#pragma once

#include <memory>
#include <string>

#include "inprocesshost/InProcessHost.h"
#include "inprocesshost/PluginPropertyList.h"

class PluginModule {
public:
    virtual ~PluginModule() = default;

    // The module's entry as the in-process host calls it. The module adds
    // its own kind, so the host's kind argument is not passed on. Valid
    // while the module lives.
    virtual PluginEntry Entry() const = 0;
    // The property list the entry was found through.
    virtual const PluginPropertyList& Properties() const = 0;
};

// Loads the module at `path` and finds its entry. Null, with a one-line
// reason in `problem` that names the path, when the file cannot be loaded,
// has no usable filter property list, or does not export the entry that
// its list names.
std::unique_ptr<PluginModule> LoadPluginModule(const std::string& path, std::string& problem);
