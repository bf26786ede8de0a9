// Exchanges per second with the poll delay at 0: our sampling thread, a
// libmodbus master loop reading the same registers on the same paced line,
// and the limit the frame sizes allow at the baud rate.
//   bench_polling [seconds per measurement, default 5]
#include "app/SerialPortSampleThreadUnit.h"
#include "rtl/Thread.h"
#include "tools/modbussim/SimConfig.h"
#include "tools/modbussim/Simulator.h"

#include <modbus.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

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

void StartSimulator(modbussim::Simulator& Sim, int Baud, int Bits)
{
    std::istringstream config("station 1 rule 0 start 0 channels " + std::to_string(Registers) +
                              "\npacing " + std::to_string(Baud) + " " + std::to_string(Bits) + "\n");
    modbussim::LineTiming timing;
    modbussim::ApplyConfig(config, Sim.Slave(), timing);
    Sim.SetTiming(timing);
    Sim.Start();
}

double OursPerSecond(int Baud, int Bits, double Seconds)
{
    modbussim::Simulator sim;
    StartSimulator(sim, Baud, Bits);
    TCountingDevice device;
    TNullView view;
    TSampleSettings settings;
    settings.PollDelay = 0;
    settings.PollTimeout = 1000;
    settings.StartMode = 1;  // polls without logging
    settings.StartTriggerLogic = 1;
    const auto dir = std::filesystem::temp_directory_path();
    TSerialPortSampleThread thread({sim.PortPath(), Baud, Bits == 11 ? 2 : 0}, (dir / "bench-polling.tmp").string(),
                                   (dir / "bench-polling.csv").string(), settings, &view);
    thread.AddDevice(&device);
    thread.Resume();
    // Settle, then count answers over the window.
    const auto settle = Clock::now() + std::chrono::milliseconds(300);
    while (Clock::now() < settle)
        CheckSynchronize(5);
    const long before = device.Answers;
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(Seconds);
    while (Clock::now() < end)
        CheckSynchronize(5);
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const long answers = device.Answers - before;
    thread.Terminate();
    thread.WaitFor();
    if (device.TimeOuts > 0)
        std::fprintf(stderr, "our master: %ld time-outs\n", device.TimeOuts);
    return answers / elapsed;
}

double LibModbusPerSecond(int Baud, int Bits, double Seconds)
{
    modbussim::Simulator sim;
    StartSimulator(sim, Baud, Bits);
    modbus_t* ctx = modbus_new_rtu(sim.PortPath().c_str(), Baud, Bits == 11 ? 'E' : 'N', 8, 1);
    if (!ctx || modbus_connect(ctx) != 0) {
        std::fprintf(stderr, "libmodbus: cannot open %s\n", sim.PortPath().c_str());
        std::exit(1);
    }
    modbus_set_slave(ctx, 1);
    modbus_set_response_timeout(ctx, 1, 0);
    std::uint16_t regs[Registers];
    long count = 0, failures = 0;
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(Seconds);
    while (Clock::now() < end)
        modbus_read_registers(ctx, 0, Registers, regs) == Registers ? ++count : ++failures;
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    modbus_close(ctx);
    modbus_free(ctx);
    if (failures > 0)
        std::fprintf(stderr, "libmodbus: %ld failed reads\n", failures);
    return count / elapsed;
}

// One exchange on a real line: the 8-byte request and the reply, each
// after 3.5 characters of silence.
double WireLimit(int Baud, int Bits)
{
    const double chars = 8 + (5 + 2 * Registers) + 2 * 3.5;
    return Baud / (Bits * chars);
}

// The simulated line paces only the replies (the request reaches it at
// once), so it allows more: the reply after its silence.
double PacedReplyLimit(int Baud, int Bits)
{
    const double chars = (5 + 2 * Registers) + 3.5;
    return Baud / (Bits * chars);
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    std::printf("%-8s %-5s %10s %12s %10s %10s %9s %10s %11s\n", "baud", "bits", "ours/s", "libmodbus/s",
                "wire/s", "paced/s", "ours/lib", "ours/wire", "ours/paced");
    for (int baud : {9600, 115200}) {
        for (int bits : {10, 11}) {
            const double ours = OursPerSecond(baud, bits, seconds);
            const double lib = LibModbusPerSecond(baud, bits, seconds);
            const double wire = WireLimit(baud, bits);
            const double paced = PacedReplyLimit(baud, bits);
            std::printf("%-8d %-5d %10.1f %12.1f %10.1f %10.1f %9.3f %10.3f %11.3f\n", baud, bits, ours, lib, wire,
                        paced, ours / lib, ours / wire, ours / paced);
        }
    }
    return 0;
}
