// One request/reply exchange on a pseudo-terminal whose far end answers at
// once: an 8-byte request out, a 25-byte reply packet back. Measured
// through the port component (event thread, hand-over to the main thread,
// packet framer) and through a bare poll()/read() loop; the medians and
// their ratio are printed at the end.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "serial/CPort.h"

namespace {

using Clock = std::chrono::steady_clock;

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

std::vector<double> LibrarySamples, BareSamples;

double Median(std::vector<double> Samples)
{
    if (Samples.empty())
        return 0;
    std::sort(Samples.begin(), Samples.end());
    return Samples[Samples.size() / 2];
}

void BM_ExchangeThroughComPort(benchmark::State& State)
{
    Responder responder;
    TComPort port(nullptr);
    port.SetPort(responder.Slave());
    port.SetBaudRate(brCustom);
    port.SetCustomBaudRate(115200);
    TComDataPacket packet(nullptr);
    packet.SetComPort(&port);
    bool got = false;
    packet.OnPacket = [&](TObject*, const std::string& Str) { got = Str.size() == 24; };
    port.Open();
    for (auto _ : State) {
        packet.SetStartString("\x01");
        packet.SetStopString("");
        packet.SetSize(25);
        packet.ResetBuffer();
        got = false;
        auto start = Clock::now();
        port.Write(Request.data(), static_cast<int>(Request.size()));
        while (!got)
            CheckSynchronize(1000);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        State.SetIterationTime(seconds);
        LibrarySamples.push_back(seconds);
    }
    port.Close();
}

void BM_ExchangeThroughBareLoop(benchmark::State& State)
{
    Responder responder;
    {
        // Leaves the line raw for the bare descriptor below.
        TComPort setup(nullptr);
        setup.SetPort(responder.Slave());
        setup.SetEvents({});
        setup.Open();
        setup.Close();
    }
    int fd = ::open(responder.Slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    for (auto _ : State) {
        auto start = Clock::now();
        [[maybe_unused]] auto w = ::write(fd, Request.data(), Request.size());
        size_t have = 0;
        char buf[64];
        while (have < 25) {
            pollfd p{fd, POLLIN, 0};
            ::poll(&p, 1, 1000);
            ssize_t n = ::read(fd, buf + have, sizeof buf - have);
            if (n > 0)
                have += static_cast<size_t>(n);
        }
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        State.SetIterationTime(seconds);
        BareSamples.push_back(seconds);
    }
    ::close(fd);
}

BENCHMARK(BM_ExchangeThroughComPort)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_ExchangeThroughBareLoop)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double library = Median(LibrarySamples) * 1e6, bare = Median(BareSamples) * 1e6;
    std::printf("median exchange: component %.1f us, bare loop %.1f us, ratio %.2f, added %.1f us\n",
                library, bare, bare > 0 ? library / bare : 0.0, library - bare);
    return 0;
}
