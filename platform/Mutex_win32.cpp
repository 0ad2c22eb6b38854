#include "platform/Mutex.h"

#include "platform/WinApi.h"

struct Mutex::Impl {
    SRWLOCK lock = SRWLOCK_INIT;
};

Mutex::Mutex() : impl_(std::make_unique<Impl>()) {}
Mutex::~Mutex() = default;

void Mutex::lock() { AcquireSRWLockExclusive(&impl_->lock); }
bool Mutex::try_lock() { return TryAcquireSRWLockExclusive(&impl_->lock) != 0; }
void Mutex::unlock() { ReleaseSRWLockExclusive(&impl_->lock); }
