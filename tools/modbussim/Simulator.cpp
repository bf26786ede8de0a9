#include "tools/modbussim/Simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <system_error>

#include "tools/modbussim/LineOpeners.h"

namespace modbussim {

namespace {

[[noreturn]] void Fail(const std::string& What)
{
    throw std::system_error(errno, std::generic_category(), What);
}

void MakeRaw(int Fd, speed_t Speed, char Parity)
{
    termios tio{};
    if (::tcgetattr(Fd, &tio) != 0)
        Fail("tcgetattr");
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(PARENB | PARODD | CSTOPB);
    if (Parity == 'E' || Parity == 'O')
        tio.c_cflag |= PARENB;
    if (Parity == 'O')
        tio.c_cflag |= PARODD;
    if (Speed != B0)
        ::cfsetspeed(&tio, Speed);
    if (::tcsetattr(Fd, TCSANOW, &tio) != 0)
        Fail("tcsetattr");
}

speed_t SpeedOf(int BaudRate)
{
    static const std::pair<int, speed_t> speeds[] = {
        {1200, B1200},   {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const auto& [rate, speed] : speeds)
        if (rate == BaudRate)
            return speed;
    throw std::invalid_argument("unsupported baud rate " + std::to_string(BaudRate));
}

}  // namespace

std::chrono::nanoseconds LineTiming::CharTime() const
{
    return std::chrono::nanoseconds(1'000'000'000LL * BitsPerChar / BaudRate);
}

Simulator::Simulator()
{
    FLine = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (FLine < 0)
        Fail("posix_openpt");
    char name[128];
    if (::grantpt(FLine) != 0 || ::unlockpt(FLine) != 0 || ::ptsname_r(FLine, name, sizeof name) != 0) {
        ::close(FLine);
        Fail("pseudo-terminal set-up");
    }
    FPortPath = name;
    FKeepOpen = ::open(name, O_RDWR | O_NOCTTY);
    if (FKeepOpen < 0) {
        ::close(FLine);
        Fail("open " + FPortPath);
    }
    // No echo or line editing before the master sets the line up itself.
    MakeRaw(FKeepOpen, B0, 'N');
    ::fcntl(FLine, F_SETFL, ::fcntl(FLine, F_GETFL) | O_NONBLOCK);
    if (::pipe2(FWake, O_CLOEXEC | O_NONBLOCK) != 0)
        Fail("pipe");
}

Simulator::Simulator(const std::string& DevicePath, int BaudRate, char Parity)
{
    speed_t speed = SpeedOf(BaudRate);
    FLine = ::open(DevicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (FLine < 0)
        Fail("open " + DevicePath);
    FPortPath = DevicePath;
    MakeRaw(FLine, speed, Parity);
    FTiming.BaudRate = BaudRate;
    FTiming.BitsPerChar = (Parity == 'E' || Parity == 'O') ? 11 : 10;
    if (::pipe2(FWake, O_CLOEXEC | O_NONBLOCK) != 0)
        Fail("pipe");
}

Simulator::~Simulator()
{
    Stop();
    for (int fd : {FLine, FKeepOpen, FWake[0], FWake[1]})
        if (fd >= 0)
            ::close(fd);
}

LineTiming Simulator::Timing() const
{
    std::lock_guard lock(FTimingMutex);
    return FTiming;
}

void Simulator::SetTiming(const LineTiming& Value)
{
    if (Value.BaudRate <= 0 || (Value.BitsPerChar != 10 && Value.BitsPerChar != 11))
        throw std::invalid_argument("baud rate must be positive and a character 10 or 11 bits");
    std::lock_guard lock(FTimingMutex);
    FTiming = Value;
}

bool Simulator::Exclusive() const
{
    int exclusive = 0;
    return FKeepOpen >= 0 && ::ioctl(FKeepOpen, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

void Simulator::Start()
{
    if (FThread.joinable())
        return;
    FStop = false;
    FThread = std::thread([this] { Run(); });
}

void Simulator::Stop()
{
    if (!FThread.joinable())
        return;
    FStop = true;
    Wake();
    FThread.join();
}

void Simulator::Wake()
{
    char byte = 1;
    [[maybe_unused]] auto n = ::write(FWake[1], &byte, 1);
}

void Simulator::Run()
{
    std::uint8_t buffer[512];
    while (!FStop) {
        timespec wait{};
        timespec* timeout = nullptr;
        std::optional<Clock::time_point> wakeAt;
        if (!FQueue.empty())
            wakeAt = FQueue.front().At;
        if (FKeepOpen >= 0)
            wakeAt = std::min(wakeAt.value_or(FNextExclusiveCheck), FNextExclusiveCheck);
        if (wakeAt) {
            auto left = std::max(*wakeAt - Clock::now(), Clock::duration::zero());
            auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            wait.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            wait.tv_nsec = static_cast<long>(ns % 1'000'000'000);
            timeout = &wait;
        }
        pollfd fds[2] = {{FLine, POLLIN, 0}, {FWake[0], POLLIN, 0}};
        if (::ppoll(fds, 2, timeout, nullptr) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN)
            while (::read(FWake[0], buffer, sizeof buffer) > 0) {
            }
        if (fds[0].revents & POLLIN) {
            ssize_t n = ::read(FLine, buffer, sizeof buffer);
            if (n > 0) {
                auto now = Clock::now();
                FReceived += static_cast<std::uint64_t>(n);
                FLastReceived = now;
                Schedule(FSlave.Receive(buffer, static_cast<std::size_t>(n), now), now);
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // A real device that went away: wait for Stop instead of spinning.
            pollfd wake{FWake[0], POLLIN, 0};
            ::poll(&wake, 1, 100);
        }
        SendDue();
        if (FKeepOpen >= 0 && Clock::now() >= FNextExclusiveCheck)
            ReleaseAbandonedExclusive();
    }
}

void Simulator::ReleaseAbandonedExclusive()
{
    // Looking through every process costs more than the ioctl: at most once
    // a second, and only while the line is exclusive.
    FNextExclusiveCheck = Clock::now() + std::chrono::seconds(1);
    if (!Exclusive())
        return;
    // A real port drops the flag once its last user closes it; this one
    // stays open here, so a program killed while holding the line would
    // otherwise keep it from everyone until the simulator restarts.
    if (!OpenedElsewhere(FKeepOpen))
        ::ioctl(FKeepOpen, TIOCNXCL);
    ++FExclusiveChecks;
}

void Simulator::Schedule(const std::vector<Transmission>& Plan, Clock::time_point Now)
{
    LineTiming timing = Timing();
    auto insert = [this](Clock::time_point At, Bytes Data) {
        auto pos = std::upper_bound(FQueue.begin(), FQueue.end(), At,
                                    [](Clock::time_point t, const Scheduled& s) { return t < s.At; });
        FQueue.insert(pos, Scheduled{At, std::move(Data)});
    };
    for (const Transmission& t : Plan) {
        Clock::time_point due = Now + t.Delay;
        if (!timing.Pacing) {
            insert(due, t.Data);
            continue;
        }
        auto charTime = std::chrono::duration_cast<Clock::duration>(timing.CharTime());
        auto silence = charTime * 7 / 2;
        Clock::time_point start = std::max(due, FLineFree);
        if (t.StartsFrame)
            start = std::max({start, FLastReceived + silence, FLineFree + silence});
        for (std::size_t i = 0; i < t.Data.size(); ++i)
            insert(start + charTime * static_cast<long>(i + 1), Bytes{t.Data[i]});
        FLineFree = start + charTime * static_cast<long>(t.Data.size());
    }
}

void Simulator::SendDue()
{
    auto now = Clock::now();
    while (!FQueue.empty() && FQueue.front().At <= now) {
        const Bytes& data = FQueue.front().Data;
        std::size_t done = 0;
        while (done < data.size()) {
            ssize_t n = ::write(FLine, data.data() + done, data.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            break;  // nobody reads the line and its buffer is full: drop the rest
        }
        FSent += done;
        FQueue.erase(FQueue.begin());
    }
}

}  // namespace modbussim
