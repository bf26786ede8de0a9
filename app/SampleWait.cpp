#include "app/SampleWait.h"

void TSampleWait::Expect()
{
    std::lock_guard lock(FMutex);
    FReplied = false;
}

void TSampleWait::Replied()
{
    std::lock_guard lock(FMutex);
    FReplied = true;
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
    FCond.wait_until(lock, Deadline, [&] { return FReplied || (WakeOnStop && FStopped); });
    if (FReplied) {
        FReplied = false;
        return TWake::Reply;
    }
    return WakeOnStop && FStopped ? TWake::Stop : TWake::Timeout;
}

bool TSampleWait::Sleep(TClock::time_point Deadline)
{
    std::unique_lock lock(FMutex);
    return !FCond.wait_until(lock, Deadline, [&] { return FStopped; });
}
