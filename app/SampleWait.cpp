#include "app/SampleWait.h"

void TSampleWait::Expect()
{
    std::lock_guard lock(FMutex);
    FState = TState::Awaiting;
}

bool TSampleWait::Claim()
{
    std::lock_guard lock(FMutex);
    if (FState != TState::Awaiting)
        return false;
    FState = TState::Claimed;
    return true;
}

void TSampleWait::Replied()
{
    std::lock_guard lock(FMutex);
    FState = TState::Replied;
    FCond.notify_all();
}

void TSampleWait::Stop()
{
    std::lock_guard lock(FMutex);
    FStopped = true;
    FCond.notify_all();
}

TSampleWait::TWake TSampleWait::WaitReply(TClock::time_point Deadline, bool WakeOnStop)
{
    std::unique_lock lock(FMutex);
    FCond.wait_until(lock, Deadline, [&] {
        return FState == TState::Replied || (WakeOnStop && FStopped && FState != TState::Claimed);
    });
    // Claimed in time: its outcome is being handed on, which a stop or the
    // deadline must not cut short.
    FCond.wait(lock, [&] { return FState != TState::Claimed; });
    if (FState == TState::Replied) {
        FState = TState::Idle;
        return TWake::Reply;
    }
    if (WakeOnStop && FStopped)
        return TWake::Stop;
    FState = TState::Idle;
    return TWake::Timeout;
}

bool TSampleWait::Sleep(TClock::time_point Deadline)
{
    std::unique_lock lock(FMutex);
    return !FCond.wait_until(lock, Deadline, [&] { return FStopped; });
}
