#include "app/SampleWait.h"

void TSampleWait::Expect(TClock::time_point Deadline)
{
    std::lock_guard lock(FMutex);
    FState = TState::Awaiting;
    FDeadline = Deadline;
    // A waiter with a deadline finds the later one when its own passes;
    // one waiting for a claimed reply must be told.
    if (FUntimed)
        FCond.notify_all();
}

void TSampleWait::ExpectSoon(TClock::time_point Provisional)
{
    std::lock_guard lock(FMutex);
    FState = TState::Sending;
    FDeadline = Provisional;
}

bool TSampleWait::Claim()
{
    std::lock_guard lock(FMutex);
    if (FState != TState::Awaiting)
        return false;
    FState = TState::Claimed;
    return true;
}

void TSampleWait::HandBack()
{
    std::lock_guard lock(FMutex);
    FState = TState::HandedBack;
    FCond.notify_all();
}

void TSampleWait::Stop()
{
    std::lock_guard lock(FMutex);
    FStopped = true;
    FCond.notify_all();
}

bool TSampleWait::Stopped() const
{
    std::lock_guard lock(FMutex);
    return FStopped;
}

void TSampleWait::CutDeadline(TClock::time_point Latest)
{
    std::lock_guard lock(FMutex);
    if (Latest < FDeadline)
        FDeadline = Latest;
}

TSampleWait::TWake TSampleWait::WaitReply(bool WakeOnStop)
{
    std::unique_lock lock(FMutex);
    for (;;) {
        if (FState == TState::HandedBack) {
            FState = TState::Idle;
            return TWake::HandedBack;
        }
        // A stop's grace is for a reply on its way; with the next request
        // not out, none is.
        if (FStopped && FState != TState::Claimed && (WakeOnStop || FState == TState::Sending))
            return TWake::Stop;
        const bool due = TClock::now() >= FDeadline;
        if (FState == TState::Idle || (FState == TState::Awaiting && due)) {
            FState = TState::Idle;
            return TWake::Timeout;
        }
        // Claimed: its outcome is being handed on, which a stop or the
        // deadline must not cut short. Sending past the provisional
        // deadline: the request is not out yet, so its time has not begun.
        if (FState == TState::Claimed || due) {
            FUntimed = true;
            FCond.wait(lock);
            FUntimed = false;
        } else {
            FCond.wait_until(lock, FDeadline);
        }
    }
}

bool TSampleWait::Sleep(TClock::time_point Deadline)
{
    std::unique_lock lock(FMutex);
    return !FCond.wait_until(lock, Deadline, [&] { return FStopped; });
}
