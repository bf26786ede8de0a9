#include "comm/CommDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "comm/CommError.h"

namespace comm {

namespace {

constexpr DWORD LineEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_BREAK | EV_ERR;
constexpr auto LinePollPeriod = std::chrono::milliseconds(10);
constexpr auto TxEmptyRecheck = std::chrono::milliseconds(2);
// Refused as driver queue sizes: they cannot be meant.
constexpr DWORD MaxQueueSize = 64u * 1024u * 1024u;

std::chrono::milliseconds Millis(std::uint64_t Value)
{
    // A year is as good as forever here and keeps time_point arithmetic safe.
    constexpr std::uint64_t cap = 365ull * 24 * 3600 * 1000;
    return std::chrono::milliseconds(std::min(Value, cap));
}

}  // namespace

CommDevice::CommDevice(std::unique_ptr<CommBackend> Backend) : FBackend(std::move(Backend))
{
    FWakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    FBackend->SetNotify([this] {
        {
            std::lock_guard lock(FMutex);
            FLineNotified = true;
        }
        Wake();
    });
    FThread = std::thread([this] { Loop(); });
}

CommDevice::~CommDevice()
{
    Close();
    if (FWakeFd >= 0)
        ::close(FWakeFd);
}

void CommDevice::Close()
{
    {
        std::lock_guard lock(FMutex);
        if (FClosed)
            return;
        FClosed = true;
        FStopping = true;
    }
    Wake();
    if (FThread.joinable())
        FThread.join();
    std::lock_guard lock(FMutex);
    AbortReads(ERROR_OPERATION_ABORTED);
    AbortWrites(ERROR_OPERATION_ABORTED);
    if (FWait) {
        Complete(FWait->Overlapped, *FWait->Event, ERROR_OPERATION_ABORTED, 0);
        FWait.reset();
    }
    FBackend->SetNotify(nullptr);
    FBackend.reset();
}

void CommDevice::Wake()
{
    std::uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(FWakeFd, &one, sizeof one);
}

bool CommDevice::Begin(OVERLAPPED* Overlapped, std::shared_ptr<CommEvent>& Event)
{
    Event = Overlapped ? HandleTable::Instance().Find<CommEvent>(Overlapped->hEvent) : nullptr;
    if (!Event) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    Event->Reset();
    Overlapped->InternalHigh.store(0);
    Overlapped->Internal.store(STATUS_PENDING);
    return true;
}

void CommDevice::Complete(OVERLAPPED* Overlapped, CommEvent& Event, DWORD Error, DWORD Bytes)
{
    Overlapped->InternalHigh.store(Bytes);
    Overlapped->Internal.store(Error);
    Event.Set();
}

bool CommDevice::Setup(DWORD InQueue, DWORD OutQueue)
{
    if (InQueue < 2 || OutQueue < 2 || InQueue > MaxQueueSize || OutQueue > MaxQueueSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::lock_guard lock(FMutex);
    DWORD error = 0;
    if (!FBackend->SetupBuffers(InQueue, OutQueue, error)) {
        SetLastError(error);
        return false;
    }
    FInQueueSize = InQueue;
    return true;
}

bool CommDevice::SetState(const DCB& Dcb)
{
    if (Dcb.BaudRate == 0 || Dcb.BaudRate > 0x7FFFFFFF || Dcb.ByteSize < 5 || Dcb.ByteSize > 8 ||
        Dcb.Parity > SPACEPARITY || Dcb.StopBits > TWOSTOPBITS ||
        // A line has one and a half stop bits only with five data bits, and
        // two only with more.
        (Dcb.StopBits == ONE5STOPBITS && Dcb.ByteSize != 5) || (Dcb.StopBits == TWOSTOPBITS && Dcb.ByteSize == 5)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::lock_guard lock(FMutex);
    DWORD error = 0;
    if (!FBackend->ApplyState(Dcb, error)) {
        SetLastError(error);
        return false;
    }
    FDcb = Dcb;
    return true;
}

bool CommDevice::GetState(DCB& Dcb)
{
    std::lock_guard lock(FMutex);
    Dcb = FDcb;
    FBackend->ReadState(Dcb);
    return true;
}

bool CommDevice::SetTimeouts(const COMMTIMEOUTS& Timeouts)
{
    std::lock_guard lock(FMutex);
    FTimeouts = Timeouts;
    return true;
}

bool CommDevice::GetTimeouts(COMMTIMEOUTS& Timeouts)
{
    std::lock_guard lock(FMutex);
    Timeouts = FTimeouts;
    return true;
}

bool CommDevice::SetMask(DWORD Mask)
{
    {
        std::lock_guard lock(FMutex);
        FMask = Mask;
        FHistory = 0;
        // A pending wait ends with no events, as a mask change does.
        if (FWait) {
            *FWait->Mask = 0;
            Complete(FWait->Overlapped, *FWait->Event, 0, 0);
            FWait.reset();
        }
    }
    Wake();
    return true;
}

bool CommDevice::WaitEvent(DWORD* Mask, OVERLAPPED* Overlapped)
{
    std::lock_guard lock(FMutex);
    if (!Mask || FWait) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    // Events seen before a hang-up are still reported, then waits fail.
    if (FBroken && !(FHistory & FMask)) {
        SetLastError(ERROR_GEN_FAILURE);
        return false;
    }
    std::shared_ptr<CommEvent> event;
    if (!Begin(Overlapped, event))
        return false;
    FWait = WaitRequest{Overlapped, event, Mask};
    Pump();
    if (!FWait) {
        if (Overlapped->Internal.load() != 0) {
            SetLastError(Overlapped->Internal.load());
            return false;
        }
        return true;
    }
    // Nothing the driver thread waits on has changed: the bytes or line
    // events it meets next complete the wait.
    SetLastError(ERROR_IO_PENDING);
    return false;
}

bool CommDevice::Purge(DWORD Flags)
{
    std::lock_guard lock(FMutex);
    if (Flags & PURGE_TXABORT)
        AbortWrites(ERROR_OPERATION_ABORTED);
    if (Flags & PURGE_RXABORT)
        AbortReads(ERROR_OPERATION_ABORTED);
    if (Flags & PURGE_RXCLEAR)
        FInput.clear();
    if (Flags & (PURGE_RXCLEAR | PURGE_TXCLEAR))
        FBackend->Flush(Flags & PURGE_RXCLEAR, Flags & PURGE_TXCLEAR);
    return true;
}

bool CommDevice::ClearError(DWORD* Errors, COMSTAT* Stat)
{
    std::lock_guard lock(FMutex);
    Pump();
    DWORD lineErrors = 0;
    FHistory |= FBackend->TakeLineEvents(lineErrors) & FMask;
    FErrors |= lineErrors;
    // A device that hung up stays in error, so a call that only wanted the
    // input count cannot hide it from the next error check.
    if (FBroken)
        FErrors |= CE_IOE;
    if (Errors)
        *Errors = FErrors;
    FErrors = 0;
    if (Stat) {
        Stat->cbInQue = static_cast<DWORD>(FInput.size());
        DWORD pending = 0;
        for (const Request& w : FWrites)
            pending += w.Count - w.Done;
        Stat->cbOutQue = pending + (FBroken ? 0 : FBackend->OutQueue());
    }
    return true;
}

bool CommDevice::SetRxBatch(DWORD Count)
{
    std::lock_guard lock(FMutex);
    FRxBatch = std::max<DWORD>(Count, 1);
    Pump();
    return true;
}

bool CommDevice::GetModemStatus(DWORD* Status)
{
    std::lock_guard lock(FMutex);
    if (!Status) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    *Status = FBroken ? 0 : FBackend->ModemStatus();
    return true;
}

// A request just queued: done at once (the result and count as the call
// returns them), or pending, when the driver thread is woken for it.
bool CommDevice::Started(OVERLAPPED* Overlapped, DWORD* Transferred)
{
    Pump();
    if (Overlapped->Internal.load() != STATUS_PENDING) {
        if (Transferred)
            *Transferred = Overlapped->InternalHigh.load();
        if (Overlapped->Internal.load() != 0) {
            SetLastError(Overlapped->Internal.load());
            return false;
        }
        return true;
    }
    Wake();
    SetLastError(ERROR_IO_PENDING);
    return false;
}

bool CommDevice::Write(const void* Buffer, DWORD Count, DWORD* Written, OVERLAPPED* Overlapped)
{
    std::lock_guard lock(FMutex);
    if (Written)
        *Written = 0;
    if (!Buffer && Count > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (FBroken) {
        SetLastError(ERROR_GEN_FAILURE);
        return false;
    }
    std::shared_ptr<CommEvent> event;
    if (!Begin(Overlapped, event))
        return false;
    Request r;
    r.Overlapped = Overlapped;
    r.Event = event;
    r.Data = static_cast<std::uint8_t*>(const_cast<void*>(Buffer));
    r.Count = Count;
    std::uint64_t total = std::uint64_t(FTimeouts.WriteTotalTimeoutMultiplier) * Count +
                          FTimeouts.WriteTotalTimeoutConstant;
    if (total > 0)
        r.Deadline = Clock::now() + Millis(total);
    if (Count == 0) {
        Complete(Overlapped, *event, 0, 0);
        return true;
    }
    FWrites.push_back(std::move(r));
    return Started(Overlapped, Written);
}

bool CommDevice::Read(void* Buffer, DWORD Count, DWORD* ReadCount, OVERLAPPED* Overlapped)
{
    std::lock_guard lock(FMutex);
    if (ReadCount)
        *ReadCount = 0;
    if (!Buffer && Count > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (FBroken && FInput.empty()) {
        SetLastError(ERROR_GEN_FAILURE);
        return false;
    }
    std::shared_ptr<CommEvent> event;
    if (!Begin(Overlapped, event))
        return false;
    Request r;
    r.Overlapped = Overlapped;
    r.Event = event;
    r.Data = static_cast<std::uint8_t*>(Buffer);
    r.Count = Count;
    const COMMTIMEOUTS& t = FTimeouts;
    if (t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0) {
        r.Immediate = true;
    } else if (t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD &&
               t.ReadTotalTimeoutConstant > 0 && t.ReadTotalTimeoutConstant < MAXDWORD) {
        r.FirstByte = true;
        r.Deadline = Clock::now() + Millis(t.ReadTotalTimeoutConstant);
    } else {
        std::uint64_t total = std::uint64_t(t.ReadTotalTimeoutMultiplier) * Count + t.ReadTotalTimeoutConstant;
        if (total > 0)
            r.Deadline = Clock::now() + Millis(total);
        if (t.ReadIntervalTimeout > 0 && t.ReadIntervalTimeout != MAXDWORD)
            r.Interval = Millis(t.ReadIntervalTimeout);
    }
    FReads.push_back(std::move(r));
    return Started(Overlapped, ReadCount);
}

void CommDevice::AddEvents(DWORD Events)
{
    FHistory |= Events & FMask;
}

void CommDevice::Pump()
{
    bool arrived = false;
    if (!FBroken) {
        arrived = PumpInput();
        PumpOutput();
    }
    auto now = Clock::now();
    if (arrived) {
        FRxHeld = true;
        const Clock::duration charTime = CharTime();
        FRxQuietAt = now + charTime * 7 / 2;
        const DWORD queued = static_cast<DWORD>(FInput.size());
        FRxDueAt = now + charTime * (queued + 2 < FRxBatch ? FRxBatch - queued - 2 : 0);
        // Bytes taken in by another thread's call: the driver thread must
        // wake for their quiet-line deadline.
        if (FRxBatch > 1 && std::this_thread::get_id() != FThread.get_id())
            Wake();
    }
    ReportReceived(now);
    bool lineDue = FLineNotified || (FBackend->NeedsLinePolling() && (FMask & LineEvents) && now >= FNextLinePoll);
    if (lineDue && !FBroken) {
        FLineNotified = false;
        FNextLinePoll = now + LinePollPeriod;
        DWORD errors = 0;
        AddEvents(FBackend->TakeLineEvents(errors));
        FErrors |= errors;
    }
    if (FTxBusy && FWrites.empty() && (FBroken || FBackend->OutQueue() == 0)) {
        FTxBusy = false;
        AddEvents(EV_TXEMPTY);
    }
    FinishReads(now);
    FinishWrites(now);
    FinishWait();
}

void CommDevice::ReportReceived(Clock::time_point Now)
{
    if (!FRxHeld)
        return;
    if (FInput.empty()) {
        // Read before they were reported; an event character among them
        // was still received.
        if (FRxFlagHeld)
            AddEvents(EV_RXFLAG);
        FRxFlagHeld = false;
        FRxHeld = false;
        return;
    }
    if (FInput.size() >= FRxBatch || Now >= FRxQuietAt || FBroken) {
        FRxHeld = false;
        AddEvents(EV_RXCHAR | (FRxFlagHeld ? EV_RXFLAG : 0));
        FRxFlagHeld = false;
    }
}

// One character on the line at its speed; three and a half of them are
// the silence that ends a frame.
CommDevice::Clock::duration CommDevice::CharTime() const
{
    const double stopBits = FDcb.StopBits == ONESTOPBIT ? 1 : FDcb.StopBits == ONE5STOPBITS ? 1.5 : 2;
    const double bits = 1 + FDcb.ByteSize + (FDcb.Parity != NOPARITY ? 1 : 0) + stopBits;
    const double baud = FDcb.BaudRate > 0 ? FDcb.BaudRate : 9600;
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(bits / baud));
}

bool CommDevice::RxPacing(Clock::time_point Now) const
{
    // A pending read takes bytes as they come: it is not kept waiting.
    return FRxHeld && FReads.empty() && FInput.size() < FRxBatch && Now < FRxDueAt;
}

bool CommDevice::PumpInput()
{
    bool arrived = false;
    std::uint8_t chunk[4096];
    while (FInput.size() < FInQueueSize) {
        size_t room = std::min<size_t>(sizeof chunk, FInQueueSize - FInput.size());
        ssize_t n = FBackend->ReadData(chunk, room);
        if (n > 0) {
            size_t before = FInput.size();
            bool flag = false;
            for (ssize_t i = 0; i < n; ++i) {
                std::uint8_t b = chunk[i];
                if (b == 0 && (FDcb.Flags & fNull))
                    continue;
                if (static_cast<char>(b) == FDcb.EvtChar)
                    flag = true;
                FInput.push_back(b);
            }
            if (FInput.size() > before)
                arrived = true;
            if (flag)
                FRxFlagHeld = true;
            size_t full = FInQueueSize * 8 / 10;
            if (before < full && FInput.size() >= full)
                AddEvents(EV_RX80FULL);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return arrived;
        HangUp();
        return arrived;
    }
    return arrived;
}

void CommDevice::PumpOutput()
{
    while (!FWrites.empty() && !FBroken) {
        Request& w = FWrites.front();
        ssize_t n = FBackend->WriteData(w.Data + w.Done, w.Count - w.Done);
        if (n > 0) {
            FTxBusy = true;
            w.Done += static_cast<DWORD>(n);
            if (w.Done == w.Count) {
                Complete(w.Overlapped, *w.Event, 0, w.Done);
                FWrites.pop_front();
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        HangUp();
    }
}

void CommDevice::FinishReads(Clock::time_point Now)
{
    while (!FReads.empty()) {
        Request& r = FReads.front();
        DWORD take = std::min<DWORD>(r.Count - r.Done, static_cast<DWORD>(FInput.size()));
        if (take > 0) {
            std::copy_n(FInput.begin(), take, r.Data + r.Done);
            FInput.erase(FInput.begin(), FInput.begin() + take);
            r.Done += take;
            r.LastByte = Now;
        }
        bool done = r.Done == r.Count || r.Immediate || (r.FirstByte && r.Done > 0) ||
                    (r.Deadline && Now >= *r.Deadline) || (r.Interval && r.Done > 0 && Now >= r.LastByte + *r.Interval);
        if (!done && FBroken) {
            Complete(r.Overlapped, *r.Event, ERROR_GEN_FAILURE, r.Done);
            FReads.pop_front();
            continue;
        }
        if (!done)
            return;
        Complete(r.Overlapped, *r.Event, 0, r.Done);
        FReads.pop_front();
    }
}

void CommDevice::FinishWrites(Clock::time_point Now)
{
    while (!FWrites.empty()) {
        Request& w = FWrites.front();
        if (FBroken) {
            Complete(w.Overlapped, *w.Event, ERROR_GEN_FAILURE, w.Done);
        } else if (w.Deadline && Now >= *w.Deadline) {
            // A write time-out ends the request with the bytes sent so far.
            Complete(w.Overlapped, *w.Event, 0, w.Done);
        } else {
            return;
        }
        FWrites.pop_front();
    }
}

void CommDevice::FinishWait()
{
    if (!FWait)
        return;
    if (DWORD events = FHistory & FMask) {
        FHistory = 0;
        *FWait->Mask = events;
        Complete(FWait->Overlapped, *FWait->Event, 0, 0);
        FWait.reset();
    } else if (FBroken) {
        *FWait->Mask = 0;
        Complete(FWait->Overlapped, *FWait->Event, ERROR_GEN_FAILURE, 0);
        FWait.reset();
    }
}

void CommDevice::HangUp()
{
    if (FBroken)
        return;
    FBroken = true;
    FErrors |= CE_IOE;
}

void CommDevice::AbortReads(DWORD Error)
{
    for (Request& r : FReads)
        Complete(r.Overlapped, *r.Event, Error, r.Done);
    FReads.clear();
}

void CommDevice::AbortWrites(DWORD Error)
{
    for (Request& w : FWrites)
        Complete(w.Overlapped, *w.Event, Error, w.Done);
    FWrites.clear();
}

std::optional<CommDevice::Clock::duration> CommDevice::PollTimeout(Clock::time_point Now) const
{
    std::optional<Clock::time_point> next;
    auto consider = [&](Clock::time_point t) {
        if (!next || t < *next)
            next = t;
    };
    if (!FReads.empty()) {
        const Request& r = FReads.front();
        if (r.Deadline)
            consider(*r.Deadline);
        if (r.Interval && r.Done > 0)
            consider(r.LastByte + *r.Interval);
    }
    if (!FWrites.empty() && FWrites.front().Deadline)
        consider(*FWrites.front().Deadline);
    if (FTxBusy && FWrites.empty())
        consider(Now + TxEmptyRecheck);
    // While the rest of a batch cannot be there yet, the line is looked at
    // again only when it could; the quiet-line deadline counts after that.
    if (RxPacing(Now))
        consider(FRxDueAt);
    else if (FRxHeld)
        consider(FRxQuietAt);
    if (FBackend->NeedsLinePolling() && (FMask & LineEvents) && !FBroken)
        consider(std::max(FNextLinePoll, Now));
    if (!next)
        return std::nullopt;
    return std::clamp<Clock::duration>(*next - Now, Clock::duration::zero(), std::chrono::seconds(60));
}

void CommDevice::Loop()
{
    // Its deadlines are a few character times away at most; the default
    // timer slack of 50 us would let the last bytes of a batch wait.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    std::unique_lock lock(FMutex);
    while (!FStopping) {
        Pump();
        const auto now = Clock::now();
        pollfd fds[2] = {{FWakeFd, POLLIN, 0}, {FBackend->Fd(), 0, 0}};
        nfds_t count = 1;
        if (!FBroken) {
            if (FInput.size() < FInQueueSize && !RxPacing(now))
                fds[1].events |= POLLIN;
            if (!FWrites.empty())
                fds[1].events |= POLLOUT;
            // Hang-ups are reported even with no events asked for; with a
            // full input queue that would spin, so the descriptor waits.
            if (fds[1].events)
                count = 2;
        }
        const std::optional<Clock::duration> timeout = PollTimeout(now);
        timespec wait{};
        if (timeout) {
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(*timeout).count();
            wait.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            wait.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        }
        lock.unlock();
        int rc = ::ppoll(fds, count, timeout ? &wait : nullptr, nullptr);
        lock.lock();
        if (rc > 0 && (fds[0].revents & POLLIN)) {
            std::uint64_t value;
            [[maybe_unused]] auto n = ::read(FWakeFd, &value, sizeof value);
        }
        if (rc > 0 && count == 2 && (fds[1].revents & (POLLHUP | POLLERR)) && !(fds[1].revents & POLLIN)) {
            // Nothing left to read: the far end is gone.
            HangUp();
        }
    }
}

}  // namespace comm
