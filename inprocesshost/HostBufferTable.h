// The in-process host's buffer suite: blocks of scratch memory that plug-ins
// allocate, lock and free through the host, counted for leak checks. Calls
// with an unknown buffer are refused and counted.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "pluginapi/PluginInterface.h"

struct BufferStats {
    int64_t allocated = 0;
    int64_t freed = 0;
    int64_t live = 0;
    int64_t locked = 0;  // live buffers locked more often than unlocked
    int64_t invalidCalls = 0;
};

class HostBufferTable {
public:
    HostBufferTable() = default;
    HostBufferTable(const HostBufferTable&) = delete;
    HostBufferTable& operator=(const HostBufferTable&) = delete;

    // noErr; paramErr for a negative size or a null `id`; memFullErr beyond
    // the space the host offers.
    ps::OSErr Allocate(int32_t size, ps::BufferID* id);
    // Null for an unknown buffer. Locks nest.
    ps::Ptr Lock(ps::BufferID id);
    void Unlock(ps::BufferID id);
    void Free(ps::BufferID id);
    // The most the host will allocate in one buffer.
    int32_t Space() const { return space_; }
    void SetSpace(int32_t bytes) { space_ = bytes < 0 ? 0 : bytes; }

    BufferStats Stats() const;
    static void FillProcs(ps::BufferProcs& procs);

private:
    struct Block {
        std::unique_ptr<char[]> data;
        int32_t size = 0;
        int32_t lockCount = 0;
    };

    Block* Find(ps::BufferID id);

    // Buffer ids are serial numbers, never reused.
    std::unordered_map<ps::BufferID, std::unique_ptr<Block>> blocks_;
    uintptr_t nextSerial_ = 1;
    int32_t space_ = 256 << 20;
    int64_t allocated_ = 0;
    int64_t freed_ = 0;
    int64_t invalidCalls_ = 0;
};
