#include "plot/core/kOPCCallbackRoute.h"

#include <map>
#include <mutex>
#include <variant>

#include "plot/core/kOPCDLLLoader.h"
#include "rtl/Exception.h"
#include "rtl/Thread.h"
#include "ui/Application.h"

namespace {

using TTarget = std::variant<TkOPCCallbackRoute::TDataTarget, TkOPCCallbackRoute::TGroupTarget>;

// Held by a callback while it looks its route up and hands over, so that
// closing a route waits for it.
std::mutex RoutesLock;
std::map<TkOPCCallbackRoute::TRouteId, TTarget> Routes;
TkOPCCallbackRoute::TRouteId LastId = 0;

TkOPCCallbackRoute::TRouteId Open(TTarget Target)
{
    const std::lock_guard<std::mutex> lock(RoutesLock);
    Routes.emplace(++LastId, std::move(Target));
    return LastId;
}

// On the user-interface thread: runs Call on the route's target when the
// route is still open. A failure is the user's to see; none goes back
// into the library.
template <class T, class F> void Deliver(TkOPCCallbackRoute::TRouteId Id, F Call)
{
    T target;
    {
        const std::lock_guard<std::mutex> lock(RoutesLock);
        const auto found = Routes.find(Id);
        if (found == Routes.end())
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
        std::unique_lock<std::mutex> lock(RoutesLock);
        if (!Routes.count(Id))
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
    const std::lock_guard<std::mutex> lock(RoutesLock);
    Routes.erase(Id);
}

kopc_signal_callback TkOPCCallbackRoute::SignalCallback(TRouteId Id)
{
    return {reinterpret_cast<void*>(Id), &NewData};
}

kopc_group_callback TkOPCCallbackRoute::GroupCallback(TRouteId Id)
{
    return {reinterpret_cast<void*>(Id), &GroupUpdateBegin, &GroupUpdateEnd};
}
