#include "host/HostHandles.h"

#include <cstring>

#include "host/HostContext.h"

namespace {

const ps::HandleProcs* Procs() {
    const ps::FilterRecord* record = CurrentFilterRecord();
    return record == nullptr ? nullptr : record->handleProcs;
}

}  // namespace

ps::Handle NewHandle(int32_t size) {
    const ps::HandleProcs* procs = Procs();
    if (procs == nullptr || procs->newProc == nullptr || size < 0) return nullptr;
    return procs->newProc(size);
}

void DisposeHandle(ps::Handle handle) {
    const ps::HandleProcs* procs = Procs();
    if (handle == nullptr || procs == nullptr || procs->disposeProc == nullptr) return;
    procs->disposeProc(handle);
}

void* LockHandle(ps::Handle handle, bool moveHigh) {
    const ps::HandleProcs* procs = Procs();
    if (handle == nullptr || procs == nullptr || procs->lockProc == nullptr) return nullptr;
    return procs->lockProc(handle, moveHigh ? 1 : 0);
}

void UnlockHandle(ps::Handle handle) {
    const ps::HandleProcs* procs = Procs();
    if (handle == nullptr || procs == nullptr || procs->unlockProc == nullptr) return;
    procs->unlockProc(handle);
}

int32_t HandleSize(ps::Handle handle) {
    const ps::HandleProcs* procs = Procs();
    if (handle == nullptr || procs == nullptr || procs->getSizeProc == nullptr) return -1;
    return procs->getSizeProc(handle);
}

ResultCode NewTextHandle(const std::string& text, ps::Handle& handle) {
    handle = nullptr;
    if (text.empty()) return ResultCode::Failure();
    if (text.size() > static_cast<std::size_t>(INT32_MAX)) return ResultCode::OutOfMemory();
    const int32_t size = static_cast<int32_t>(text.size());
    ps::Handle created = NewHandle(size);
    if (created == nullptr) return ResultCode::OutOfMemory();
    void* data = LockHandle(created);
    if (data == nullptr) {
        DisposeHandle(created);
        return ResultCode::OutOfMemory();
    }
    std::memcpy(data, text.data(), text.size());
    UnlockHandle(created);
    handle = created;
    return ResultCode::Success();
}

ResultCode ReadTextHandle(ps::Handle handle, std::string& text) {
    const int32_t size = HandleSize(handle);
    if (size <= 0) return ResultCode::Failure();
    const void* data = LockHandle(handle);
    if (data == nullptr) return ResultCode::Failure();
    // Some hosts count a terminating zero in the handle's size.
    const char* characters = static_cast<const char*>(data);
    const void* zero = std::memchr(characters, 0, static_cast<std::size_t>(size));
    const std::size_t length = zero == nullptr ? static_cast<std::size_t>(size)
                                               : static_cast<std::size_t>(static_cast<const char*>(zero) - characters);
    std::string copy(characters, length);
    UnlockHandle(handle);
    if (copy.empty()) return ResultCode::Failure();
    text = std::move(copy);
    return ResultCode::Success();
}
