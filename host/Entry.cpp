// The exported entry: the common steps around every host selector and the
// dispatch to its handler.
#include "host/Entry.h"

#include <exception>
#include <memory>
#include <new>

#include "host/FilterFactory.h"
#include "host/HostContext.h"
#include "host/HostRequests.h"
#include "host/RunRecord.h"
#include "host/Selectors.h"
#include "image/Parallel.h"
#include "platform/ResourceStrings.h"

namespace {

// Creates the run for the first selector that finds the data slot empty.
// The slot stays zero when the effect cannot be made.
int16_t CreateRun(FilterKind kind, intptr_t& data) {
    std::unique_ptr<RunRecord> run(new (std::nothrow) RunRecord());
    if (!run) return ResultCode::kOutOfMemory;
    const ResultCode created = CreateFilter(kind, run->filter);
    if (created.IsFailure()) return static_cast<int16_t>(created.status);
    run->dialogMode = kDialogModeUndecided;
    run->kind = kind;
    data = reinterpret_cast<intptr_t>(run.release());
    return 0;
}

int16_t Dispatch(int16_t selector, ps::FilterRecord& record, intptr_t& data, RunRecord& run) {
    switch (selector) {
        case ps::filterSelectorParameters: return RunParametersSelector(run);
        case ps::filterSelectorPrepare: {
            const int16_t result = RunPrepareSelector(record);
            // The host goes no further; a run left in the slot would be taken
            // up, stale, by the next run.
            if (result != 0) RunFinishSelector(record, data);
            return result;
        }
        case ps::filterSelectorStart: {
            const int16_t result = RunStartSelector(record, run);
            // A failed start ends the run at once.
            if (result != 0) RunFinishSelector(record, data);
            return result;
        }
        case ps::filterSelectorContinue: return RunContinueSelector(record, run);
        case ps::filterSelectorFinish: return RunFinishSelector(record, data);
        case ps::filterSelectorAffectedArea: return RunAffectedAreaSelector(record, run);
        default: return 0;
    }
}

// Leaves nothing behind that would keep the host calling after a selector
// ran out of memory: a start is ended, continue gets no more requests.
void RecoverFromOutOfMemory(int16_t selector, ps::FilterRecord& record, intptr_t& data) {
    if (selector == ps::filterSelectorStart && data != 0) RunFinishSelector(record, data);
    if (selector == ps::filterSelectorContinue) ClearRequests(record);
}

void RunSelector(int16_t selector, ps::FilterRecord& record, intptr_t& data, int16_t& result, FilterKind kind) {
    HostCallScope scope(&record);
    result = 0;
    if (data == 0) {
        result = CreateRun(kind, data);
        if (result != 0) return;
    }
    RunRecord* run = reinterpret_cast<RunRecord*>(data);
    SetCurrentRunRecord(run);
    try {
        result = Dispatch(selector, record, data, *run);
    } catch (const std::bad_alloc&) {
        RecoverFromOutOfMemory(selector, record, data);
        result = ResultCode::kOutOfMemory;
    }
}

// The worker threads end before every return to the host: the host may
// unload the module between calls, and no thread may then run its code.
class WorkersStopOnReturn {
public:
    WorkersStopOnReturn() = default;
    ~WorkersStopOnReturn() { StopParallelWorkers(); }
    WorkersStopOnReturn(const WorkersStopOnReturn&) = delete;
    WorkersStopOnReturn& operator=(const WorkersStopOnReturn&) = delete;
};

}  // namespace

extern "C" DAPPLE_EXPORT void Photoshop_Entry_Point(int16_t selector, void* hostRecord, intptr_t* data, int16_t* result,
                                                    int32_t kind) {
    if (result == nullptr) return;
    const WorkersStopOnReturn workers;
    *result = 0;
    if (!FilterKinds::IsValid(kind)) {
        *result = ResultCode::kFailure;
        return;
    }
    try {
        if (selector == ps::filterSelectorAbout) {
            RunAboutSelector(hostRecord, kind);
            return;
        }
        if (hostRecord == nullptr || data == nullptr) {
            *result = ResultCode::kFailure;
            return;
        }
        RunSelector(selector, *static_cast<ps::FilterRecord*>(hostRecord), *data, *result, kind);
    } catch (const std::bad_alloc&) {
        *result = ResultCode::kOutOfMemory;
    } catch (...) {
        // Nothing may unwind into the host.
        *result = ResultCode::kFailure;
    }
}

extern "C" DAPPLE_EXPORT void* SetResourceHandle(void* module) { return SetResourceModule(module); }
