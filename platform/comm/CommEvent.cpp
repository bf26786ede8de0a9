#include "comm/CommEvent.h"

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

std::condition_variable& EventCondition()
{
    static auto* condition = new std::condition_variable;
    return *condition;
}

}  // namespace

CommEvent::CommEvent(bool ManualReset, bool InitialState)
    : FManualReset(ManualReset), FSignaled(InitialState)
{
}

void CommEvent::Set()
{
    {
        std::lock_guard lock(EventMutex());
        FSignaled = true;
    }
    EventCondition().notify_all();
}

void CommEvent::Reset()
{
    std::lock_guard lock(EventMutex());
    FSignaled = false;
}

int CommEvent::WaitAny(const std::vector<std::shared_ptr<CommEvent>>& Events, bool Infinite,
                       std::chrono::milliseconds Timeout)
{
    auto deadline = std::chrono::steady_clock::now() + Timeout;
    std::unique_lock lock(EventMutex());
    for (;;) {
        for (size_t i = 0; i < Events.size(); ++i) {
            if (Events[i]->FSignaled) {
                if (!Events[i]->FManualReset)
                    Events[i]->FSignaled = false;
                return static_cast<int>(i);
            }
        }
        if (Infinite)
            EventCondition().wait(lock);
        else if (EventCondition().wait_until(lock, deadline) == std::cv_status::timeout &&
                 std::chrono::steady_clock::now() >= deadline) {
            // One last look: a Set may have raced with the time-out.
            for (size_t i = 0; i < Events.size(); ++i)
                if (Events[i]->FSignaled) {
                    if (!Events[i]->FManualReset)
                        Events[i]->FSignaled = false;
                    return static_cast<int>(i);
                }
            return -1;
        }
    }
}

}  // namespace comm
