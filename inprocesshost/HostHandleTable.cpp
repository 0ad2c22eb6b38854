#include "inprocesshost/HostHandleTable.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "inprocesshost/ActiveHost.h"
#include "inprocesshost/InProcessHost.h"

namespace {

// Far from null, so that a handle is never mistaken for "no handle".
constexpr uintptr_t kHandleBase = 0x10000;

// One spare byte so that an empty block still has an address to lock.
std::unique_ptr<char[]> NewBytes(int32_t size) {
    return std::unique_ptr<char[]>(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]());
}

HostHandleTable* ActiveTable() {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr ? &host->Handles() : nullptr;
}

ps::Handle PS_CALLBACK NewHandleProc(int32_t size) {
    HostHandleTable* table = ActiveTable();
    return table != nullptr ? table->New(size) : nullptr;
}

void PS_CALLBACK DisposeHandleProc(ps::Handle handle) {
    if (HostHandleTable* table = ActiveTable()) table->Dispose(handle);
}

int32_t PS_CALLBACK GetHandleSizeProc(ps::Handle handle) {
    HostHandleTable* table = ActiveTable();
    return table != nullptr ? table->Size(handle) : -1;
}

ps::OSErr PS_CALLBACK SetHandleSizeProc(ps::Handle handle, int32_t size) {
    HostHandleTable* table = ActiveTable();
    return table != nullptr ? table->SetSize(handle, size) : ps::nilHandleErr;
}

ps::Ptr PS_CALLBACK LockHandleProc(ps::Handle handle, ps::Boolean) {
    HostHandleTable* table = ActiveTable();
    return table != nullptr ? table->Lock(handle) : nullptr;
}

void PS_CALLBACK UnlockHandleProc(ps::Handle handle) {
    if (HostHandleTable* table = ActiveTable()) table->Unlock(handle);
}

void PS_CALLBACK RecoverSpaceProc(int32_t) {}

}  // namespace

ps::Handle HostHandleTable::New(int32_t size) {
    if (size < 0 || size > kMaxHandleSize) return nullptr;
    auto block = std::unique_ptr<Block>(new (std::nothrow) Block);
    if (!block) return nullptr;
    block->data = NewBytes(size);
    if (!block->data) return nullptr;
    block->size = size;
    ps::Handle handle = reinterpret_cast<ps::Handle>(kHandleBase + nextSerial_++ * 16);
    blocks_.emplace(handle, std::move(block));
    ++allocated_;
    return handle;
}

void HostHandleTable::Dispose(ps::Handle handle) {
    if (handle == nullptr) return;  // disposing of nothing is allowed, as with free()
    auto found = blocks_.find(handle);
    if (found == blocks_.end()) {
        ++invalidCalls_;
        return;
    }
    blocks_.erase(found);
    ++disposed_;
}

HostHandleTable::Block* HostHandleTable::Find(ps::Handle handle) {
    auto found = blocks_.find(handle);
    if (found == blocks_.end()) {
        ++invalidCalls_;
        return nullptr;
    }
    return found->second.get();
}

int32_t HostHandleTable::Size(ps::Handle handle) {
    Block* block = Find(handle);
    return block != nullptr ? block->size : -1;
}

ps::OSErr HostHandleTable::SetSize(ps::Handle handle, int32_t size) {
    Block* block = Find(handle);
    if (block == nullptr || size < 0) return ps::paramErr;
    if (block->lockCount > 0) return kLockedHandleError;
    if (size > kMaxHandleSize) return ps::memFullErr;
    std::unique_ptr<char[]> data = NewBytes(size);
    if (!data) return ps::memFullErr;
    std::memcpy(data.get(), block->data.get(), static_cast<std::size_t>(std::min(size, block->size)));
    block->data = std::move(data);
    block->size = size;
    return ps::noErr;
}

ps::Ptr HostHandleTable::Lock(ps::Handle handle) {
    Block* block = Find(handle);
    if (block == nullptr) return nullptr;
    ++block->lockCount;
    return block->data.get();
}

void HostHandleTable::Unlock(ps::Handle handle) {
    Block* block = Find(handle);
    if (block == nullptr) return;
    if (block->lockCount > 0) --block->lockCount;
}

bool HostHandleTable::Read(ps::Handle handle, std::string& bytes) const {
    auto found = blocks_.find(handle);
    if (found == blocks_.end()) return false;
    bytes.assign(found->second->data.get(), static_cast<std::size_t>(found->second->size));
    return true;
}

ps::Handle HostHandleTable::NewWith(const void* bytes, std::size_t size) {
    if (size > static_cast<std::size_t>(kMaxHandleSize)) return nullptr;
    ps::Handle handle = New(static_cast<int32_t>(size));
    if (handle == nullptr) return nullptr;
    if (size > 0) std::memcpy(blocks_[handle]->data.get(), bytes, size);
    return handle;
}

HandleStats HostHandleTable::Stats() const {
    HandleStats stats;
    stats.allocated = allocated_;
    stats.disposed = disposed_;
    stats.live = static_cast<int64_t>(blocks_.size());
    for (const auto& entry : blocks_) {
        if (entry.second->lockCount > 0) ++stats.locked;
    }
    stats.invalidCalls = invalidCalls_;
    return stats;
}

void HostHandleTable::FillProcs(ps::HandleProcs& procs) {
    procs = ps::HandleProcs{};
    procs.handleProcsVersion = ps::kCurrentHandleProcsVersion;
    procs.numHandleProcs = ps::kCurrentHandleProcsCount;
    procs.newProc = NewHandleProc;
    procs.disposeProc = DisposeHandleProc;
    procs.getSizeProc = GetHandleSizeProc;
    procs.setSizeProc = SetHandleSizeProc;
    procs.lockProc = LockHandleProc;
    procs.unlockProc = UnlockHandleProc;
    procs.recoverSpaceProc = RecoverSpaceProc;
    procs.disposeRegularHandleProc = DisposeHandleProc;
}
