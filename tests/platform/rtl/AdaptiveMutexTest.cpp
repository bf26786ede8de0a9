#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "rtl/AdaptiveMutex.h"
#include "rtl/SpinWait.h"

TEST(AdaptiveMutex, SerialisesUpdatesFromManyThreads)
{
    TAdaptiveMutex mutex;
    long counter = 0;  // deliberately not atomic: only the lock protects it
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 50000; ++i) {
                std::lock_guard lock(mutex);
                ++counter;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(counter, 200000);
}

TEST(AdaptiveMutex, TryLockFailsWhileAnotherThreadHoldsIt)
{
    TAdaptiveMutex mutex;
    mutex.lock();
    bool got = true;
    std::thread other([&] { got = mutex.try_lock(); });
    other.join();
    EXPECT_FALSE(got);
    mutex.unlock();
    std::thread again([&] {
        got = mutex.try_lock();
        if (got)
            mutex.unlock();
    });
    again.join();
    EXPECT_TRUE(got);
}

TEST(AdaptiveMutex, WaitsWithAConditionLongerThanItSpins)
{
    TAdaptiveMutex mutex;
    std::condition_variable_any cond;
    int stage = 0;
    std::thread other([&] {
        std::unique_lock lock(mutex);
        cond.wait(lock, [&] { return stage == 1; });
        stage = 2;
        cond.notify_all();
    });
    // Well past any spin, so the other thread is asleep on the condition.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    {
        std::lock_guard lock(mutex);
        stage = 1;
    }
    cond.notify_all();
    {
        std::unique_lock lock(mutex);
        cond.wait(lock, [&] { return stage == 2; });
    }
    other.join();
    EXPECT_EQ(stage, 2);
}

TEST(SpinWait, ReportsWhetherTheConditionCameTrue)
{
    EXPECT_TRUE(SpinWait([] { return true; }));
    int asked = 0;
    EXPECT_FALSE(SpinWait([&] { return ++asked < 0; }, std::chrono::microseconds(200)));
    EXPECT_GE(asked, 2);

    std::atomic<bool> flag{false};
    std::thread setter([&] { flag = true; });
    // Long enough that only a spin that never looks again could miss it.
    const bool seen = SpinWait([&] { return flag.load(); }, std::chrono::seconds(30));
    setter.join();
    EXPECT_TRUE(seen);
}
