#pragma once
// Event objects of the comm layer. All events share one lock and one
// condition, so a thread can wait for several at once.
#include <chrono>
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
    bool FManualReset;
    bool FSignaled;
};

}  // namespace comm
