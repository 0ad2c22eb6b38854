#include "platform/Mutex.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

TEST(Mutex, HeldLockKeepsOtherThreadsOut) {
    Mutex mutex;
    bool gotWhileHeld = true;
    bool gotAfterRelease = false;
    {
        std::lock_guard<Mutex> hold(mutex);
        std::thread([&] { gotWhileHeld = mutex.try_lock(); }).join();
    }
    std::thread([&] {
        gotAfterRelease = mutex.try_lock();
        if (gotAfterRelease) mutex.unlock();
    }).join();
    EXPECT_FALSE(gotWhileHeld);
    EXPECT_TRUE(gotAfterRelease);
}

TEST(Mutex, CountsStayExactUnderContention) {
    Mutex mutex;
    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 100000; ++i) {
            std::lock_guard<Mutex> hold(mutex);
            ++counter;
        }
    };
    std::thread a(work);
    std::thread b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter, 200000);
}
