// A std::thread whose job stores its exit code and then clears the running
// flag, so that the owner can poll without blocking.
#include <atomic>
#include <system_error>
#include <thread>

#include "platform/WorkerThread.h"

struct WorkerThread::Impl {
    std::thread thread;
    std::atomic<bool> running{false};
    int32_t exitCode = 0;
};

WorkerThread::WorkerThread() : impl_(std::make_unique<Impl>()) {}

WorkerThread::~WorkerThread() { Join(); }

bool WorkerThread::Start(std::function<int32_t()> job) {
    if (impl_->thread.joinable()) return false;
    impl_->running = true;
    try {
        impl_->thread = std::thread([impl = impl_.get(), job = std::move(job)] {
            impl->exitCode = job();
            impl->running = false;
        });
    } catch (const std::system_error&) {
        impl_->running = false;
        return false;
    }
    return true;
}

bool WorkerThread::IsRunning() const { return impl_->running; }

bool WorkerThread::HasThread() const { return impl_->thread.joinable(); }

int32_t WorkerThread::Join() {
    if (!impl_->thread.joinable()) return 0;
    impl_->thread.join();
    return impl_->exitCode;
}
