// Request/reply exchanges on a pseudo-terminal whose far end answers at
// once: an 8-byte request out, a 25-byte reply packet back, as one Modbus
// poll of ten registers. Ours goes through the port component (event
// thread, hand-over to the main thread, packet framer set up before each
// request as the sampling thread does); theirs is a bare write and
// poll()/read() loop on the same kind of line. Each round is 1000
// exchanges, so milliseconds per round read as microseconds per exchange.
// CPU time is the whole process's: the far end's thread is in it on both
// sides, the component's event thread on ours.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "common/Rounds.h"
#include "serial/CPort.h"

namespace {

constexpr int ExchangesPerRound = 1000;

const std::string Request("\x01\x03\x00\x00\x00\x0A\xC5\xCD", 8);

std::string Reply()
{
    std::string reply(25, '\0');
    reply[0] = 0x01;
    reply[1] = 0x03;
    reply[2] = 20;
    for (int i = 3; i < 25; ++i)
        reply[static_cast<size_t>(i)] = static_cast<char>(i * 7);
    return reply;
}

// The far end: answers every 8 request bytes with the reply.
class Responder {
public:
    Responder()
    {
        FMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(FMaster);
        ::unlockpt(FMaster);
        FSlave = ::ptsname(FMaster);
        FThread = std::thread([this] { Run(); });
    }
    ~Responder()
    {
        FStop = true;
        FThread.join();
        ::close(FMaster);
    }
    const std::string& Slave() const { return FSlave; }

private:
    void Run()
    {
        const std::string reply = Reply();
        size_t pending = 0;
        while (!FStop) {
            pollfd p{FMaster, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN))
                continue;
            char buf[256];
            ssize_t n = ::read(FMaster, buf, sizeof buf);
            if (n <= 0)
                continue;
            pending += static_cast<size_t>(n);
            while (pending >= Request.size()) {
                pending -= Request.size();
                [[maybe_unused]] auto w = ::write(FMaster, reply.data(), reply.size());
            }
        }
    }

    int FMaster = -1;
    std::string FSlave;
    std::thread FThread;
    std::atomic<bool> FStop{false};
};

// Our side: the port component and its packet framer on an open line.
class TComponentSide {
public:
    TComponentSide() : FPort(nullptr), FPacket(nullptr)
    {
        FPort.SetPort(FResponder.Slave());
        FPort.SetBaudRate(brCustom);
        FPort.SetCustomBaudRate(115200);
        FPacket.SetComPort(&FPort);
        FPacket.OnPacket = [this](TObject*, const std::string& Str) { FGot = Str.size() == 24; };
        FPort.Open();
    }
    ~TComponentSide() { FPort.Close(); }

    void Exchange()
    {
        FPacket.SetStartString("\x01");
        FPacket.SetStopString("");
        FPacket.SetSize(25);
        FPacket.ResetBuffer();
        FGot = false;
        FPort.Write(Request.data(), static_cast<int>(Request.size()));
        while (!FGot)
            CheckSynchronize(1000);
    }

private:
    Responder FResponder;
    TComPort FPort;
    TComDataPacket FPacket;
    bool FGot = false;
};

// Their side: a raw descriptor, a write and a poll()/read() loop.
class TBareSide {
public:
    TBareSide()
    {
        {
            // Leaves the line raw for the bare descriptor below.
            TComPort setup(nullptr);
            setup.SetPort(FResponder.Slave());
            setup.SetEvents({});
            setup.Open();
            setup.Close();
        }
        FFd = ::open(FResponder.Slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    }
    ~TBareSide() { ::close(FFd); }
    bool Ready() const { return FFd >= 0; }

    void Exchange()
    {
        [[maybe_unused]] auto w = ::write(FFd, Request.data(), Request.size());
        size_t have = 0;
        char buf[64];
        while (have < 25) {
            pollfd p{FFd, POLLIN, 0};
            ::poll(&p, 1, 1000);
            ssize_t n = ::read(FFd, buf + have, sizeof buf - have);
            if (n > 0)
                have += static_cast<size_t>(n);
        }
    }

private:
    Responder FResponder;
    int FFd = -1;
};

}  // namespace

int main()
{
    TComponentSide ours;
    TBareSide theirs;
    if (!theirs.Ready()) {
        std::fprintf(stderr, "cannot open the bare line\n");
        return 1;
    }
    std::printf(
        "Modbus-sized request/reply exchanges on a pseudo-terminal that answers at once: TComPort with its\n"
        "event thread and TComDataPacket beside a bare write and poll()/read() loop. %d exchanges a round:\n"
        "ms per round = us per exchange. CPU is the whole process's (far end's thread on both sides).\n",
        ExchangesPerRound);
    bench::Compare(
        "8-byte request, 25-byte reply", "TComPort + TComDataPacket",
        [&] {
            for (int i = 0; i < ExchangesPerRound; ++i)
                ours.Exchange();
        },
        "bare poll()/read() loop",
        [&] {
            for (int i = 0; i < ExchangesPerRound; ++i)
                theirs.Exchange();
        });
    return 0;
}
