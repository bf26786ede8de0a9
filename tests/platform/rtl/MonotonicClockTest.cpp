#include "rtl/MonotonicClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(MonotonicClock, AdvancesWithTimeAndNeverGoesBack)
{
    const std::uint64_t A = GetTickCount64();
    const double SA = MonotonicClock::Seconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::uint64_t B = MonotonicClock::Milliseconds();
    const double SB = MonotonicClock::Seconds();
    // At least the time slept has passed (no upper bound: the machine may be busy).
    EXPECT_GE(B - A, 30u);
    EXPECT_GE(SB - SA, 0.030);
    std::uint64_t Last = B;
    for (int I = 0; I < 10000; ++I) {
        const std::uint64_t Now = GetTickCount64();
        ASSERT_GE(Now, Last);
        Last = Now;
    }
}
