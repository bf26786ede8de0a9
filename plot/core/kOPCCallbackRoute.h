#pragma once
// The client library calls back on threads of its own. Every callback is
// handed to the user-interface thread before it reaches an item or a
// manager, so received values touch properties and points only there.
// A subscription's callbacks go through a route opened for it and closed
// when it is removed: closing waits for callbacks in flight, and whatever
// they had handed over but not yet delivered is dropped. Once the process
// exits, nothing is routed any more.
#include <cstdint>
#include <functional>

#include "plot/core/kOPCEntryPoints.h"
#include "plot/core/kOPCVariant.h"

// What the library held for an item when it reported new data.
struct TkOPCSample {
    TkOPCVariant Value;
    double TimeStamp = 0;
    std::uint16_t Quality = 0;
};

class TkOPCCallbackRoute {
public:
    using TDataTarget = std::function<void(const TkOPCSample& Sample)>;
    using TGroupTarget = std::function<void(std::int32_t Group, bool Begin)>;
    using TRouteId = std::uintptr_t;

    // Open and Close are called on the user-interface thread.
    static TRouteId OpenData(TDataTarget Target);
    static TRouteId OpenGroups(TGroupTarget Target);
    static void Close(TRouteId Id);

    // The records to give the library for a route.
    static kopc_signal_callback SignalCallback(TRouteId Id);
    static kopc_group_callback GroupCallback(TRouteId Id);
};
