#include "ui/MessageTarget.h"

#include <atomic>
#include <mutex>
#include <unordered_map>

namespace {

// Live targets by handle. Handles only grow, so a message posted to a
// freed target finds nothing instead of a newcomer.
std::mutex HandleLock;
std::unordered_map<HWND, TMessageTarget*> Targets;
std::atomic<HWND> NextHandle{1};

}  // namespace

TMessageTarget::TMessageTarget() : FHandle(NextHandle++)
{
    std::lock_guard<std::mutex> Guard(HandleLock);
    Targets[FHandle] = this;
}

TMessageTarget::~TMessageTarget()
{
    Withdraw();
}

void TMessageTarget::Withdraw()
{
    std::lock_guard<std::mutex> Guard(HandleLock);
    Targets.erase(FHandle);
}

TMessageTarget* TMessageTarget::Find(HWND Handle)
{
    std::lock_guard<std::mutex> Guard(HandleLock);
    auto It = Targets.find(Handle);
    return It == Targets.end() ? nullptr : It->second;
}

LRESULT SendMessage(HWND hwnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    TMessageTarget* Target = TMessageTarget::Find(hwnd);
    return Target ? Target->Perform(Msg, wParam, lParam) : 0;
}
