#include "host/HostBuffers.h"

#include "host/HostContext.h"

bool HasBufferServices() {
    if (!OnHostThread()) return false;
    BufferAccess access;
    return access.Callbacks() != nullptr;
}

ResultCode AllocateBuffer(int32_t size, ps::BufferID& buffer) {
    buffer = nullptr;
    if (!OnHostThread() || size < 0) return ResultCode::Failure();
    BufferAccess access;
    if (access.Callbacks() == nullptr) return ResultCode::Failure();
    ps::BufferID created = nullptr;
    const ps::OSErr error = access.Callbacks()->allocate(size, &created);
    if (error != ps::noErr) return ResultCode(error);
    if (created == nullptr) return ResultCode::OutOfMemory();
    buffer = created;
    return ResultCode::Success();
}

void* LockBuffer(ps::BufferID buffer) {
    if (!OnHostThread() || buffer == nullptr) return nullptr;
    BufferAccess access;
    if (access.Callbacks() == nullptr) return nullptr;
    return access.Callbacks()->lock(buffer, 1);
}

void UnlockBuffer(ps::BufferID buffer) {
    if (!OnHostThread() || buffer == nullptr) return;
    BufferAccess access;
    if (access.Callbacks() != nullptr) access.Callbacks()->unlock(buffer);
}

void FreeBuffer(ps::BufferID buffer) {
    if (!OnHostThread() || buffer == nullptr) return;
    BufferAccess access;
    if (access.Callbacks() != nullptr) access.Callbacks()->free(buffer);
}

int32_t BufferSpace() {
    if (!OnHostThread()) return -1;
    BufferAccess access;
    if (access.Callbacks() == nullptr) return -1;
    return access.Callbacks()->space();
}
