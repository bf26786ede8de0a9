#pragma once
// A clock that never jumps with the wall clock: for intervals and timeouts.
#include <cstdint>

// Milliseconds since an arbitrary fixed point (like GetTickCount64).
std::uint64_t GetTickCount64();

class MonotonicClock {
public:
    static std::uint64_t Milliseconds();
    static double Seconds();
};
