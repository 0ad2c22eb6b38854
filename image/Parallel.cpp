#include "image/Parallel.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <exception>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace {

// One loop: its chunks are claimed in order through `next` by the caller and
// by at most `helpersWanted` workers.
struct Loop {
    const std::function<void(int64_t, int64_t)>* body = nullptr;
    int64_t count = 0;
    int64_t chunk = 1;
    int64_t chunks = 0;
    int32_t helpersWanted = 0;

    std::atomic<int64_t> next{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> outOfMemory{false};

    // Guarded by `mutex`: chunks finished, workers still inside the loop.
    std::mutex mutex;
    std::condition_variable changed;
    int64_t finished = 0;
    int32_t helpers = 0;

    // Claims and runs chunks until none is left or the loop is stopped;
    // false when there was nothing to claim.
    bool RunOneChunk() {
        if (stop.load(std::memory_order_relaxed)) return false;
        const int64_t index = next.fetch_add(1);
        if (index >= chunks) return false;
        const int64_t begin = index * chunk;
        const int64_t end = std::min(count, begin + chunk);
        try {
            (*body)(begin, end);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
            stop = true;
        }
        // Notified under the lock: the caller may end the loop as soon as it
        // can take the lock after the last chunk.
        std::lock_guard<std::mutex> lock(mutex);
        ++finished;
        changed.notify_all();
        return true;
    }
};

class WorkerPool {
public:
    ~WorkerPool() { Stop(); }

    void Run(Loop& loop, int32_t threads) {
        loop.helpersWanted = threads - 1;
        if (loop.helpersWanted > 0 && loop.chunks > 1) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_) return;
            while (static_cast<int32_t>(workers_.size()) < std::min<int64_t>(loop.helpersWanted, loop.chunks - 1)) {
                // Without another thread the caller does the work alone.
                try {
                    workers_.emplace_back([this] { Work(); });
                } catch (const std::exception&) {
                    break;
                }
            }
            loops_.push_back(&loop);
            wake_.notify_all();
        }
    }

    // Takes the loop off the queue; afterwards no worker joins it.
    void Withdraw(Loop& loop) {
        std::lock_guard<std::mutex> lock(mutex_);
        loops_.erase(std::remove(loops_.begin(), loops_.end(), &loop), loops_.end());
    }

    void Stop() {
        std::vector<std::thread> ending;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
            ending.swap(workers_);
            wake_.notify_all();
        }
        for (std::thread& worker : ending) worker.join();
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = false;
    }

private:
    void Work() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !loops_.empty(); });
            if (stopping_) return;
            Loop* loop = loops_.front();
            // A loop that has all the helpers it wants leaves the queue.
            {
                std::lock_guard<std::mutex> loopLock(loop->mutex);
                ++loop->helpers;
                if (loop->helpers >= loop->helpersWanted) loops_.pop_front();
            }
            lock.unlock();
            while (loop->RunOneChunk()) {}
            // Out of chunks: nobody else picks it up. The loop lives on
            // until this worker has left it.
            lock.lock();
            loops_.erase(std::remove(loops_.begin(), loops_.end(), loop), loops_.end());
            std::lock_guard<std::mutex> loopLock(loop->mutex);
            --loop->helpers;
            loop->changed.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::thread> workers_;
    std::deque<Loop*> loops_;
    bool stopping_ = false;
};

WorkerPool& Pool() {
    static WorkerPool pool;
    return pool;
}

std::atomic<int32_t> chosenThreads{0};

int32_t DefaultThreads() {
    if (const char* text = std::getenv("DAPPLE_THREADS")) {
        char* end = nullptr;
        const long value = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && value >= 1 && value <= kMostParallelThreads)
            return static_cast<int32_t>(value);
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int32_t>(std::clamp<unsigned>(cores, 1, kMostParallelThreads));
}

}  // namespace

int32_t ParallelThreads() {
    const int32_t chosen = chosenThreads.load();
    if (chosen > 0) return chosen;
    static const int32_t byDefault = DefaultThreads();
    return byDefault;
}

void SetParallelThreads(int32_t count) { chosenThreads = std::clamp(count, 0, kMostParallelThreads); }

void StopParallelWorkers() { Pool().Stop(); }

int64_t ChunkForWork(int64_t count, int64_t itemCost, int64_t work) {
    const int64_t chunk = work / std::max<int64_t>(itemCost, 1);
    return std::clamp<int64_t>(chunk, 1, std::max<int64_t>(count, 1));
}

ResultCode ParallelChunks(int64_t count, int64_t chunk, const std::function<void(int64_t, int64_t)>& body,
                          Abort_Tester* abort, ProgressUpdateSink* sink, double from, double to) {
    if (count <= 0) return ResultCode::Success();
    Loop loop;
    loop.body = &body;
    loop.count = count;
    loop.chunk = std::max<int64_t>(chunk, 1);
    loop.chunks = CeilDiv(count, loop.chunk);
    auto report = [&](int64_t finished) {
        if (sink != nullptr) sink->Update(from + (to - from) * static_cast<double>(finished) / loop.chunks);
    };
    auto aborted = [&] {
        if (abort == nullptr || !abort->IsAborted()) return false;
        loop.stop = true;
        return true;
    };

    WorkerPool& pool = Pool();
    pool.Run(loop, ParallelThreads());
    int64_t reported = 0;
    bool cancelled = aborted();
    while (!cancelled && loop.RunOneChunk()) {
        std::unique_lock<std::mutex> lock(loop.mutex);
        const int64_t finished = loop.finished;
        lock.unlock();
        if (finished > reported) report(reported = finished);
        cancelled = aborted();
    }
    pool.Withdraw(loop);
    // Wait for the workers' chunks, reporting as they finish.
    std::unique_lock<std::mutex> lock(loop.mutex);
    for (;;) {
        const int64_t claimed = std::min(loop.next.load(), loop.chunks);
        const bool allDone = loop.finished >= claimed && loop.helpers == 0;
        if (loop.finished > reported) {
            const int64_t finished = loop.finished;
            lock.unlock();
            report(reported = finished);
            if (!cancelled) cancelled = aborted();
            lock.lock();
            continue;
        }
        if (allDone) break;
        loop.changed.wait(lock);
    }
    lock.unlock();
    if (loop.outOfMemory) return ResultCode::OutOfMemory();
    if (cancelled) return ResultCode::Cancelled();
    return ResultCode::Success();
}

ResultCode ParallelRows(const Rect& area, const std::function<void(int32_t, int32_t)>& rows, Abort_Tester* abort,
                        ProgressUpdateSink* sink, double from, double to) {
    if (area.IsEmpty()) return ResultCode::Success();
    const int64_t chunk = ChunkForWork(area.Height(), area.Width(), kParallelRowPixels);
    return ParallelChunks(
        area.Height(), chunk,
        [&](int64_t begin, int64_t end) {
            rows(area.top + static_cast<int32_t>(begin), area.top + static_cast<int32_t>(end));
        },
        abort, sink, from, to);
}
