// A Win32 thread: the exit code is the thread's own, read once the thread
// has ended (GetExitCodeThread no longer reports STILL_ACTIVE).
#include <new>

#include "platform/WinApi.h"
#include "platform/WorkerThread.h"

struct WorkerThread::Impl {
    HANDLE thread = nullptr;
    std::function<int32_t()> job;

    static DWORD WINAPI Run(void* argument) {
        auto* impl = static_cast<Impl*>(argument);
        return static_cast<DWORD>(impl->job());
    }
};

WorkerThread::WorkerThread() : impl_(std::make_unique<Impl>()) {}

WorkerThread::~WorkerThread() { Join(); }

bool WorkerThread::Start(std::function<int32_t()> job) {
    if (impl_->thread != nullptr) return false;
    impl_->job = std::move(job);
    impl_->thread = CreateThread(nullptr, 0, Impl::Run, impl_.get(), 0, nullptr);
    return impl_->thread != nullptr;
}

bool WorkerThread::IsRunning() const {
    if (impl_->thread == nullptr) return false;
    return WaitForSingleObject(impl_->thread, 0) == WAIT_TIMEOUT;
}

bool WorkerThread::HasThread() const { return impl_->thread != nullptr; }

int32_t WorkerThread::Join() {
    if (impl_->thread == nullptr) return 0;
    WaitForSingleObject(impl_->thread, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(impl_->thread, &code);
    CloseHandle(impl_->thread);
    impl_->thread = nullptr;
    impl_->job = nullptr;
    return static_cast<int32_t>(code);
}
