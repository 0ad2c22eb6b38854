// Stands in for the core library in the plug-in module tests: records what a
// module hands over, so that the tests see the module's side alone.
#include "tests/windows/ProbeCore.h"

namespace {

ProbeRecord gRecord{};

}  // namespace

extern "C" {

__declspec(dllexport) void* SetResourceHandle(void* module) {
    ++gRecord.resourceHandleCalls;
    gRecord.resourceModule = module;
    return module;
}

__declspec(dllexport) void Photoshop_Entry_Point(int16_t selector, void* hostRecord, intptr_t* data, int16_t* result,
                                                 int32_t kind) {
    ++gRecord.calls;
    gRecord.selector = selector;
    gRecord.hostRecord = hostRecord;
    gRecord.data = data;
    gRecord.result = result;
    gRecord.kind = kind;
    *result = static_cast<int16_t>(100 + kind);  // a result only the probe gives
}

// The record, for the test to read.
__declspec(dllexport) const void* ProbeCoreRecord() { return &gRecord; }
}
