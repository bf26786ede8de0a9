// The program's polling cost against a plain libmodbus master loop, both
// on the same simulated instrument line, in one run.
//
// The line is the modbussim program in a process of its own, pacing its
// replies like a real line (one station, 10 registers), so that no
// measured CPU time is the line's. The libmodbus side is
// modbus_read_registers in a loop in this process. Our side is measured
// twice, in two sections:
//   inprocess  the polling path alone: the sampling thread with its port,
//              event threads and the Qt message loop serving the
//              hand-overs, in this process, with a device that only counts;
//   program    the whole program as a user runs it: the built kalvodaq in
//              a process of its own, recording a CSV file and showing the
//              values and the chart, its CPU time read from its process
//              clock and its polls counted by the line; of that CPU time,
//              the part its user-interface thread spent painting, which
//              the session driver counts, and the rest, outside painting.
// Each round polls for a fixed time; the rounds of the two sides alternate.
//   bench_polling [seconds per round, default 3] [rounds, default 5]
//                 [inprocess|program|both, default both]
#include "ProgramRun.h"
#include "SimulatedLine.h"
#include "common/Rounds.h"
#include "app/SerialPortSampleThreadUnit.h"
#include "rtl/Thread.h"
#include "ui/Application.h"

#include <modbus.h>

#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Registers = TSimulatedLine::Registers;

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
    TChannelReading ReadingOf(int, std::optional<std::int32_t>) const override { return {0, "0"}; }
    std::string ValueName(int) const override { return "v"; }
    std::string WorkUnit(int) const override { return ""; }
    bool IsStartTriggerChannel(int) const override { return false; }
    bool StartTriggered(int) const override { return false; }
    bool IsStopTriggerChannel(int) const override { return false; }
    bool StopTriggered(int) const override { return false; }
    void AddChartPoints(double, const std::vector<double>&) override {}
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
    void PostLogFailureMessage() override {}
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
    double Wall = 0;      // seconds
    double Cpu = 0;       // seconds
    double PaintCpu = 0;  // seconds, of Cpu; the program's only

    double PollsPerSecond() const { return Polls / Wall; }
    double CpuMsPer1000Polls() const { return PerPoll(Cpu); }
    double PaintCpuMsPer1000Polls() const { return PerPoll(PaintCpu); }
    double OutsidePaintCpuMsPer1000Polls() const { return PerPoll(Cpu - PaintCpu); }

private:
    double PerPoll(double Seconds) const { return Polls ? Seconds * 1e6 / Polls : 0; }
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

namespace fs = std::filesystem;

// A working directory for the program: its copy of the executable beside
// its own "config.ini" and "Devices.db", removed with this object.
class TProgramDir {
public:
    TProgramDir()
    {
        std::string pattern = (fs::temp_directory_path() / "bench-polling-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a working directory");
        FPath = pattern;
        fs::copy_file(KALVODAQ_EXE, FPath / "kalvodaq");
        // One device of 10 channels at station 1, rule 0: the request is
        // the libmodbus side's.
        Write("Devices.db", "[Device1]\r\nDeviceName=Bench\r\nDeviceModel=KRN\r\nChannelCount=" +
                                std::to_string(Registers) + "\r\nValueRule=0\r\nDVRBeginAddr=0\r\nStationId=1\r\n");
    }
    ~TProgramDir()
    {
        std::error_code ignored;
        fs::remove_all(FPath, ignored);
    }
    TProgramDir(const TProgramDir&) = delete;
    TProgramDir& operator=(const TProgramDir&) = delete;

    std::string Path() const { return FPath.string(); }

