// A plain mutual-exclusion lock. The platform layer has its own because the
// Windows toolchain's default thread model has no std::mutex. Meets the
// Lockable requirements, so std::lock_guard<Mutex> works.
#pragma once

#include <memory>

class Mutex {
public:
    Mutex();  // may throw std::bad_alloc
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void lock();
    bool try_lock();
    void unlock();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
