// The whole program's polling cost against a plain libmodbus master loop,
// both on the same simulated instrument line, in one run.
//
// The line is the modbussim program in a process of its own, pacing its
// replies like a real line (one station, 10 registers), so this process's
// CPU time is the master's alone. Our side is the sampling thread with its
// port, event threads and the Qt message loop serving the hand-overs, as in
// the program; the libmodbus side is modbus_read_registers in a loop. Each
// round polls for a fixed time; the rounds of the two sides alternate.
//   bench_polling [seconds per round, default 3] [rounds, default 5]
#include "app/SerialPortSampleThreadUnit.h"
#include "rtl/Thread.h"
#include "ui/Application.h"

#include <modbus.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Registers = 10;

// A device that only counts its answers.
class TCountingDevice : public TSampleDevice {
public:
    int StationId() const override { return 1; }
    int ValueRule() const override { return 0; }
    int DVRBeginAddr() const override { return 0; }
    int ChannelCount() const override { return Registers; }
    bool Online() const override { return FOnline; }
    void SetOnline(bool Value) override
    {
        FOnline = Value;
        Value ? ++Answers : ++TimeOuts;
    }
    void SetRawValue(int, std::int32_t) override {}
    void SetNoValue(int) override {}
    double Value(int) const override { return 0; }
    std::string DisplayText(int) const override { return "0"; }
    std::string ValueName(int) const override { return "v"; }
    std::string WorkUnit(int) const override { return ""; }
    bool IsStartTriggerChannel(int) const override { return false; }
    bool StartTriggered(int) const override { return false; }
    bool IsStopTriggerChannel(int) const override { return false; }
    bool StopTriggered(int) const override { return false; }
    void AddChartPoints(double) override {}
    void ResetDevice() override {}

    long Answers = 0;
    long TimeOuts = 0;

private:
    bool FOnline = false;
};

class TNullView : public TSampleView {
public:
    void SetLogState(const std::string&) override {}
    void SetElapsed(const std::string&) override {}
    void SetPollProgress(int, const std::string&) override {}
    void PostStopMessage() override {}
};

