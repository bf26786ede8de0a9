#pragma once
// The comm event thread of an open port: waits for the port's comm events
// and hands each batch to the port in the thread its SyncMethod names.
#include <atomic>

#include "comm/CommApi.h"
#include "rtl/Thread.h"
#include "serial/ComEventTarget.h"
#include "serial/ComTypes.h"

// One-to-one conversion between event sets and comm masks.
comm::DWORD EventsToMask(TComEvents Events);
TComEvents MaskToEvents(comm::DWORD Mask);

class TComThread : public TThread {
public:
    // Starts at once; sets the device's event mask from Events.
    TComThread(TComEventTarget* ATarget, comm::HANDLE AHandle, TSyncMethod ASyncMethod, TComEvents AEvents,
               TThreadPriority APriority);
    // Signals the stop event and waits for the thread to end.
    ~TComThread() override;

    // Lets the thread end on its own and free itself, without touching the
    // port again; for a port freed from inside its own event handler.
    void Abandon();

protected:
    void Execute() override;

private:
    void Dispatch(TComEvents Events);
    void Deliver(TComEventTarget* Port, TComEvents Events);

    std::atomic<TComEventTarget*> FTarget;
    comm::HANDLE FHandle;
    comm::HANDLE FStopEvent;
    TSyncMethod FSyncMethod;
    TComEvents FEvents;
};
