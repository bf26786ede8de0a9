#include "comm/CommEvent.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace comm {

namespace {

// Never destroyed: a port's event thread that was freed from inside its
// own handler may still set an event while the process is ending, after
// static objects would have been destroyed.
std::mutex& EventMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

}  // namespace

CommEvent::CommEvent(bool ManualReset, bool InitialState) : FManualReset(ManualReset), FSignaled(InitialState) {}

void CommEvent::Set()
{
    std::lock_guard lock(EventMutex());
    FSignaled = true;
    // Only the threads waiting on this event wake: a completed write must
    // not wake the event thread waiting for comm events, nor the other way
    // round. Notified under the lock, so a waiter that leaves has
    // unregistered its condition first.
    for (std::condition_variable* waiter : FWaiters)
        waiter->notify_one();
}

void CommEvent::Reset()
{
    std::lock_guard lock(EventMutex());
    FSignaled = false;
}

int CommEvent::TakeSignalled(const std::vector<std::shared_ptr<CommEvent>>& Events)
{
    for (size_t i = 0; i < Events.size(); ++i) {
        if (Events[i]->FSignaled) {
            if (!Events[i]->FManualReset)
                Events[i]->FSignaled = false;
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CommEvent::WaitAny(const std::vector<std::shared_ptr<CommEvent>>& Events, bool Infinite,
                       std::chrono::milliseconds Timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + Timeout;
    std::unique_lock lock(EventMutex());
    int index = TakeSignalled(Events);
    if (index >= 0 || (!Infinite && Timeout <= std::chrono::milliseconds::zero()))
        return index;
    std::condition_variable wake;
    for (const auto& event : Events)
        event->FWaiters.push_back(&wake);
    for (;;) {
        index = TakeSignalled(Events);
        if (index >= 0)
            break;
        if (Infinite) {
            wake.wait(lock);
        } else if (wake.wait_until(lock, deadline) == std::cv_status::timeout) {
            // One last look: a Set may have raced with the time-out.
            index = TakeSignalled(Events);
            break;
        }
    }
    for (const auto& event : Events) {
        auto& waiters = event->FWaiters;
        waiters.erase(std::find(waiters.begin(), waiters.end(), &wake));
    }
    return index;
}

}  // namespace comm
