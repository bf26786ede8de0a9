#pragma once
// An open serial device: the driver between the comm calls and a backend.
// One thread per device moves bytes between the descriptor and the input
// queue, feeds pending writes, completes overlapped requests at their
// deadlines and records comm events for WaitCommEvent.
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "comm/CommBackend.h"
#include "comm/CommEvent.h"

namespace comm {

class CommDevice : public HandleObject {
public:
    explicit CommDevice(std::unique_ptr<CommBackend> Backend);
    ~CommDevice() override;

    // Stops the driver thread and aborts every pending request.
    void Close() override;

    bool Setup(DWORD InQueue, DWORD OutQueue);
    bool SetState(const DCB& Dcb);
    bool GetState(DCB& Dcb);
    bool SetTimeouts(const COMMTIMEOUTS& Timeouts);
    bool GetTimeouts(COMMTIMEOUTS& Timeouts);
    bool SetMask(DWORD Mask);
    bool WaitEvent(DWORD* Mask, OVERLAPPED* Overlapped);
    bool Purge(DWORD Flags);
    bool ClearError(DWORD* Errors, COMSTAT* Stat);
    bool GetModemStatus(DWORD* Status);
    bool SetRxBatch(DWORD Count);
    bool Write(const void* Buffer, DWORD Count, DWORD* Written, OVERLAPPED* Overlapped);
    bool Read(void* Buffer, DWORD Count, DWORD* Read, OVERLAPPED* Overlapped);

private:
    using Clock = std::chrono::steady_clock;

    struct Request {
        OVERLAPPED* Overlapped = nullptr;
        std::shared_ptr<CommEvent> Event;
        std::uint8_t* Data = nullptr;
        DWORD Count = 0;
        DWORD Done = 0;
        std::optional<Clock::time_point> Deadline;
        // Reads: return with what is queued / as soon as one byte is there.
        bool Immediate = false;
        bool FirstByte = false;
        std::optional<std::chrono::milliseconds> Interval;
        Clock::time_point LastByte;
    };
    struct WaitRequest {
        OVERLAPPED* Overlapped = nullptr;
        std::shared_ptr<CommEvent> Event;
        DWORD* Mask = nullptr;
    };

    bool Begin(OVERLAPPED* Overlapped, std::shared_ptr<CommEvent>& Event);
    // Finishes queuing a request: its result now, or pending and the
    // driver thread woken.
    bool Started(OVERLAPPED* Overlapped, DWORD* Transferred);
    static void Complete(OVERLAPPED* Overlapped, CommEvent& Event, DWORD Error, DWORD Bytes);
    void Loop();
    // Moves bytes, completes what can complete; called with FMutex held.
    void Pump();
    // True when bytes arrived.
    bool PumpInput();
    // EV_RXCHAR for held bytes once the batch is complete or the line quiet.
    void ReportReceived(Clock::time_point Now);
    Clock::duration CharTime() const;
    void PumpOutput();
    void FinishReads(Clock::time_point Now);
    void FinishWrites(Clock::time_point Now);
    void FinishWait();
    void HangUp();
    void AbortReads(DWORD Error);
    void AbortWrites(DWORD Error);
    void AddEvents(DWORD Events);
    // How long the driver thread may sleep; empty for no limit.
    std::optional<Clock::duration> PollTimeout(Clock::time_point Now) const;
    // True while a batch is incomplete and its rest cannot have arrived
    // at the line's speed: the driver thread need not wake per byte.
    bool RxPacing(Clock::time_point Now) const;
    void Wake();

    std::unique_ptr<CommBackend> FBackend;
    int FWakeFd = -1;
    std::thread FThread;
    mutable std::mutex FMutex;
    bool FStopping = false;
    bool FClosed = false;
    bool FBroken = false;
    bool FLineNotified = false;

    DCB FDcb;
    COMMTIMEOUTS FTimeouts;
    DWORD FInQueueSize = 4096;
    DWORD FMask = 0;
    DWORD FHistory = 0;
    DWORD FErrors = 0;
    bool FTxBusy = false;
    Clock::time_point FNextLinePoll;

    std::deque<std::uint8_t> FInput;
    DWORD FRxBatch = 1;
    // Bytes arrived that no EV_RXCHAR has reported yet (with an event
    // character among them: EV_RXFLAG goes with it), and when the quiet
    // line reports them anyway.
    bool FRxHeld = false;
    bool FRxFlagHeld = false;
    Clock::time_point FRxQuietAt;
    // When the rest of the batch could have arrived, two characters early:
    // the driver thread took in the first bytes late by its own wake-up,
    // and the last ones must reach a waiter as they arrive.
    Clock::time_point FRxDueAt;
    std::deque<Request> FReads;
    std::deque<Request> FWrites;
    std::optional<WaitRequest> FWait;
};

}  // namespace comm
