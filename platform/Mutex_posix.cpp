#include "platform/Mutex.h"

#include <mutex>

struct Mutex::Impl {
    std::mutex mutex;
};

Mutex::Mutex() : impl_(std::make_unique<Impl>()) {}
Mutex::~Mutex() = default;

void Mutex::lock() { impl_->mutex.lock(); }
bool Mutex::try_lock() { return impl_->mutex.try_lock(); }
void Mutex::unlock() { impl_->mutex.unlock(); }
