#pragma once
// A lock for short critical sections that several threads take in bursts
// (a serial device's state, event flags, the hand-over queue).
//
// A thread that finds it held tries again for a few microseconds before it
// sleeps: the holder is about to let go, and a thread that went to sleep
// may take tens of microseconds to be woken. Use it with
// std::condition_variable_any.
#include <chrono>
#include <mutex>

#include "rtl/SpinWait.h"

class TAdaptiveMutex {
public:
    void lock()
    {
        if (!SpinWait([this] { return FMutex.try_lock(); }, SpinLimit))
            FMutex.lock();
    }
    bool try_lock() { return FMutex.try_lock(); }
    void unlock() { FMutex.unlock(); }

private:
    static constexpr std::chrono::microseconds SpinLimit{20};
    std::mutex FMutex;
};
