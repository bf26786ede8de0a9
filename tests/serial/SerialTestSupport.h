#pragma once
// Helpers for serial tests: the test's main thread serves the hand-over
// queue while it waits for something to happen.
#include <chrono>

#include "rtl/Thread.h"

// Serves hand-overs until Done() holds or TimeoutMs passed; returns Done().
template <class Pred> bool PumpUntil(Pred Done, int TimeoutMs = 10000)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (!Done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return Done();
        CheckSynchronize(20);
    }
    return true;
}
