#pragma once
// What the sampling thread waits for: the reply to the request out, the
// end of the poll delay, or the order to stop. One lock and one condition
// cover all three, so a stop wakes any wait at once and no wait has to wake
// now and then to look for it. Deadlines are points on the steady clock: a
// wait never ends before its time.
//
// A reply is taken in two steps in the user-interface thread: Claim, which
// succeeds only while the request still takes a reply, then either
// HandBack, which returns the poll to the sampling thread, or Expect for
// the next request, sent there and then while the sampling thread sleeps
// on. A claimed reply is waited for even past the deadline, and once the
// waiter has given up no reply can be claimed: a reply is either the
// request's answer or nothing, never both.
#include <chrono>
#include <condition_variable>
#include <mutex>

class TSampleWait {
public:
    using TClock = std::chrono::steady_clock;
    enum class TWake { HandedBack, Stop, Timeout };

    // Just before a request goes out, in whichever thread sends it: from
    // now until Deadline a reply answers it; whatever happened to the one
    // before no longer counts.
    void Expect(TClock::time_point Deadline);
    // The user-interface thread is to send the next request (and Expect
    // it) or to hand the poll back, after the poll delay. Until then
    // nothing times out; the wait looks again at Provisional, the deadline
    // the request would have if it went out when due.
    void ExpectSoon(TClock::time_point Provisional);
    // User-interface thread: a reply came; true when the request still
    // takes it. The sampling thread then waits for HandBack or the next
    // Expect.
    bool Claim();
    // User-interface thread: the poll goes back to the sampling thread (a
    // claimed reply has been dealt with, or a request it expected soon is
    // not sent).
    void HandBack();
    // Any thread: ends every wait, now and later.
    void Stop();
    bool Stopped() const;
    // Sampling thread: the request out takes no reply after Latest.
    void CutDeadline(TClock::time_point Latest);

    // Sampling thread: waits until the poll is handed back or the request
    // out, the last one expected, reaches its deadline; a stop ends the
    // wait too unless a reply is claimed already or, with WakeOnStop
    // false, a request is out.
    // After a time-out the request takes no reply any more.
    TWake WaitReply(bool WakeOnStop);
    // Sampling thread: waits until Deadline; false when told to stop
    // before (or already).
    bool Sleep(TClock::time_point Deadline);

private:
    enum class TState { Idle, Sending, Awaiting, Claimed, HandedBack };

    mutable std::mutex FMutex;
    std::condition_variable FCond;
    TState FState = TState::Idle;
    TClock::time_point FDeadline;
    bool FStopped = false;
    // The waiter sleeps without a deadline (a claimed reply, a request
    // long in coming): only then does Expect have to wake it.
    bool FUntimed = false;
};
