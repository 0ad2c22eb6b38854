#include <memory>

#include "filters/ParameterBlock.h"
#include "host/FilterFactory.h"
#include "host/HostContext.h"
#include "host/HostHandles.h"
#include "host/HostRequests.h"
#include "host/ParametersHandle.h"
#include "host/RunRecord.h"
#include "host/ScriptingDescriptors.h"
#include "host/Selectors.h"

namespace {

// The parameters block holds another effect's parameters: the defaults of
// the run's own effect are recorded instead, from temporaries.
ResultCode WriteDefaultsOfKind(ps::FilterRecord& record, FilterKind kind) {
    ps::Handle handle = NewHandle(static_cast<int32_t>(ParameterBlock::kSize));
    if (handle == nullptr) return ResultCode::OutOfMemory();
    std::unique_ptr<Filter> effect;
    ResultCode result = CreateFilter(kind, effect);
    if (result.IsFailure()) {
        DisposeHandle(handle);
        return ResultCode::Failure();
    }
    ParameterBlock* block = static_cast<ParameterBlock*>(LockHandle(handle));
    if (block == nullptr) {
        result = ResultCode::Failure();
    } else {
        *block = ParameterBlock{};
        effect->WriteDefaults(*block);
        result = WriteScriptParameters(record, *effect, *block);
        UnlockHandle(handle);
    }
    DisposeHandle(handle);
    return result;
}

void RecordParameters(ps::FilterRecord& record, const RunRecord& run, ParameterBlock* block) {
    if (!run.dialogConfirmed || !run.filter || run.filter->kind != run.kind || block == nullptr) return;
    if (block->kind == run.kind) {
        WriteScriptParameters(record, *run.filter, *block);
    } else {
        WriteDefaultsOfKind(record, run.kind);
    }
}

}  // namespace

int16_t RunFinishSelector(ps::FilterRecord& record, intptr_t& data) {
    RunRecord* run = reinterpret_cast<RunRecord*>(data);
    {
        LockedExistingParameters parameters(record);
        if (run != nullptr) RecordParameters(record, *run, parameters.Block());
        delete run;  // its mask and effect go with it
        SetCurrentRunRecord(nullptr);
        data = 0;
    }
    ClearRequests(record);
    return 0;
}
