#include "host/HostContext.h"

#include <memory>
#include <mutex>

namespace {

struct Context {
    ps::FilterRecord* record = nullptr;
    RunRecord* run = nullptr;
    ThreadId hostThread = kNoThread;
    BufferCallbacks buffers;
    bool haveBuffers = false;
    std::unique_ptr<std::mutex> bufferLock;
};

Context& TheContext() {
    static Context context;
    return context;
}

BufferCallbacks SnapshotOf(const ps::FilterRecord* record) {
    BufferCallbacks callbacks;
    if (record == nullptr || record->bufferProcs == nullptr) return callbacks;
    const ps::BufferProcs& procs = *record->bufferProcs;
    callbacks.allocate = procs.allocateProc;
    callbacks.lock = procs.lockProc;
    callbacks.unlock = procs.unlockProc;
    callbacks.free = procs.freeProc;
    callbacks.space = procs.spaceProc;
    return callbacks;
}

}  // namespace

ps::FilterRecord* CurrentFilterRecord() { return TheContext().record; }
RunRecord* CurrentRunRecord() { return TheContext().run; }
void SetCurrentRunRecord(RunRecord* run) { TheContext().run = run; }
ThreadId HostThreadId() { return TheContext().hostThread; }
bool OnHostThread() { return TheContext().hostThread != kNoThread && CurrentThreadId() == TheContext().hostThread; }

HostCallScope::HostCallScope(ps::FilterRecord* record) {
    Context& context = TheContext();
    context.record = record;
    context.hostThread = CurrentThreadId();
    context.buffers = SnapshotOf(record);
    context.bufferLock = std::make_unique<std::mutex>();
    context.haveBuffers = true;
}

HostCallScope::~HostCallScope() {
    Context& context = TheContext();
    context.haveBuffers = false;
    context.buffers = BufferCallbacks();
    context.bufferLock.reset();
}

BufferAccess::BufferAccess() {
    Context& context = TheContext();
    if (!context.haveBuffers || !context.bufferLock) return;
    context.bufferLock->lock();
    locked_ = true;
    if (context.buffers.Complete()) callbacks_ = &context.buffers;
}

BufferAccess::~BufferAccess() {
    if (locked_) TheContext().bufferLock->unlock();
}
