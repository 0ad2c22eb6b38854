// The process-wide context of the current host call: which filter record and
// run the host services work on, which thread may call the host directly,
// and the host's buffer callbacks with the lock that guards them.
//
// The entry sets it up at the start of every selector but about (one host
// call is active at a time) and tears the buffer part down at its end.
#pragma once

#include "platform/Threads.h"
#include "pluginapi/PluginInterface.h"

struct RunRecord;

// The host's five buffer callbacks as they were when the host call began.
struct BufferCallbacks {
    ps::AllocateBufferProc allocate = nullptr;
    ps::LockBufferProc lock = nullptr;
    ps::UnlockBufferProc unlock = nullptr;
    ps::FreeBufferProc free = nullptr;
    ps::BufferSpaceProc space = nullptr;

    bool Complete() const { return allocate && lock && unlock && free && space; }
};

// The current host filter record; null before the first selector.
ps::FilterRecord* CurrentFilterRecord();
// The run of the current host call; null outside a run.
RunRecord* CurrentRunRecord();
void SetCurrentRunRecord(RunRecord* run);

// The thread that made the current host call.
ThreadId HostThreadId();
// True on the thread that made the current host call.
bool OnHostThread();

// For the duration of one host call (selectors other than about): records
// the filter record and the calling thread, snapshots the buffer callbacks
// and creates their lock; the destructor drops the snapshot and the lock.
// May throw std::bad_alloc.
class HostCallScope {
public:
    explicit HostCallScope(ps::FilterRecord* record);
    ~HostCallScope();
    HostCallScope(const HostCallScope&) = delete;
    HostCallScope& operator=(const HostCallScope&) = delete;
};

// Holds the buffer lock for its lifetime and gives the snapshot of the
// buffer callbacks; Callbacks() is null when there is no complete snapshot
// (outside a host call, or the host lacks one of the five callbacks).
class BufferAccess {
public:
    BufferAccess();
    ~BufferAccess();
    BufferAccess(const BufferAccess&) = delete;
    BufferAccess& operator=(const BufferAccess&) = delete;

    const BufferCallbacks* Callbacks() const { return callbacks_; }

private:
    const BufferCallbacks* callbacks_ = nullptr;
    bool locked_ = false;
};
