#include "plot/core/kOPCCallbackRoute.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <variant>

#include "plot/core/kOPCDLLLoader.h"
#include "rtl/Exception.h"
#include "rtl/Thread.h"
#include "ui/Application.h"

namespace {

using TTarget = std::variant<TkOPCCallbackRoute::TDataTarget, TkOPCCallbackRoute::TGroupTarget>;

struct TRouteTable {
    // Held by a callback while it looks its route up and hands over, so
    // that closing a route waits for it.
    std::mutex Lock;
    std::map<TkOPCCallbackRoute::TRouteId, TTarget> Routes;
    TkOPCCallbackRoute::TRouteId LastId = 0;
    // Set when the process exits: nothing is routed any more.
    bool Stopped = false;
};

// Never destroyed: the library's threads go on calling back while the
// process exits, also after the static objects are gone.
TRouteTable& Table()
{
    static TRouteTable& table = *new TRouteTable;
    return table;
}

// A callback that comes in once the process exits is dropped at once: what
// a delivery passes through (the hand-over to the user-interface thread
// and the loop it wakes) is being taken down. Callbacks in flight finish
// first.
void StopRouting()
{
    const std::lock_guard<std::mutex> lock(Table().Lock);
    Table().Stopped = true;
}

TkOPCCallbackRoute::TRouteId Open(TTarget Target)
{
    // Registered with the first route, so that it runs before the exit
    // handlers of everything made before the library could call back.
    static const bool stopsAtExit = std::atexit(StopRouting) == 0;
    (void)stopsAtExit;
    TRouteTable& table = Table();
    const std::lock_guard<std::mutex> lock(table.Lock);
    table.Routes.emplace(++table.LastId, std::move(Target));
    return table.LastId;
}

// On the user-interface thread: runs Call on the route's target when the
// route is still open. A failure is the user's to see; none goes back
// into the library.
template <class T, class F> void Deliver(TkOPCCallbackRoute::TRouteId Id, F Call)
{
    T target;
    {
        TRouteTable& table = Table();
        const std::lock_guard<std::mutex> lock(table.Lock);
        const auto found = table.Routes.find(Id);
        if (found == table.Routes.end())
            return;
        target = std::get<T>(found->second);
    }
    CallGuarded(nullptr, [&] { Call(target); });
}

// Runs Handing (which reads what the callback reports and returns the call
// that delivers it) under the routes' lock while the route is open, then
// delivers on the user-interface thread.
template <class F> void Route(TkOPCCallbackRoute::TRouteId Id, F Handing) noexcept
{
    try {
        TRouteTable& table = Table();
        std::unique_lock<std::mutex> lock(table.Lock);
        if (table.Stopped || !table.Routes.count(Id))
            return;
        auto delivery = Handing();
        if (IsMainThread()) {
            lock.unlock();
            delivery();
        } else {
            TThread::Queue(nullptr, std::move(delivery));
        }
    } catch (const std::exception& e) {
        // The library's failure is the user's to see, like any other.
        const std::string message = e.what();
        auto report = [message] { CallGuarded(nullptr, [&] { throw Exception(message); }); };
        try {
            if (IsMainThread())
                report();
            else
                TThread::Queue(nullptr, report);
        } catch (...) {
        }
    } catch (...) {
    }
}

void NewData(void* Context, std::int32_t Handle)
{
    const auto id = reinterpret_cast<TkOPCCallbackRoute::TRouteId>(Context);
    Route(id, [id, Handle] {
        const TkOPCDLL& library = TkOPCDLL::Instance();
        TkOPCSample sample;
        sample.Value = library.SignalGetData(Handle);
        sample.TimeStamp = library.SignalGetTimeStamp(Handle);
        sample.Quality = library.SignalGetQuality(Handle);
        const auto deliver = [id, sample] {
            Deliver<TkOPCCallbackRoute::TDataTarget>(id, [&](const auto& Target) { Target(sample); });
        };
        return deliver;
    });
}

void GroupUpdate(void* Context, std::int32_t Group, bool Begin)
{
    const auto id = reinterpret_cast<TkOPCCallbackRoute::TRouteId>(Context);
    Route(id, [id, Group, Begin] {
        return [id, Group, Begin] {
            Deliver<TkOPCCallbackRoute::TGroupTarget>(id, [&](const auto& Target) { Target(Group, Begin); });
        };
    });
}

void GroupUpdateBegin(void* Context, std::int32_t Group)
{
    GroupUpdate(Context, Group, true);
}

void GroupUpdateEnd(void* Context, std::int32_t Group)
{
    GroupUpdate(Context, Group, false);
}

}  // namespace

TkOPCCallbackRoute::TRouteId TkOPCCallbackRoute::OpenData(TDataTarget Target)
{
    return Open(std::move(Target));
}

TkOPCCallbackRoute::TRouteId TkOPCCallbackRoute::OpenGroups(TGroupTarget Target)
{
    return Open(std::move(Target));
}

void TkOPCCallbackRoute::Close(TRouteId Id)
{
    TRouteTable& table = Table();
    const std::lock_guard<std::mutex> lock(table.Lock);
    table.Routes.erase(Id);
}

kopc_signal_callback TkOPCCallbackRoute::SignalCallback(TRouteId Id)
{
    return {reinterpret_cast<void*>(Id), &NewData};
}

kopc_group_callback TkOPCCallbackRoute::GroupCallback(TRouteId Id)
{
    return {reinterpret_cast<void*>(Id), &GroupUpdateBegin, &GroupUpdateEnd};
}
