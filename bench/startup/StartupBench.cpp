// Start-up cost of the device list: what the main window does when it is
// first shown (load the devices, stack their frames, apply the options with
// the station ids, and the message loop's first pass over the new frames),
// for a line's worth of devices (254) and far more. Two file shapes:
//   new       each device as the new-device dialog writes it (six keys), so
//             the start writes every channel key back;
//   complete  every key stored, as every later start finds it.
// The file work alone (reading every device, writing back what it read, the
// station ids; no widgets) is timed too, and compared with an estimate of
// what plain per-key profile-file access would cost for the same work:
// every look-up scanning the file's lines, every write-back rewriting and
// syncing the whole file.
//   bench_startup [rounds, default 5] [device counts..., default 254 1000 3000]
// Run with QT_QPA_PLATFORM=offscreen.
#include "app/DeviceModel.h"
#include "app/DeviceStore.h"
#include "app/DeviceUnit.h"
#include "app/MainUnit.h"
#include "app/SetupUnit.h"
#include "rtl/FileUtils.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ChannelsPerDevice = 4;

// The channel keys one start reads (and, for a new device, writes).
const char* const ChannelKeys[] = {
    "ValueName",
    "WorkUnit",
    "WorkDP",
    "IsStartTriggerChannel",
    "IsStopTriggerChannel",
    "StartTriggerLevel",
    "StopTriggerLevel",
    "StartTriggeredCount",
    "StopTriggeredCount",
    "AbsoluteCompare",
    "AlarmHighEnabled",
    "AlarmLowEnabled",
    "AlarmHighLevel",
    "AlarmLowLevel",
    "RangeLow",
    "RangeHigh",
    "NegativeCorrection",
    "ZeroLimitation",
};
constexpr int ChannelKeyCount = sizeof ChannelKeys / sizeof ChannelKeys[0];
// Device keys a start reads: the six the dialog writes and the meter position.
constexpr int DeviceKeysRead = 8;

std::string MakeFile(int Devices, bool Complete)
{
    std::string F;
    for (int d = 1; d <= Devices; ++d) {
        F += "[Device" + IntToStr(d) +
             "]\r\nDeviceName=Press\r\nDeviceModel=KRN-4TX\r\nChannelCount=" + IntToStr(ChannelsPerDevice) +
             "\r\nStationId=" + IntToStr((d - 1) % 254 + 1) + "\r\nValueRule=1\r\nDVRBeginAddr=0\r\n";
        if (!Complete)
            continue;
        for (int c = 1; c <= ChannelsPerDevice; ++c)
            for (const char* Key : ChannelKeys)
                F += std::string(Key) + IntToStr(c) + "=1\r\n";
    }
    return F;
}

struct TTimes {
    double Wall;
    double Cpu;
};

double CpuSeconds()
{
    timespec T{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &T);
    return T.tv_sec + T.tv_nsec / 1e9;
}

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One start: the file laid anew, the main window created and shown as at
// program start, then everything freed again.
TTimes OneStart(const std::string& Dir, const std::string& File)
{
    WriteFileAtomic(Dir + "Devices.db", File);
    Application->CreateForm(frmMain);
    Application->CreateForm(frmSetup);
    const double W0 = WallSeconds(), C0 = CpuSeconds();
    frmMain->Show();
    Application->ProcessMessages();
    const TTimes T{WallSeconds() - W0, CpuSeconds() - C0};
    delete frmMain;
    delete frmSetup;
    Application->ProcessMessages();
    return T;
}

// The same file work without the frames: the device models read, write
// back and take their station ids as the frames do.
TTimes FileWork(const std::string& Dir, const std::string& File)
{
    WriteFileAtomic(Dir + "Devices.db", File);
    const double W0 = WallSeconds(), C0 = CpuSeconds();
    {
        TDeviceStore Store(Dir + "Devices.db");
        std::vector<std::unique_ptr<TDeviceModel>> Devices;
        {
            TDeviceStore::TUpdate Update(&Store);
            for (const std::string& Section : Store.DeviceSections()) {
                Devices.push_back(std::make_unique<TDeviceModel>());
                Devices.back()->AssignInfo(Store.ReadDeviceInfo(Section), &Store);
            }
        }
        TDeviceStore::TUpdate Update(&Store);
        for (std::size_t i = 0; i < Devices.size(); ++i)
            Devices[i]->LoadStationId(static_cast<int>(i) + 1);
    }
    return {WallSeconds() - W0, CpuSeconds() - C0};
}

// One look-up as plain profile-file access makes it: scan the lines for
// the section, then for the key.
bool PlainLookup(const std::vector<std::string>& Lines, const std::string& Section, const std::string& Key)
{
    bool In = false;
    for (const std::string& L : Lines) {
        if (!L.empty() && L[0] == '[') {
            In = SameText(L.substr(1, L.find(']') - 1), Section);
            continue;
        }
        if (In && SameText(L.substr(0, L.find('=')), Key))
            return true;
    }
    return false;
}

