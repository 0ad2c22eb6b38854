// One background thread that runs a single job and leaves a 32-bit exit
// code, polled by its owner: the dialog's preview renderer. Creating and
// joining happen on one thread (the owner's); the job runs on the other.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class WorkerThread {
public:
    WorkerThread();
    // Waits for a job still running.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs `job` on a new thread. False (nothing runs) when a thread is
    // still there (running or not yet joined) or none can be made.
    bool Start(std::function<int32_t()> job);
    // True from Start until the job has returned.
    bool IsRunning() const;
    // True while a thread has been started and not yet joined.
    bool HasThread() const;
    // Waits for the job to return, frees the thread and gives its exit
    // code; 0 when there is no thread.
    int32_t Join();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
