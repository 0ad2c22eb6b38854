#include "host/ParametersHandle.h"

#include <cstring>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "host/HostHandles.h"

namespace {

constexpr int32_t kBlockSize = static_cast<int32_t>(ParameterBlock::kSize);

// A handle that cannot hold a whole block; hosts that cannot tell its size
// (-1) are trusted.
bool TooSmall(ps::Handle handle) {
    const int32_t size = HandleSize(handle);
    return size >= 0 && size < kBlockSize;
}

ParameterBlock* LockBlock(ps::Handle handle) { return static_cast<ParameterBlock*>(LockHandle(handle)); }

}  // namespace

LockedParameters::LockedParameters(ps::FilterRecord& record, const Filter& filter) : record_(record) {
    if (record_.parameters != nullptr && !TooSmall(record_.parameters)) {
        block_ = LockBlock(record_.parameters);
        if (block_ == nullptr) status_ = ResultCode::Failure();
        return;
    }
    ps::Handle created = NewHandle(kBlockSize);
    if (created == nullptr) {
        status_ = ResultCode::OutOfMemory();
        return;
    }
    block_ = LockBlock(created);
    if (block_ == nullptr) {
        DisposeHandle(created);
        status_ = ResultCode::Failure();
        return;
    }
    // A handle too small for a block was left by something else; it is
    // replaced rather than overrun.
    DisposeHandle(record_.parameters);
    record_.parameters = created;
    // The effect writes its own record only; the rest of the block is kept
    // zero so that stored blocks do not carry stray host memory.
    std::memset(static_cast<void*>(block_), 0, ParameterBlock::kSize);
    filter.WriteDefaults(*block_);
    freshDefaults_ = true;
}

void LockedParameters::DefaultsUnlessOwnKind(const Filter& filter) {
    if (block_ == nullptr || block_->kind == filter.kind) return;
    filter.WriteDefaults(*block_);
    freshDefaults_ = true;
}

void LockedParameters::Unlock() {
    if (block_ == nullptr) return;
    UnlockHandle(record_.parameters);
    block_ = nullptr;
}

LockedExistingParameters::LockedExistingParameters(ps::FilterRecord& record) : record_(record) {
    if (record_.parameters == nullptr || TooSmall(record_.parameters)) return;
    block_ = LockBlock(record_.parameters);
}

LockedExistingParameters::~LockedExistingParameters() {
    if (block_ != nullptr) UnlockHandle(record_.parameters);
}
