#pragma once
// What the comm event thread needs of the port it serves: somewhere to
// hand each batch of events, directly or as one window message per event.
#include <cstdint>

#include "serial/ComTypes.h"

// Message the event thread sends to the port's window method per event.
constexpr std::uint32_t CM_COMPORT_EVENT = 0x401;

class TComEventTarget {
public:
    virtual void DispatchEvents(TComEvents Events) = 0;
    virtual std::intptr_t WindowMethod(std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam) = 0;

protected:
    ~TComEventTarget() = default;
};
