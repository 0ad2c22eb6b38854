#include "platform/Threads.h"

#include <gtest/gtest.h>

#include <thread>

TEST(Threads, EachThreadKeepsItsOwnId) {
    const ThreadId mine = CurrentThreadId();
    EXPECT_NE(mine, kNoThread);
    EXPECT_EQ(CurrentThreadId(), mine);

    ThreadId first = kNoThread;
    ThreadId again = kNoThread;
    std::thread worker([&] {
        first = CurrentThreadId();
        again = CurrentThreadId();
    });
    worker.join();
    EXPECT_NE(first, kNoThread);
    EXPECT_NE(first, mine);
    EXPECT_EQ(again, first);

    // A later thread does not get the finished thread's id back.
    ThreadId later = kNoThread;
    std::thread([&] { later = CurrentThreadId(); }).join();
    EXPECT_NE(later, first);
    EXPECT_NE(later, mine);
}
