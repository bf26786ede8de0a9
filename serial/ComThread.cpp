#include "serial/ComThread.h"

#include <exception>

using namespace comm;

namespace {

struct MaskBit {
    TComEvent Event;
    DWORD Bit;
};

constexpr MaskBit MaskBits[] = {
    {evRxChar, EV_RXCHAR}, {evRxFlag, EV_RXFLAG}, {evTxEmpty, EV_TXEMPTY}, {evCTS, EV_CTS},   {evDSR, EV_DSR},
    {evRLSD, EV_RLSD},     {evBreak, EV_BREAK},   {evError, EV_ERR},       {evRing, EV_RING}, {evRx80Full, EV_RX80FULL},
};

// Order of the window messages for one batch.
constexpr TComEvent MessageOrder[] = {evError, evRxChar, evTxEmpty, evBreak, evRing,
                                      evCTS,   evDSR,    evRxFlag,  evRLSD,  evRx80Full};

}  // namespace

DWORD EventsToMask(TComEvents Events)
{
    DWORD mask = 0;
    for (const MaskBit& m : MaskBits)
        if (Events.Contains(m.Event))
            mask |= m.Bit;
    return mask;
}

TComEvents MaskToEvents(DWORD Mask)
{
    TComEvents events;
    for (const MaskBit& m : MaskBits)
        if (Mask & m.Bit)
            events.Include(m.Event);
    return events;
}

TComThread::TComThread(TComEventTarget* ATarget, HANDLE AHandle, TSyncMethod ASyncMethod, TComEvents AEvents,
                       TThreadPriority APriority)
    : TThread(false),
      FTarget(ATarget),
      FHandle(AHandle),
      FStopEvent(CreateEvent(true, false)),
      FSyncMethod(ASyncMethod),
      FEvents(AEvents)
{
    SetPriority(APriority);
    SetCommMask(FHandle, EventsToMask(FEvents));
    AfterConstruction();
}

TComThread::~TComThread()
{
    SetEvent(FStopEvent);
    std::this_thread::yield();
    if (CurrentThread() != this) {
        Terminate();
        WaitFor();
    }
    CloseHandle(FStopEvent);
}

void TComThread::Abandon()
{
    FTarget.store(nullptr);
    FreeOnTerminate = true;
    SetEvent(FStopEvent);
}

void TComThread::Execute()
{
    OVERLAPPED overlapped;
    overlapped.hEvent = CreateEvent(true, true);
    // Outlives the clean-up below: ending a pending wait writes the mask.
    DWORD mask = 0;
    // The device calls end with the thread, also when a handler raised.
    struct Cleanup {
        HANDLE Device, Event;
        ~Cleanup()
        {
            SetCommMask(Device, 0);
            PurgeComm(Device, PURGE_TXCLEAR | PURGE_RXCLEAR);
            CloseHandle(Event);
        }
    } cleanup{FHandle, overlapped.hEvent};

    const HANDLE waits[2] = {FStopEvent, overlapped.hEvent};
    bool failed = false;
    for (;;) {
        mask = 0;
        if (!WaitCommEvent(FHandle, &mask, &overlapped) && GetLastError() != ERROR_IO_PENDING) {
            failed = true;
            break;
        }
        if (WaitForMultipleObjects(2, waits, INFINITE) != WAIT_OBJECT_0 + 1)
            break;
        DWORD transferred = 0;
        if (!GetOverlappedResult(FHandle, &overlapped, &transferred, false)) {
            failed = true;
            break;
        }
        TComEvents events = MaskToEvents(mask);
        if (!events.Empty())
            Dispatch(events);
    }
    // A device that failed (removed, hung up) is reported once, then the
    // thread ends instead of failing again and again.
    if (failed && FEvents.Contains(evError) && WaitForSingleObject(FStopEvent, 0) != WAIT_OBJECT_0)
        Dispatch(TComEvents{evError});
}

void TComThread::Dispatch(TComEvents Events)
{
    TComEventTarget* port = FTarget.load();
    if (!port)
        return;
    try {
        Deliver(port, Events);
    } catch (...) {
        // A handler's failure goes to the application's handler of
        // unhandled exceptions; the thread goes on waiting for events.
        std::exception_ptr error = std::current_exception();
        TThread::Queue(nullptr, [error] { std::rethrow_exception(error); });
    }
}

void TComThread::Deliver(TComEventTarget* Port, TComEvents Events)
{
    switch (FSyncMethod) {
    case smThreadSync:
        Synchronize([this, Events] {
            if (TComEventTarget* p = FTarget.load())
                p->DispatchEvents(Events);
        });
        break;
    case smWindowSync:
        for (TComEvent event : MessageOrder) {
            if (!Events.Contains(event))
                continue;
            DWORD bit = EventsToMask(TComEvents{event});
            Queue([this, bit] {
                if (TComEventTarget* p = FTarget.load())
                    p->WindowMethod(CM_COMPORT_EVENT, bit, 0);
            });
        }
        break;
    case smNone: Port->DispatchEvents(Events); break;
    }
}
