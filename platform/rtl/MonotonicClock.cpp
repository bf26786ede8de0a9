#include "rtl/MonotonicClock.h"

#include <ctime>

std::uint64_t GetTickCount64()
{
    return MonotonicClock::Milliseconds();
}

std::uint64_t MonotonicClock::Milliseconds()
{
    timespec Ts{};
    clock_gettime(CLOCK_MONOTONIC, &Ts);
    return std::uint64_t(Ts.tv_sec) * 1000u + std::uint64_t(Ts.tv_nsec) / 1000000u;
}

double MonotonicClock::Seconds()
{
    timespec Ts{};
    clock_gettime(CLOCK_MONOTONIC, &Ts);
    return double(Ts.tv_sec) + double(Ts.tv_nsec) / 1e9;
}