    // A fresh start for a round: these options, and no files from an
    // earlier round. Logging begins at once, every record is written, and
    // the program names the file itself in its "Data" folder.
    void Prepare(const std::string& Port, int Baud, int PollDelay)
    {
        fs::remove_all(FPath / "Data");
        fs::remove_all(FPath / "Temp");
        Write("config.ini", "[System Parameters]\r\nComm Port=" + Port + "\r\nBaud Rate=" + std::to_string(Baud) +
                                "\r\nPoll Delay=" + std::to_string(PollDelay) +
                                "\r\nPoll Timeout=1000\r\n[Log Parameters]\r\nLogFilenameMode=1\r\n"
                                "StartMode=0\r\nStopMode=0\r\nLogInterval=0\r\n");
    }

    // The lines of the CSV files the round left, headers included.
    long RecordedLines() const
    {
        long lines = 0;
        for (const auto& entry : fs::directory_iterator(FPath / "Data")) {
            std::ifstream file(entry.path());
            for (std::string line; std::getline(file, line);)
                ++lines;
        }
        return lines;
    }

private:
    void Write(const std::string& Name, const std::string& Text)
    {
        std::ofstream file(FPath / Name, std::ios::binary);
        file << Text;
        if (!file.flush())
            throw std::runtime_error("cannot write " + (FPath / Name).string());
    }

    fs::path FPath;
};

// Up and recording, the program is left this long before the window
// opens, so that its first drawing of the panels and chart is not counted.
constexpr auto WarmUp = std::chrono::milliseconds(500);

TRound ProgramRound(TProgramDir& Dir, TSimulatedLine& Line, int Baud, int PollDelay, double Seconds)
{
    Dir.Prepare(Line.Path(), Baud, PollDelay);
    TProgramRun program(Dir.Path());
    std::this_thread::sleep_for(WarmUp);
    const std::uint64_t before = Line.Requests();
    const double cpu = program.CpuSeconds();
    const double paint = program.PaintCpuSeconds();
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(Seconds));
    TRound round;
    round.Cpu = program.CpuSeconds() - cpu;
    round.PaintCpu = program.PaintCpuSeconds() - paint;
    round.Polls = static_cast<long>(Line.Requests() - before);
    round.Wall = std::chrono::duration<double>(Clock::now() - start).count();
    program.End();
    // The chart paints for every second poll: no painting in a window
    // with polls means the driver's count is not working.
    if (round.Polls > 0 && round.PaintCpu <= 0)
        throw std::runtime_error("the session driver counted no painting in the window");
    // With a log interval of 0 the run writes a record every second poll;
    // fewer lines than that mean the round did not record as a user's does.
    const long lines = Dir.RecordedLines();
    if (2 * lines < round.Polls)
        throw std::runtime_error("the program recorded " + std::to_string(lines) + " CSV lines for " +
                                 std::to_string(round.Polls) + " polls in the window");
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
    const auto [min, max] = std::minmax_element(v.begin(), v.end());
    return {bench::Median(v), *min, *max};
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

// The program's CPU time split into its user-interface thread's painting
// and the rest.
void PrintPainting(const std::vector<TRound>& Rounds)
{
    const TSpread paint = SpreadOf(Rounds, [](const TRound& r) { return r.PaintCpuMsPer1000Polls(); });
    const TSpread outside = SpreadOf(Rounds, [](const TRound& r) { return r.OutsidePaintCpuMsPer1000Polls(); });
    std::printf("  %-10s painting cpu ms/1000 polls %8.1f [%8.1f %8.1f]  outside painting %8.1f [%8.1f %8.1f]\n", "",
                paint.Median, paint.Min, paint.Max, outside.Median, outside.Min, outside.Max);
}

using TSideRound = std::function<TRound(TSimulatedLine&, int Baud, int PollDelay)>;

