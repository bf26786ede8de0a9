#include "rtl/Event.h"

#include <chrono>

TEvent::TEvent(bool ManualReset, bool InitialState) : FManualReset(ManualReset), FSignaled(InitialState) {}

TEvent::TEvent(void*, bool ManualReset, bool InitialState, const std::string& Name)
    : FManualReset(ManualReset),
      FSignaled(InitialState),
      FName(Name)
{
}

void TEvent::SetEvent()
{
    // Notify under the lock: a released waiter may free the event at once.
    // Auto-reset waiters re-check the state, so only one of them wins.
    std::lock_guard lock(FMutex);
    FSignaled = true;
    FCond.notify_all();
}

void TEvent::ResetEvent()
{
    std::lock_guard lock(FMutex);
    FSignaled = false;
}

TWaitResult TEvent::WaitFor(std::uint32_t Timeout)
{
    std::unique_lock lock(FMutex);
    auto signaled = [this] { return FSignaled; };
    if (Timeout == INFINITE) {
        FCond.wait(lock, signaled);
    } else {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Timeout);
        if (!FCond.wait_until(lock, deadline, signaled))
            return wrTimeout;
    }
    if (!FManualReset)
        FSignaled = false;
    return wrSignaled;
}
