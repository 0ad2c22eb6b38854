#include "image/Parallel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <thread>
#include <vector>

namespace {

// Restores the default thread count when a test ends.
class ParallelTest : public ::testing::Test {
protected:
    void TearDown() override { SetParallelThreads(0); }
};

class RecordingSink : public ProgressUpdateSink {
public:
    void Update(double fraction) override {
        values.push_back(fraction);
        if (std::this_thread::get_id() != caller) otherThread = true;
    }
    std::vector<double> values;
    std::thread::id caller = std::this_thread::get_id();
    bool otherThread = false;
};

class AbortAfter : public Abort_Tester {
public:
    explicit AbortAfter(int calls) : left_(calls) {}
    bool IsAborted() override {
        if (std::this_thread::get_id() != caller) otherThread = true;
        return --left_ < 0;
    }
    std::thread::id caller = std::this_thread::get_id();
    bool otherThread = false;

private:
    int left_;
};

TEST_F(ParallelTest, EveryIndexOnceInTheSameChunksForAnyThreadCount) {
    for (int32_t threads : {1, 2, 7}) {
        SetParallelThreads(threads);
        ASSERT_EQ(ParallelThreads(), threads);
        std::vector<std::atomic<int>> visits(1000);
        std::vector<std::atomic<int64_t>> chunkEnds(1000);
        const ResultCode result = ParallelChunks(1000, 64, [&](int64_t begin, int64_t end) {
            chunkEnds[static_cast<size_t>(begin)] = end;
            for (int64_t i = begin; i < end; ++i) ++visits[static_cast<size_t>(i)];
        });
        EXPECT_TRUE(result.IsSuccess());
        for (const auto& v : visits) ASSERT_EQ(v.load(), 1) << threads;
        for (int64_t begin = 0; begin < 1000; begin += 64)
            EXPECT_EQ(chunkEnds[static_cast<size_t>(begin)].load(), std::min<int64_t>(begin + 64, 1000));
    }
}

TEST_F(ParallelTest, ProgressRisesToTheEndOnTheCallingThreadOnly) {
    SetParallelThreads(4);
    RecordingSink sink;
    ASSERT_TRUE(ParallelChunks(
                    40, 1, [](int64_t, int64_t) { std::this_thread::yield(); }, nullptr, &sink, 0.2, 0.6)
                    .IsSuccess());
    ASSERT_FALSE(sink.values.empty());
    EXPECT_FALSE(sink.otherThread);
    EXPECT_TRUE(std::is_sorted(sink.values.begin(), sink.values.end()));
    EXPECT_GT(sink.values.front(), 0.2);
    EXPECT_DOUBLE_EQ(sink.values.back(), 0.6);
}

TEST_F(ParallelTest, AbortSkipsTheChunksNotBegunAndIsAskedOnTheCallingThread) {
    for (int32_t threads : {1, 3}) {
        SetParallelThreads(threads);
        AbortAfter abort(2);
        std::atomic<int> run{0};
        // The workers' chunks are slow, the caller's quick: the caller reaches
        // its third question long before the workers could finish the loop,
        // whatever the system's sleep granularity.
        const std::thread::id caller = std::this_thread::get_id();
        const ResultCode result = ParallelChunks(
            10000, 1,
            [&](int64_t, int64_t) {
                ++run;
                if (std::this_thread::get_id() != caller) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            },
            &abort);
        EXPECT_EQ(result.status, ResultCode::kCancelled);
        EXPECT_LT(run.load(), 10000);
        EXPECT_FALSE(abort.otherThread);
    }
}

TEST_F(ParallelTest, OutOfMemoryInABodyEndsTheLoopWithItsCode) {
    for (int32_t threads : {1, 2}) {
        SetParallelThreads(threads);
        const ResultCode result = ParallelChunks(100, 1, [](int64_t begin, int64_t) {
            if (begin == 17) throw std::bad_alloc();
        });
        EXPECT_EQ(result.status, ResultCode::kOutOfMemory);
    }
}

TEST_F(ParallelTest, NestedLoopsAndLoopsFromSeveralThreadsAllFinish) {
    SetParallelThreads(3);
    std::atomic<int64_t> total{0};
    auto nested = [&] {
        return ParallelChunks(8, 1, [&](int64_t, int64_t) {
            ParallelChunks(100, 7, [&](int64_t begin, int64_t end) { total += end - begin; });
        });
    };
    std::thread other([&] { nested(); });
    EXPECT_TRUE(nested().IsSuccess());
    other.join();
    EXPECT_EQ(total.load(), 2 * 8 * 100);
    StopParallelWorkers();
    // Workers start again for the next loop.
    EXPECT_TRUE(nested().IsSuccess());
    EXPECT_EQ(total.load(), 3 * 8 * 100);
}

TEST_F(ParallelTest, ThreadCountsAndChunkSizes) {
    SetParallelThreads(1000);
    EXPECT_EQ(ParallelThreads(), kMostParallelThreads);
    SetParallelThreads(0);
    EXPECT_GE(ParallelThreads(), 1);
    EXPECT_EQ(ChunkForWork(1000, 10, 100), 10);
    EXPECT_EQ(ChunkForWork(1000, 1000, 100), 1);
    EXPECT_EQ(ChunkForWork(5, 1, 100), 5);
    EXPECT_TRUE(ParallelChunks(0, 1, [](int64_t, int64_t) { FAIL(); }).IsSuccess());
}

}  // namespace
