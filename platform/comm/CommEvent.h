#pragma once
// Event objects of the comm layer. All events share one lock, so a thread
// can wait for several at once; each event wakes only the threads waiting
// on it.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <vector>

#include "comm/HandleTable.h"

namespace comm {

class CommEvent : public HandleObject {
public:
    CommEvent(bool ManualReset, bool InitialState);

    void Set();
    void Reset();

    // Index of the first signalled event, -1 on time-out. A zero or
    // negative Timeout with Infinite false checks once.
    static int WaitAny(const std::vector<std::shared_ptr<CommEvent>>& Events, bool Infinite,
                       std::chrono::milliseconds Timeout);

private:
    // The first signalled event's index (an auto-reset event is taken),
    // -1 when none is; with the shared lock held.
    static int TakeSignalled(const std::vector<std::shared_ptr<CommEvent>>& Events);

    bool FManualReset;
    bool FSignaled;
    // One condition per thread waiting on this event, shared lock held.
    std::vector<std::condition_variable*> FWaiters;
};

}  // namespace comm
