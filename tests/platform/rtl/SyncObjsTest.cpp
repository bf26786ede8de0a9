#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "rtl/CriticalSection.h"
#include "rtl/CriticalSectionLock.h"
#include "rtl/Event.h"
#include "rtl/SimpleEvent.h"

TEST(Event, AutoResetReleasesOnceThenClears)
{
    TEvent event(false, false);
    EXPECT_EQ(event.WaitFor(0), wrTimeout);
    event.SetEvent();
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    EXPECT_EQ(event.WaitFor(0), wrTimeout);
    event.SetEvent();
    event.ResetEvent();
    EXPECT_EQ(event.WaitFor(20), wrTimeout);
}

TEST(Event, ManualResetStaysSignalledUntilReset)
{
    TEvent event(true, true);
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    event.ResetEvent();
    EXPECT_EQ(event.WaitFor(20), wrTimeout);
    event.SetEvent();
    EXPECT_EQ(event.WaitFor(INFINITE), wrSignaled);
}

TEST(Event, SimpleEventIsManualAndStartsClear)
{
    TSimpleEvent event;
    EXPECT_TRUE(event.ManualReset());
    EXPECT_EQ(event.WaitFor(0), wrTimeout);
}

TEST(Event, SystemFormKeepsFlagsAndName)
{
    TEvent event(nullptr, false, true, "COM3 Event");
    EXPECT_EQ(event.Name(), "COM3 Event");
    EXPECT_FALSE(event.ManualReset());
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    EXPECT_EQ(event.WaitFor(0), wrTimeout);
}

TEST(Event, SetFromAnotherThreadWakesInfiniteWait)
{
    TEvent event(false, false);
    std::thread setter([&] { event.SetEvent(); });
    EXPECT_EQ(event.WaitFor(INFINITE), wrSignaled);
    setter.join();
}

TEST(Event, AutoResetWakesOneWaiterPerSignal)
{
    TEvent gate(false, false);
    TEvent woke(false, false);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 2; ++i)
        waiters.emplace_back([&] {
            if (gate.WaitFor(INFINITE) == wrSignaled) {
                ++released;
                woke.SetEvent();
            }
        });
    gate.SetEvent();
    ASSERT_EQ(woke.WaitFor(30000), wrSignaled);
    // A second waiter released by the same signal would show up here.
    EXPECT_EQ(woke.WaitFor(200), wrTimeout);
    EXPECT_EQ(released.load(), 1);
    gate.SetEvent();
    ASSERT_EQ(woke.WaitFor(30000), wrSignaled);
    for (auto& t : waiters)
        t.join();
    EXPECT_EQ(released.load(), 2);
}

TEST(CriticalSection, OwnerMayEnterAgainOthersMayNot)
{
    TCriticalSection section;
    section.Enter();
    section.Acquire();
    bool otherGot = true;
    std::thread([&] { otherGot = section.TryEnter(); }).join();
    EXPECT_FALSE(otherGot);
    section.Leave();
    std::thread([&] { otherGot = section.TryEnter(); }).join();
    EXPECT_FALSE(otherGot) << "still held once";
    section.Release();
    std::thread([&] {
        otherGot = section.TryEnter();
        if (otherGot)
            section.Leave();
    }).join();
    EXPECT_TRUE(otherGot);
}

TEST(CriticalSection, GuardSerialisesUpdates)
{
    TCriticalSection section;
    long counter = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                TCriticalSectionLock lock(section);
                counter = counter + 1;
            }
        });
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(counter, 80000);
}
