#include "inprocesshost/HostBufferTable.h"

#include <new>
#include <utility>

#include "inprocesshost/ActiveHost.h"
#include "inprocesshost/InProcessHost.h"

namespace {

constexpr uintptr_t kBufferBase = 0x20000;

HostBufferTable* ActiveTable() {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr ? &host->Buffers() : nullptr;
}

ps::OSErr PS_CALLBACK AllocateBufferProc(int32_t size, ps::BufferID* id) {
    HostBufferTable* table = ActiveTable();
    return table != nullptr ? table->Allocate(size, id) : ps::memFullErr;
}

ps::Ptr PS_CALLBACK LockBufferProc(ps::BufferID id, ps::Boolean) {
    HostBufferTable* table = ActiveTable();
    return table != nullptr ? table->Lock(id) : nullptr;
}

void PS_CALLBACK UnlockBufferProc(ps::BufferID id) {
    if (HostBufferTable* table = ActiveTable()) table->Unlock(id);
}

void PS_CALLBACK FreeBufferProc(ps::BufferID id) {
    if (HostBufferTable* table = ActiveTable()) table->Free(id);
}

int32_t PS_CALLBACK BufferSpaceProc() {
    HostBufferTable* table = ActiveTable();
    return table != nullptr ? table->Space() : 0;
}

}  // namespace

ps::OSErr HostBufferTable::Allocate(int32_t size, ps::BufferID* id) {
    if (id == nullptr) return ps::paramErr;
    *id = nullptr;
    if (size < 0) return ps::paramErr;
    if (size > space_) return ps::memFullErr;
    auto block = std::unique_ptr<Block>(new (std::nothrow) Block);
    if (!block) return ps::memFullErr;
    block->data.reset(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]);
    if (!block->data) return ps::memFullErr;
    block->size = size;
    ps::BufferID created = reinterpret_cast<ps::BufferID>(kBufferBase + nextSerial_++ * 16);
    blocks_.emplace(created, std::move(block));
    ++allocated_;
    *id = created;
    return ps::noErr;
}

HostBufferTable::Block* HostBufferTable::Find(ps::BufferID id) {
    auto found = blocks_.find(id);
    if (found == blocks_.end()) {
        ++invalidCalls_;
        return nullptr;
    }
    return found->second.get();
}

ps::Ptr HostBufferTable::Lock(ps::BufferID id) {
    Block* block = Find(id);
    if (block == nullptr) return nullptr;
    ++block->lockCount;
    return block->data.get();
}

void HostBufferTable::Unlock(ps::BufferID id) {
    Block* block = Find(id);
    if (block != nullptr && block->lockCount > 0) --block->lockCount;
}

void HostBufferTable::Free(ps::BufferID id) {
    auto found = blocks_.find(id);
    if (found == blocks_.end()) {
        ++invalidCalls_;
        return;
    }
    blocks_.erase(found);
    ++freed_;
}

BufferStats HostBufferTable::Stats() const {
    BufferStats stats;
    stats.allocated = allocated_;
    stats.freed = freed_;
    stats.live = static_cast<int64_t>(blocks_.size());
    for (const auto& entry : blocks_) {
        if (entry.second->lockCount > 0) ++stats.locked;
    }
    stats.invalidCalls = invalidCalls_;
    return stats;
}

void HostBufferTable::FillProcs(ps::BufferProcs& procs) {
    procs = ps::BufferProcs{};
    procs.bufferProcsVersion = ps::kCurrentBufferProcsVersion;
    procs.numBufferProcs = ps::kCurrentBufferProcsCount;
    procs.allocateProc = AllocateBufferProc;
    procs.lockProc = LockBufferProc;
    procs.unlockProc = UnlockBufferProc;
    procs.freeProc = FreeBufferProc;
    procs.spaceProc = BufferSpaceProc;
}