// For 115200 and 9600 baud, each at poll delay 0 and at the default
// 100 ms: Rounds alternating rounds of each side, and the ratios; with
// Painting, also our CPU time split into painting and the rest, and the
// rest's ratio.
void Compare(const char* OursName, const TSideRound& Ours, const TSideRound& Theirs, int Rounds, bool Painting)
{
    for (int baud : {115200, 9600}) {
        TSimulatedLine line(baud);
        for (int delay : {0, 100}) {
            std::vector<TRound> ours, lib;
            for (int i = 0; i < Rounds; ++i) {
                ours.push_back(Ours(line, baud, delay));
                lib.push_back(Theirs(line, baud, delay));
            }
            std::printf("%d baud, poll delay %d ms:\n", baud, delay);
            PrintSide(OursName, ours);
            if (Painting)
                PrintPainting(ours);
            PrintSide("libmodbus", lib);
            const auto cpu = [](const TRound& r) { return r.CpuMsPer1000Polls(); };
            const auto rate = [](const TRound& r) { return r.PollsPerSecond(); };
            const double libCpu = SpreadOf(lib, cpu).Median;
            std::printf("  ratio %s/libmodbus: cpu per poll %.2f, polls/s %.3f", OursName,
                        SpreadOf(ours, cpu).Median / libCpu, SpreadOf(ours, rate).Median / SpreadOf(lib, rate).Median);
            if (Painting) {
                const auto outside = [](const TRound& r) { return r.OutsidePaintCpuMsPer1000Polls(); };
                std::printf(", cpu per poll outside painting %.2f", SpreadOf(ours, outside).Median / libCpu);
            }
            std::printf("\n\n");
            std::fflush(stdout);
        }
    }
}

void Measure(double Seconds, int Rounds, bool InProcess, bool Program)
{
    std::printf(
        "Polling one station for 10 registers on a paced simulated line (a separate process),\n"
        "against a libmodbus master loop (modbus_read_registers, then the poll delay).\n"
        "%d alternating rounds of %.1f s each; median [min max].\n"
        "Goals: cpu ratio ours/libmodbus at most 2; polls/s ratio at least 0.95.\n\n",
        Rounds, Seconds);
    const TSideRound libmodbus = [Seconds](TSimulatedLine& Line, int Baud, int PollDelay) {
        return LibModbusRound(Line.Path(), Baud, PollDelay, Seconds);
    };
    if (InProcess) {
        std::printf(
            "== inprocess: the polling path alone, in this process (sampling thread, port and\n"
            "event threads, Qt message loop; a device that only counts, no CSV, no widgets)\n\n");
        Compare(
            "inprocess",
            [Seconds](TSimulatedLine& Line, int Baud, int PollDelay) {
                return OurRound(Line.Path(), Baud, PollDelay, Seconds);
            },
            libmodbus, Rounds, false);
    }
    if (Program) {
        std::printf(
            "== program: the whole program as a user runs it (kalvodaq in its own process, one\n"
            "device of 10 channels, recording a CSV file at once, panels and chart updating);\n"
            "its process's CPU time and the polls the line saw over a window that opens %lld ms\n"
            "after the run is up; start-up and end are outside the window. Of that CPU time,\n"
            "painting is its user-interface thread's in Qt's update requests, expose and paint\n"
            "events (the session driver's count); outside painting is the rest.\n"
            "Goals at the default delay (100 ms): the whole program at most 3 x libmodbus's cpu\n"
            "per poll; outside painting at most 2 x libmodbus's.\n\n",
            static_cast<long long>(WarmUp.count()));
        TProgramDir dir;
        Compare(
            "program",
            [&dir, Seconds](TSimulatedLine& Line, int Baud, int PollDelay) {
                return ProgramRound(dir, Line, Baud, PollDelay, Seconds);
            },
            libmodbus, Rounds, true);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string section = argc > 3 ? argv[3] : "both";
    if (section != "inprocess" && section != "program" && section != "both") {
        std::fprintf(stderr, "usage: bench_polling [seconds] [rounds] [inprocess|program|both]\n");
        return 2;
    }
    TApplication* app = Application;
    int status = 0;
    std::thread driver([&] {
        try {
            Measure(seconds, rounds, section != "program", section != "inprocess");
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
