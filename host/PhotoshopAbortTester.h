// Abort test through the host's abort callback.
#pragma once

#include "base/Progress.h"
#include "pluginapi/PluginInterface.h"

class Photoshop_Abort_Tester : public Abort_Tester {
public:
    // A null callback never aborts.
    explicit Photoshop_Abort_Tester(ps::TestAbortProc abortProc) : abortProc_(abortProc) {}
    // True when the host's callback answers exactly 1.
    bool IsAborted() override { return abortProc_ != nullptr && abortProc_() == 1; }

private:
    ps::TestAbortProc abortProc_;
};
