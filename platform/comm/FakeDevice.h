#pragma once
// A stand-in serial device for tests. Registered under a name, it is
// opened by CreateFile instead of a terminal and shows what a
// pseudo-terminal cannot: the line settings the port chose, modem lines,
// ring, break and line errors. Its data travel over a socket pair whose
// far end the test holds.
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "comm/CommTypes.h"

namespace comm {

class CommBackend;

class FakeDevice : public std::enable_shared_from_this<FakeDevice> {
public:
    // The device can be opened under Name until the object is freed.
    static std::shared_ptr<FakeDevice> Create(const std::string& Name);
    // The registered device of that name, or null.
    static std::shared_ptr<FakeDevice> Find(const std::string& Name);
    ~FakeDevice();

    // Opens the device for a port; null with ERROR_ACCESS_DENIED while it is
    // already open.
    std::unique_ptr<CommBackend> Open(DWORD& Error);
    bool IsOpen() const;

    // Bytes arriving at the port.
    void Send(const std::string& Bytes);
    // Bytes the port wrote: waits up to TimeoutMs for Count of them and
    // returns what arrived.
    std::string Receive(size_t Count, int TimeoutMs);
    // The far end goes away, as a pulled cable.
    void HangUp();

    // MS_ bits. A change of CTS, DSR or RLSD raises its event; ring going on
    // raises EV_RING.
    void SetModemStatus(DWORD Status);
    void SignalBreak();
    // CE_ flags, raised as an error event.
    void InjectErrors(DWORD Errors);

    // What the port set.
    DCB LastDcb() const;
    int StateCount() const;
    DWORD InQueueSize() const;
    DWORD OutQueueSize() const;
    // The next SetCommState or SetupComm fails with Error.
    void FailNextState(DWORD Error);
    void FailNextSetup(DWORD Error);

private:
    friend class FakeBackend;
    explicit FakeDevice(std::string Name);
    void Notify();

    std::string FName;
    mutable std::mutex FMutex;
    bool FOpen = false;
    int FPeerFd = -1;
    std::function<void()> FNotify;
    DWORD FStatus = 0;
    DWORD FPendingEvents = 0;
    DWORD FPendingErrors = 0;
    DCB FDcb;
    int FStateCount = 0;
    DWORD FInQueue = 0, FOutQueue = 0;
    DWORD FFailState = 0, FFailSetup = 0;
};

}  // namespace comm
