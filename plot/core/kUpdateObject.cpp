#include "plot/core/kUpdateObject.h"

#include <algorithm>
#include <chrono>

#include "ui/Timer.h"

namespace {

double MonotonicSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

TkUpdateClock& Clock()
{
    static TkUpdateClock clock = MonotonicSeconds;
    return clock;
}

}  // namespace

TkUpdateObject::TkUpdateObject(bool WithTimer)
{
    if (WithTimer) {
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->SetInterval(TimerInterval);
        FTimer->OnTimer = [this](TObject*) { Tick(); };
    }
}

TkUpdateObject::~TkUpdateObject() = default;

TkUpdateObject& TkUpdateObject::Instance()
{
    // Made on first use, when the application (and its timers) exist.
    static TkUpdateObject service;
    return service;
}

double TkUpdateObject::Now()
{
    return Clock()();
}

void TkUpdateObject::SetClock(TkUpdateClock AClock)
{
    Clock() = AClock ? std::move(AClock) : TkUpdateClock(MonotonicSeconds);
}

bool TkUpdateObject::FrameDue(double LastTime, int FrameRate, double Now)
{
    if (FrameRate <= 0 || Now < LastTime)
        return true;
    return Now - LastTime > 1.0 / FrameRate;
}

void TkUpdateObject::Register(IkUpdateClient* Client)
{
    FClients.push_back(Client);
}

void TkUpdateObject::RepaintPending()
{
    if (!FTimerEnabled && !FClients.empty())
        SetTimerEnabled(true);
}

void TkUpdateObject::Unregister(IkUpdateClient* Client)
{
    auto it = std::find(FClients.begin(), FClients.end(), Client);
    if (it == FClients.end())
        return;
    FClients.erase(it);
    if (FClients.empty())
        SetTimerEnabled(false);
}

void TkUpdateObject::SetTimerEnabled(bool Value)
{
    FTimerEnabled = Value;
    if (FTimer)
        FTimer->SetEnabled(Value);
}

void TkUpdateObject::Tick()
{
    // A repaint may register or unregister components: walk a copy, and
    // skip any that left in the meantime.
    const std::vector<IkUpdateClient*> clients = FClients;
    const double now = Now();
    for (IkUpdateClient* client : clients) {
        if (std::find(FClients.begin(), FClients.end(), client) == FClients.end())
            continue;
        if (client->UpdateSkip())
            continue;
        if (client->UpdatePending() && FrameDue(client->LastUpdateTime(), client->GetUpdateFrameRate(), now))
            client->PerformUpdate();
    }
    if (std::none_of(FClients.begin(), FClients.end(), [](IkUpdateClient* c) { return c->UpdatePending(); }))
        SetTimerEnabled(false);
}
