// The in-process host's handle suite: movable memory blocks that plug-ins
// allocate, lock, resize and dispose of through the host. Every block is
// counted so that tests can check for leaks, and every call with a handle
// this host does not know (freed twice, never allocated) is refused and
// counted instead of touching memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "pluginapi/PluginInterface.h"

struct HandleStats {
    int64_t allocated = 0;     // successful NewHandle calls
    int64_t disposed = 0;      // successful disposals
    int64_t live = 0;          // allocated and not yet disposed
    int64_t locked = 0;        // live handles locked more often than unlocked
    int64_t invalidCalls = 0;  // calls with an unknown or already disposed handle
};

class HostHandleTable {
public:
    // Largest block the host hands out.
    static constexpr int32_t kMaxHandleSize = 1 << 30;
    // Resizing a locked handle fails with this code, as on the classic Mac.
    static constexpr ps::OSErr kLockedHandleError = -117;

    HostHandleTable() = default;
    HostHandleTable(const HostHandleTable&) = delete;
    HostHandleTable& operator=(const HostHandleTable&) = delete;

    // A zero-filled block of `size` bytes; null for a negative or too large size.
    ps::Handle New(int32_t size);
    void Dispose(ps::Handle handle);
    // -1 for an unknown handle.
    int32_t Size(ps::Handle handle);
    // noErr, paramErr (unknown handle, negative size), memFullErr or kLockedHandleError.
    ps::OSErr SetSize(ps::Handle handle, int32_t size);
    // The block's bytes; null for an unknown handle. Locks nest.
    ps::Ptr Lock(ps::Handle handle);
    void Unlock(ps::Handle handle);

    bool IsLive(ps::Handle handle) const { return blocks_.count(handle) != 0; }
    // A copy of the block's bytes; false for an unknown handle.
    bool Read(ps::Handle handle, std::string& bytes) const;
    // A new handle holding `bytes`; null when the size is too large.
    ps::Handle NewWith(const void* bytes, std::size_t size);

    HandleStats Stats() const;
    // The suite as a filter record points at it.
    static void FillProcs(ps::HandleProcs& procs);

private:
    struct Block {
        std::unique_ptr<char[]> data;
        int32_t size = 0;
        int32_t lockCount = 0;
    };

    Block* Find(ps::Handle handle);

    // Handle values are serial numbers, never addresses and never reused, so
    // that a handle used after its disposal is always recognised.
    std::unordered_map<ps::Handle, std::unique_ptr<Block>> blocks_;
    uintptr_t nextSerial_ = 1;
    int64_t allocated_ = 0;
    int64_t disposed_ = 0;
    int64_t invalidCalls_ = 0;
};
