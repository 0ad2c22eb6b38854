#include "host/HostMessages.h"
#include "host/Selectors.h"

namespace {

bool HasHandleCallbacks(const ps::HandleProcs* procs) {
    return procs != nullptr && procs->newProc && procs->disposeProc && procs->getSizeProc && procs->lockProc &&
           procs->unlockProc;
}

bool HasBufferCallbacks(const ps::BufferProcs* procs) {
    return procs != nullptr && procs->allocateProc && procs->lockProc && procs->unlockProc && procs->freeProc &&
           procs->spaceProc;
}

}  // namespace

bool HostHasRequiredCallbacks(const ps::FilterRecord& record) {
    return HasHandleCallbacks(record.handleProcs) && record.abortProc != nullptr && record.progressProc != nullptr &&
           HasBufferCallbacks(record.bufferProcs) && record.displayPixels != nullptr &&
           record.advanceState != nullptr && record.colorServices != nullptr;
}

int16_t RunPrepareSelector(ps::FilterRecord& record) {
    if (HostHasRequiredCallbacks(record)) return 0;
    ShowHostWarning(&record, kMessageMissingHostService);
    return 1;
}