// Seconds plain profile-file access would take for one start: the look-ups
// are timed on a sample spread over the file and scaled to all of them; a
// write-back is one whole-file atomic rewrite, timed a few times.
TTimes PlainEstimate(const std::string& Dir, int Devices, bool Complete)
{
    const std::string File = MakeFile(Devices, Complete);
    std::vector<std::string> Lines;
    for (std::size_t S = 0, E; (E = File.find("\r\n", S)) != std::string::npos; S = E + 2)
        Lines.push_back(File.substr(S, E - S));
    const long LookUps = long(Devices) * (DeviceKeysRead + ChannelsPerDevice * ChannelKeyCount);
    const int Sample = 400;
    int Found = 0;
    double W0 = WallSeconds(), C0 = CpuSeconds();
    for (int i = 0; i < Sample; ++i) {
        const int d = 1 + int(long(i) * Devices / Sample);
        const std::string Key = Complete ? std::string(ChannelKeys[i % ChannelKeyCount]) + "1" : "DVRBeginAddr";
        Found += PlainLookup(Lines, "Device" + IntToStr(d), Key);
    }
    const double LookWall = (WallSeconds() - W0) / Sample * LookUps;
    const double LookCpu = (CpuSeconds() - C0) / Sample * LookUps;
    if (Found != Sample)
        std::printf("(plain look-up found %d of %d keys)\n", Found, Sample);
    if (Complete)
        return {LookWall, LookCpu};
    // The new-device file grows to the complete one as keys are written:
    // rewrite one of the mean size.
    const std::string Full = MakeFile(Devices, true);
    const std::string Mean = Full.substr(0, (File.size() + Full.size()) / 2);
    const int Rewrites = 5;
    W0 = WallSeconds();
    C0 = CpuSeconds();
    for (int i = 0; i < Rewrites; ++i)
        WriteFileAtomic(Dir + "plain.db", Mean);
    const long Writes = long(Devices) * ChannelsPerDevice * ChannelKeyCount;
    return {LookWall + (WallSeconds() - W0) / Rewrites * Writes, LookCpu + (CpuSeconds() - C0) / Rewrites * Writes};
}

TTimes Medians(std::vector<TTimes> Runs)
{
    std::vector<double> Wall, Cpu;
    for (const TTimes& T : Runs) {
        Wall.push_back(T.Wall);
        Cpu.push_back(T.Cpu);
    }
    std::sort(Wall.begin(), Wall.end());
    std::sort(Cpu.begin(), Cpu.end());
    return {Wall[Wall.size() / 2], Cpu[Cpu.size() / 2]};
}

void Report(const char* What, int Devices, std::vector<TTimes> Runs)
{
    auto Stats = [&](double TTimes::*Field, double& Median, double& Min, double& Max) {
        std::vector<double> V;
        for (const TTimes& T : Runs)
            V.push_back(T.*Field);
        std::sort(V.begin(), V.end());
        Median = V[V.size() / 2];
        Min = V.front();
        Max = V.back();
    };
    double WM, WMin, WMax, CM, CMin, CMax;
    Stats(&TTimes::Wall, WM, WMin, WMax);
    Stats(&TTimes::Cpu, CM, CMin, CMax);
    std::printf(
        "%-9s %5d devices: wall median %8.3f s (min %8.3f, max %8.3f)   cpu median %8.3f s (min %8.3f, max %8.3f)\n",
        What, Devices, WM, WMin, WMax, CM, CMin, CMax);
}

}  // namespace

int main(int argc, char** argv)
{
    const int Rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<int> Counts;
    for (int i = 2; i < argc; ++i)
        Counts.push_back(std::atoi(argv[i]));
    if (Counts.empty())
        Counts = {254, 1000, 3000};

    Application->Initialize();
    const std::string Dir = (std::filesystem::temp_directory_path() / "kalvo-bench-startup/").string();
    std::filesystem::create_directories(Dir);
    SetExeDirForTesting(Dir);
    // Past 254 devices station ids repeat, and the program says so.
    SetDialogResponder([](const TDialogRequest&) {
        TDialogAnswer Answer;
        Answer.Result = IDOK;
        return Answer;
    });

    std::printf("Main window start-up with its device list, %d channels per device, %d rounds.\n", ChannelsPerDevice,
                Rounds);
    std::printf(
        "\"program\": the main window's start-up; \"file\": its file work alone (no widgets);\n"
        "\"plain\": that file work estimated for plain per-key profile-file access\n"
        "(each look-up scans the lines, each write-back rewrites and syncs the whole file).\n\n");
    for (const bool Complete : {false, true}) {
        std::printf("%s file:\n", Complete ? "complete" : "new-device");
        for (int Devices : Counts) {
            const std::string File = MakeFile(Devices, Complete);
            std::vector<TTimes> Runs;
            for (int r = 0; r < Rounds; ++r)
                Runs.push_back(OneStart(Dir, File));
            Report("program", Devices, Runs);
            std::vector<TTimes> Files;
            for (int r = 0; r < Rounds; ++r)
                Files.push_back(FileWork(Dir, File));
            Report("file", Devices, Files);
            const TTimes Plain = PlainEstimate(Dir, Devices, Complete);
            Report("plain", Devices, {Plain});
            const TTimes Median = Medians(Files);
            std::printf("%-9s %5d devices: ratio file / plain, wall %.4f, cpu %.4f\n", "", Devices,
                        Median.Wall / Plain.Wall, Median.Cpu / Plain.Cpu);
        }
        std::printf("\n");
    }
    SetDialogResponder(nullptr);
    SetExeDirForTesting("");
    std::filesystem::remove_all(Dir);
    return 0;
}