// The simulated line: a modbussim process for as long as this object lives.
class TSimulatedLine {
public:
    explicit TSimulatedLine(int Baud)
    {
        int out[2];
        if (::pipe(out) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        // Its closing byte counts would only clutter the report.
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const std::string station = "station 1 rule 0 start 0 channels " + std::to_string(Registers);
        const std::string pacing = "pacing " + std::to_string(Baud);
        const char* argv[] = {MODBUSSIM_PATH, "-e", station.c_str(), "-e", pacing.c_str(), nullptr};
        const int rc = posix_spawn(&FPid, MODBUSSIM_PATH, &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (rc != 0) {
            ::close(out[0]);
            throw std::runtime_error(std::string("cannot start ") + MODBUSSIM_PATH);
        }
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n')
            FPath += c;
        ::close(out[0]);
        if (FPath.empty())
            throw std::runtime_error("modbussim printed no port");
    }
    ~TSimulatedLine()
    {
        ::kill(FPid, SIGTERM);
        ::waitpid(FPid, nullptr, 0);
    }
    const std::string& Path() const { return FPath; }

private:
    pid_t FPid = -1;
    std::string FPath;
};

double ProcessCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct TRound {
    long Polls = 0;
    double Wall = 0;  // seconds
    double Cpu = 0;   // seconds

    double PollsPerSecond() const { return Polls / Wall; }
    double CpuMsPer1000Polls() const { return Polls ? Cpu * 1e6 / Polls : 0; }
};

// Runs in a worker thread while the main thread runs the message loop;
// the sampling thread is made, counted and freed in the main thread, as
// the program does.
TRound OurRound(const std::string& Path, int Baud, int PollDelay, double Seconds)
{
    TCountingDevice device;
    TNullView view;
    TSampleSettings settings;
    settings.PollDelay = PollDelay;
    settings.PollTimeout = 1000;
    settings.StartMode = 1;  // polls without logging
    settings.StartTriggerLogic = 1;
    const auto dir = std::filesystem::temp_directory_path();
    TSerialPortSampleThread* thread = nullptr;
    TThread::Synchronize(nullptr, [&] {
        thread = new TSerialPortSampleThread({Path, Baud, 0}, (dir / "bench-polling.tmp").string(),
                                             (dir / "bench-polling.csv").string(), settings, &view);
        thread->AddDevice(&device);
        thread->Resume();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    long before = 0, after = 0;
    TThread::Synchronize(nullptr, [&] { before = device.Answers; });
    const double cpu = ProcessCpuSeconds();
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(Seconds));
    TThread::Synchronize(nullptr, [&] { after = device.Answers; });
    TRound round;
    round.Cpu = ProcessCpuSeconds() - cpu;
    round.Wall = std::chrono::duration<double>(Clock::now() - start).count();
    round.Polls = after - before;
    TThread::Synchronize(nullptr, [&] {
        thread->Terminate();
        thread->WaitFor();
        delete thread;
    });
    if (device.TimeOuts > 0)
        std::fprintf(stderr, "our master: %ld time-outs\n", device.TimeOuts);
    return round;
}

TRound LibModbusRound(const std::string& Path, int Baud, int PollDelay, double Seconds)
{
    modbus_t* ctx = modbus_new_rtu(Path.c_str(), Baud, 'N', 8, 1);
    if (!ctx || modbus_connect(ctx) != 0)
        throw std::runtime_error("libmodbus cannot open " + Path);
    modbus_set_slave(ctx, 1);
    modbus_set_response_timeout(ctx, 1, 0);
    std::uint16_t regs[Registers];
    long failures = 0;
    TRound round;
    const double cpu = ProcessCpuSeconds();
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(Seconds);
    while (Clock::now() < end) {
        modbus_read_registers(ctx, 0, Registers, regs) == Registers ? ++round.Polls : ++failures;
        if (PollDelay > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(PollDelay));
    }
    round.Cpu = ProcessCpuSeconds() - cpu;
    round.Wall = std::chrono::duration<double>(Clock::now() - start).count();
    modbus_close(ctx);
    modbus_free(ctx);
    if (failures > 0)
        std::fprintf(stderr, "libmodbus: %ld failed reads\n", failures);
    return round;
}

struct TSpread {
    double Median, Min, Max;
};

template <class F> TSpread SpreadOf(const std::vector<TRound>& Rounds, F Value)
{
    std::vector<double> v;
    for (const TRound& r : Rounds)
        v.push_back(Value(r));
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

void PrintSide(const char* Name, const std::vector<TRound>& Rounds)
{
    const TSpread cpu = SpreadOf(Rounds, [](const TRound& r) { return r.CpuMsPer1000Polls(); });
    const TSpread rate = SpreadOf(Rounds, [](const TRound& r) { return r.PollsPerSecond(); });
    const TSpread wall = SpreadOf(Rounds, [](const TRound& r) { return r.Wall; });
    const TSpread total = SpreadOf(Rounds, [](const TRound& r) { return r.Cpu; });
    std::printf(
        "  %-10s cpu ms/1000 polls %8.1f [%8.1f %8.1f]  polls/s %7.1f [%7.1f %7.1f]  "
        "cpu s %6.3f [%6.3f %6.3f]  wall s %5.2f [%5.2f %5.2f]\n",
        Name, cpu.Median, cpu.Min, cpu.Max, rate.Median, rate.Min, rate.Max, total.Median, total.Min, total.Max,
        wall.Median, wall.Min, wall.Max);
}

void Measure(double Seconds, int Rounds)
{
    std::printf(
        "Polling one station for 10 registers on a paced simulated line (a separate process):\n"
        "our program (sampling thread, port and event threads, Qt message loop) against a\n"
        "libmodbus master loop. %d alternating rounds of %.1f s each; median [min max].\n"
        "Goals: cpu ratio ours/libmodbus at most 2, polls/s ratio at delay 0 at least 0.95.\n\n",
        Rounds, Seconds);
    for (int baud : {115200, 9600}) {
        TSimulatedLine line(baud);
        for (int delay : {0, 100}) {
            std::vector<TRound> ours, lib;
            for (int i = 0; i < Rounds; ++i) {
                ours.push_back(OurRound(line.Path(), baud, delay, Seconds));
                lib.push_back(LibModbusRound(line.Path(), baud, delay, Seconds));
            }
            std::printf("%d baud, poll delay %d ms:\n", baud, delay);
            PrintSide("ours", ours);
            PrintSide("libmodbus", lib);
            const auto cpu = [](const TRound& r) { return r.CpuMsPer1000Polls(); };
            const auto rate = [](const TRound& r) { return r.PollsPerSecond(); };
            std::printf("  ratio ours/libmodbus: cpu per poll %.2f, polls/s %.3f\n\n",
                        SpreadOf(ours, cpu).Median / SpreadOf(lib, cpu).Median,
                        SpreadOf(ours, rate).Median / SpreadOf(lib, rate).Median);
            std::fflush(stdout);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    TApplication* app = Application;
    int status = 0;
    std::thread driver([&] {
        try {
            Measure(seconds, rounds);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "bench_polling: %s\n", e.what());
            status = 1;
        }
        TThread::Synchronize(nullptr, [app] { app->Terminate(); });
    });
    app->Run();
    driver.join();
    return status;
}
