#include "comm/FakeDevice.h"

#include <cerrno>
#include <chrono>
#include <map>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "comm/CommBackend.h"
#include "comm/CommError.h"

namespace comm {

namespace {

std::mutex& RegistryMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, std::weak_ptr<FakeDevice>>& Registry()
{
    static std::map<std::string, std::weak_ptr<FakeDevice>> registry;
    return registry;
}

}  // namespace

class FakeBackend : public CommBackend {
public:
    FakeBackend(std::shared_ptr<FakeDevice> Device, int Fd) : FDevice(std::move(Device)), FFd(Fd) {}

    ~FakeBackend() override
    {
        ::close(FFd);
        std::lock_guard lock(FDevice->FMutex);
        FDevice->FOpen = false;
        FDevice->FNotify = nullptr;
    }

    int Fd() const override { return FFd; }

    // A far end that hung up must not raise SIGPIPE.
    ssize_t WriteData(const std::uint8_t* Buffer, size_t Count) override
    {
        return ::send(FFd, Buffer, Count, MSG_NOSIGNAL);
    }

    bool ApplyState(const DCB& Dcb, DWORD& Error) override
    {
        std::lock_guard lock(FDevice->FMutex);
        if (FDevice->FFailState) {
            Error = FDevice->FFailState;
            FDevice->FFailState = 0;
            return false;
        }
        FDevice->FDcb = Dcb;
        ++FDevice->FStateCount;
        return true;
    }

    bool SetupBuffers(DWORD InQueue, DWORD OutQueue, DWORD& Error) override
    {
        std::lock_guard lock(FDevice->FMutex);
        if (FDevice->FFailSetup) {
            Error = FDevice->FFailSetup;
            FDevice->FFailSetup = 0;
            return false;
        }
        FDevice->FInQueue = InQueue;
        FDevice->FOutQueue = OutQueue;
        return true;
    }

    DWORD ModemStatus() override
    {
        std::lock_guard lock(FDevice->FMutex);
        return FDevice->FStatus;
    }

    DWORD TakeLineEvents(DWORD& Errors) override
    {
        std::lock_guard lock(FDevice->FMutex);
        DWORD events = FDevice->FPendingEvents;
        Errors |= FDevice->FPendingErrors;
        FDevice->FPendingEvents = 0;
        FDevice->FPendingErrors = 0;
        return events;
    }

    bool NeedsLinePolling() const override { return false; }

    void SetNotify(std::function<void()> Notify) override
    {
        std::lock_guard lock(FDevice->FMutex);
        FDevice->FNotify = std::move(Notify);
    }

    DWORD OutQueue() override { return 0; }

    void Flush(bool Input, bool) override
    {
        if (!Input)
            return;
        char chunk[4096];
        while (::recv(FFd, chunk, sizeof chunk, MSG_DONTWAIT) > 0) {
        }
    }

private:
    std::shared_ptr<FakeDevice> FDevice;
    int FFd;
};

std::shared_ptr<FakeDevice> FakeDevice::Create(const std::string& Name)
{
    std::shared_ptr<FakeDevice> device(new FakeDevice(Name));
    std::lock_guard lock(RegistryMutex());
    Registry()[Name] = device;
    return device;
}

std::shared_ptr<FakeDevice> FakeDevice::Find(const std::string& Name)
{
    std::lock_guard lock(RegistryMutex());
    auto it = Registry().find(Name);
    return it == Registry().end() ? nullptr : it->second.lock();
}

FakeDevice::FakeDevice(std::string Name) : FName(std::move(Name)) {}

FakeDevice::~FakeDevice()
{
    {
        std::lock_guard lock(RegistryMutex());
        auto it = Registry().find(FName);
        if (it != Registry().end() && it->second.expired())
            Registry().erase(it);
    }
    if (FPeerFd >= 0)
        ::close(FPeerFd);
}

std::unique_ptr<CommBackend> FakeDevice::Open(DWORD& Error)
{
    std::lock_guard lock(FMutex);
    if (FOpen) {
        Error = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0) {
        Error = ErrorFromErrno(errno);
        return nullptr;
    }
    if (FPeerFd >= 0)
        ::close(FPeerFd);
    FPeerFd = fds[1];
    FOpen = true;
    FPendingEvents = FPendingErrors = 0;
    return std::make_unique<FakeBackend>(shared_from_this(), fds[0]);
}

bool FakeDevice::IsOpen() const
{
    std::lock_guard lock(FMutex);
    return FOpen;
}

void FakeDevice::Send(const std::string& Bytes)
{
    int fd;
    {
        std::lock_guard lock(FMutex);
        fd = FPeerFd;
    }
    size_t done = 0;
    while (fd >= 0 && done < Bytes.size()) {
        ssize_t n = ::send(fd, Bytes.data() + done, Bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 1000);
        } else {
            break;
        }
    }
}

std::string FakeDevice::Receive(size_t Count, int TimeoutMs)
{
    int fd;
    {
        std::lock_guard lock(FMutex);
        fd = FPeerFd;
    }
    std::string result;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (fd >= 0 && result.size() < Count) {
        char chunk[4096];
        ssize_t n = ::recv(fd, chunk, std::min(sizeof chunk, Count - result.size()), MSG_DONTWAIT);
        if (n > 0) {
            result.append(chunk, static_cast<size_t>(n));
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left));
    }
    return result;
}

void FakeDevice::HangUp()
{
    std::lock_guard lock(FMutex);
    if (FPeerFd >= 0) {
        ::close(FPeerFd);
        FPeerFd = -1;
    }
}

void FakeDevice::Notify()
{
    std::function<void()> notify;
    {
        std::lock_guard lock(FMutex);
        notify = FNotify;
    }
    if (notify)
        notify();
}

void FakeDevice::SetModemStatus(DWORD Status)
{
    {
        std::lock_guard lock(FMutex);
        DWORD changed = Status ^ FStatus;
        if (changed & MS_CTS_ON)
            FPendingEvents |= EV_CTS;
        if (changed & MS_DSR_ON)
            FPendingEvents |= EV_DSR;
        if (changed & MS_RLSD_ON)
            FPendingEvents |= EV_RLSD;
        if ((changed & MS_RING_ON) && (Status & MS_RING_ON))
            FPendingEvents |= EV_RING;
        FStatus = Status;
    }
    Notify();
}

void FakeDevice::SignalBreak()
{
    {
        std::lock_guard lock(FMutex);
        FPendingEvents |= EV_BREAK;
        FPendingErrors |= CE_BREAK;
    }
    Notify();
}

void FakeDevice::InjectErrors(DWORD Errors)
{
    {
        std::lock_guard lock(FMutex);
        FPendingEvents |= EV_ERR;
        FPendingErrors |= Errors;
    }
    Notify();
}

DCB FakeDevice::LastDcb() const
{
    std::lock_guard lock(FMutex);
    return FDcb;
}

int FakeDevice::StateCount() const
{
    std::lock_guard lock(FMutex);
    return FStateCount;
}

DWORD FakeDevice::InQueueSize() const
{
    std::lock_guard lock(FMutex);
    return FInQueue;
}

DWORD FakeDevice::OutQueueSize() const
{
    std::lock_guard lock(FMutex);
    return FOutQueue;
}

void FakeDevice::FailNextState(DWORD Error)
{
    std::lock_guard lock(FMutex);
    FFailState = Error;
}

void FakeDevice::FailNextSetup(DWORD Error)
{
    std::lock_guard lock(FMutex);
    FFailSetup = Error;
}

}  // namespace comm
