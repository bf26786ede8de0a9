#pragma once
// What the sampling thread waits for: the reply to its request, the end of
// the poll delay, or the order to stop. One lock and one condition cover
// all three, so a stop wakes any wait at once and no wait has to wake now
// and then to look for it. Deadlines are points on the steady clock: a
// wait never ends before its time.
#include <chrono>
#include <condition_variable>
#include <mutex>

class TSampleWait {
public:
    using TClock = std::chrono::steady_clock;
    enum class TWake { Reply, Stop, Timeout };

    // User-interface thread: a new request goes out; a reply that came
    // before no longer counts.
    void Expect();
    // User-interface thread: the reply to the request came.
    void Replied();
    // Any thread: ends every wait, now and later.
    void Stop();

    // Sampling thread: waits for the reply until Deadline; a stop ends the
    // wait too unless WakeOnStop is false. A reply is taken once.
    TWake WaitReply(TClock::time_point Deadline, bool WakeOnStop);
    // Sampling thread: waits until Deadline; false when told to stop
    // before (or already).
    bool Sleep(TClock::time_point Deadline);

private:
    std::mutex FMutex;
    std::condition_variable FCond;
    bool FReplied = false;
    bool FStopped = false;
};
