#pragma once
// A short busy wait before a thread blocks.
//
// Waking a thread that sleeps on another processor can take tens of
// microseconds (on virtual machines in particular), far longer than a
// hand-over, a lock held for a few system calls, or an answer that is
// already on its way. A waiter that expects its turn within about that time
// looks for it for a little while first.
#include <chrono>
#include <thread>

// How long a waiter that expects an answer soon looks before it blocks.
inline constexpr std::chrono::microseconds SpinWaitLimit{100};

// True as soon as Ready() returns true, false when it has not within Limit.
// On a machine with a single processor it asks once: spinning there only
// delays the thread it waits for.
template <class Predicate>
bool SpinWait(Predicate Ready, std::chrono::microseconds Limit = SpinWaitLimit)
{
    static const bool multiprocessor = std::thread::hardware_concurrency() > 1;
    if (Ready())
        return true;
    if (!multiprocessor)
        return false;
    const auto end = std::chrono::steady_clock::now() + Limit;
    for (;;) {
        // Yield rather than only pause: the thread this one just woke is
        // often put on this processor and must not wait for the spin.
        std::this_thread::yield();
        if (Ready())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
    }
}
