#pragma once
// What the sampling thread waits for: the reply to its request, the end of
// the poll delay, or the order to stop. One lock and one condition cover
// all three, so a stop wakes any wait at once and no wait has to wake now
// and then to look for it. Deadlines are points on the steady clock: a
// wait never ends before its time.
//
// A reply is taken in two steps in the user-interface thread: Claim, which
// succeeds only while the sampling thread still waits for it, then Replied
// once its outcome has been handed on. A claimed reply is waited for even
// past the deadline, and once the waiter has given up no reply can be
// claimed: a reply is either the request's answer or nothing, never both.
#include <chrono>
#include <condition_variable>
#include <mutex>

class TSampleWait {
public:
    using TClock = std::chrono::steady_clock;
    enum class TWake { Reply, Stop, Timeout };

    // Sampling thread, just before a request goes out: from now on a reply
    // answers it; whatever happened to the one before no longer counts.
    void Expect();
    // User-interface thread: a reply came; true when the sampling thread
    // still waits for it, which it then does until Replied.
    bool Claim();
    // User-interface thread: the claimed reply has been dealt with.
    void Replied();
    // Any thread: ends every wait, now and later.
    void Stop();

    // Sampling thread: waits for the reply until Deadline; a stop ends the
    // wait too unless WakeOnStop is false or the reply is claimed already.
    // After a time-out the request takes no reply any more; a reply is
    // taken once.
    TWake WaitReply(TClock::time_point Deadline, bool WakeOnStop);
    // Sampling thread: waits until Deadline; false when told to stop
    // before (or already).
    bool Sleep(TClock::time_point Deadline);

private:
    enum class TState { Idle, Awaiting, Claimed, Replied };

    std::mutex FMutex;
    std::condition_variable FCond;
    TState FState = TState::Idle;
    bool FStopped = false;
};
