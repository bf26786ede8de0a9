// The whole program's chart work during a run: the main window with 8
// device frames of 8 channels each, every channel already holding 100,000
// points (ring size 0, all kept), a new point per channel every 100 ms
// through the device frames' own road (the channel's value, then
// AddChartPoints), and the charts tracking at the frame-rate limit of the
// shared update service.
//
// The user-interface thread is driven here: every 1/60 s it serves its
// messages (the update service's timer, the repaints); every 100 ms of the
// clock it feeds the devices as the sampling thread's hand-over would. Per
// round it prints the full repaint of all charts after a step (each
// chart's double-buffered paint, timed alone 100 times), the repaint time
// of all charts per data step in the run (the message passes in which
// charts painted, summed between two feeds), as median and 95th
// percentile, the feed time, and the share of one core the thread used
// (its CPU clock over the wall clock). Before the rounds it prints the
// memory per stored point beside the point list's record size, and after
// the first repaints the memory of the points' summaries.
//   bench_charts [seconds per round, default 5] [rounds, default 5]
// Run with QT_QPA_PLATFORM=offscreen.
#include "app/DeviceRegistry.h"
#include "app/DeviceUnit.h"
#include "app/MainUnit.h"
#include "app/SetupUnit.h"
#include "common/Rounds.h"
#include "plot/channels/kPlot.h"
#include "plot/core/kPlotDataNullList.h"
#include "rtl/DateTime.h"
#include "rtl/FileUtils.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/DialogRequest.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Devices = 8;
constexpr int ChannelsPerDevice = 8;
constexpr int StoredPoints = 100'000;
constexpr double StepSeconds = 0.1;
constexpr double FrameSeconds = 1.0 / 60;
constexpr double SecondsPerDay = 86400;

std::string MakeDevicesFile()
{
    std::string F;
    for (int d = 1; d <= Devices; ++d) {
        F += "[Device" + std::to_string(d) + "]\r\nDeviceName=Press" + std::to_string(d) +
             "\r\nDeviceModel=KRN-8TX\r\nChannelCount=" + std::to_string(ChannelsPerDevice) +
             "\r\nStationId=" + std::to_string(d) + "\r\nValueRule=0\r\nDVRBeginAddr=0\r\n";
        for (int c = 1; c <= ChannelsPerDevice; ++c)
            F += "ValueName" + std::to_string(c) + "=CH" + std::to_string(c) + "\r\nWorkDP" + std::to_string(c) +
                 "=1\r\nRangeLow" + std::to_string(c) + "=0\r\nRangeHigh" + std::to_string(c) + "=100\r\n";
    }
    return F;
}

// A value in 0 .. 100 that moves from point to point, as a process does.
double Signal(long Step, int Device, int Channel)
{
    const double t = Step * StepSeconds;
    return 50 + 30 * std::sin(t / (40.0 + 7 * Channel) + Device) + 10 * std::sin(t * (1.3 + 0.1 * Channel));
}

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void SleepUntil(double Wall)
{
    const double left = Wall - WallSeconds();
    if (left <= 0)
        return;
    timespec t{};
    t.tv_sec = time_t(left);
    t.tv_nsec = long((left - double(t.tv_sec)) * 1e9);
    nanosleep(&t, nullptr);
}

double ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE));
}

double Percentile(std::vector<double> V, double P)
{
    if (V.empty())
        return 0;
    std::sort(V.begin(), V.end());
    const std::size_t i = std::min(V.size() - 1, std::size_t(std::ceil(P * double(V.size())) - 1));
    return V[i];
}

// What one round measured.
struct TRound {
    double RepaintMedianMs = 0;
    double RepaintP95Ms = 0;
    double FeedMedianMs = 0;
    double CoreShare = 0;
    double WallS = 0;
    double CpuS = 0;
    long Steps = 0;
    long ChartPaints = 0;
};

class TRun {
public:
    explicit TRun(std::vector<TfraDevice*> Frames) : FFrames(std::move(Frames))
    {
        for (TfraDevice* D : FFrames)
            static_cast<TkComponent*>(D->pltDevice)->OnAfterPaint = [this](TObject*, TCanvas*) { ++FPaints; };
    }

    // The charts' contents before the measured run: StoredPoints per
    // channel, ending at the current time.
    void Fill()
    {
        FStart = Now() - StoredPoints * StepSeconds / SecondsPerDay;
        for (TfraDevice* D : FFrames)
            D->ResetDevice();
        for (FStep = 0; FStep < StoredPoints; ++FStep)
            for (int d = 0; d < Devices; ++d)
                for (int c = 0; c < ChannelsPerDevice; ++c)
                    FFrames[d]->Chart().AddPoint(c, X(), Signal(FStep, d, c), true);
    }

    // Each data step followed at once by a full repaint of every chart
    // (its double-buffered paint, onto a picture of its size instead of
    // the screen), timed alone: what one frame of the run costs in the
    // charts, without the window system around them.
    std::vector<double> Repaints(int Steps)
    {
        std::vector<std::unique_ptr<TBitmap>> screens;
        for (TfraDevice* D : FFrames)
            screens.push_back(std::make_unique<TBitmap>(D->pltDevice->GetWidth(), D->pltDevice->GetHeight()));
        std::vector<double> times;
        for (int i = 0; i < Steps; ++i) {
            Feed();
            Serve();
            const double t0 = WallSeconds();
            for (std::size_t d = 0; d < FFrames.size(); ++d)
                FFrames[d]->pltDevice->PaintBuffered(screens[d]->Canvas);
            times.push_back((WallSeconds() - t0) * 1e3);
        }
        return times;
    }

    TRound Round(double Seconds)
    {
        std::vector<double> repaints, feeds;
        double stepPaintMs = 0;
        const long paintsBefore = FPaints;
        const double wall0 = WallSeconds(), cpu0 = ThreadCpuSeconds();
        double nextStep = wall0 + StepSeconds, nextFrame = wall0 + FrameSeconds;
        long steps = 0;
        while (WallSeconds() - wall0 < Seconds) {
            SleepUntil(std::min(nextStep, nextFrame));
            const double now = WallSeconds();
            if (now >= nextStep) {
                if (steps > 0)
                    repaints.push_back(stepPaintMs);
                stepPaintMs = 0;
                const double f0 = WallSeconds();
                Feed();
                feeds.push_back((WallSeconds() - f0) * 1e3);
                ++steps;
                nextStep += StepSeconds;
            }
            if (now >= nextFrame) {
                const long before = FPaints;
                const double p0 = WallSeconds();
                Serve();
                if (FPaints != before)
                    stepPaintMs += (WallSeconds() - p0) * 1e3;
                nextFrame += FrameSeconds;
                if (nextFrame < now)
                    nextFrame = now + FrameSeconds;  // a late pass does not bunch up the next ones
            }
        }
        TRound r;
        r.WallS = WallSeconds() - wall0;
        r.CpuS = ThreadCpuSeconds() - cpu0;
        r.CoreShare = r.CpuS / r.WallS;
        r.RepaintMedianMs = bench::Median(repaints.empty() ? std::vector<double>{0} : repaints);
        r.RepaintP95Ms = Percentile(repaints, 0.95);
        r.FeedMedianMs = bench::Median(feeds.empty() ? std::vector<double>{0} : feeds);
        r.Steps = steps;
        r.ChartPaints = FPaints - paintsBefore;
        return r;
    }

private:
    double X() const { return FStart + FStep * StepSeconds / SecondsPerDay; }

    // One polling cycle's hand-overs: every device answered, a record is due.
    void Feed()
    {
        for (int d = 0; d < Devices; ++d) {
            TfraDevice* D = FFrames[d];
            std::vector<double> values;
            for (int c = 0; c < ChannelsPerDevice; ++c) {
                const auto raw = std::int32_t(std::lround(Signal(FStep, d, c) * 10));
                D->Channel(c)->SetRawValue(raw);
                values.push_back(D->Channel(c)->ReadingOf(raw).Value);
            }
            D->AddChartPoints(X(), values);
        }
        ++FStep;
    }

    static void Serve() { Application->ProcessMessages(); }

    std::vector<TfraDevice*> FFrames;
    TDateTime FStart = 0;
    long FStep = 0;
    long FPaints = 0;
};

void PrintStat(const char* Name, const std::vector<double>& V, const char* Unit)
{
    std::printf("  %-30s median %8.2f  min %8.2f  max %8.2f %s\n", Name, bench::Median(V),
                *std::min_element(V.begin(), V.end()), *std::max_element(V.begin(), V.end()), Unit);
}

}  // namespace

int main(int argc, char** argv)
{
    const double Seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 5.0;
    const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    Application->Initialize();
    const std::string Dir = (std::filesystem::temp_directory_path() / "kalvo-bench-charts/").string();
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    SetExeDirForTesting(Dir);
    WriteFileAtomic(Dir + "Devices.db", MakeDevicesFile());
    SetDialogResponder([](const TDialogRequest&) {
        TDialogAnswer Answer;
        Answer.Result = IDOK;
        return Answer;
    });

    Application->CreateForm(frmMain);
    Application->CreateForm(frmSetup);
    frmMain->Show();
    Application->ProcessMessages();
    std::vector<TfraDevice*> Frames = frmMain->Devices().Frames();
    if (Frames.size() != Devices) {
        std::fprintf(stderr, "expected %d device frames, found %zu\n", Devices, Frames.size());
        return 1;
    }
    // Tall enough that every device frame, and so every chart, is in view.
    int FramesHeight = 0;
    for (TfraDevice* D : Frames)
        FramesHeight += D->GetHeight();
    frmMain->SetBounds(0, 0, frmMain->GetWidth(),
                       frmMain->GetHeight() - frmMain->srxDevices->GetClientHeight() + FramesHeight);
    Application->ProcessMessages();
    const TkPlot* First = Frames.front()->pltDevice;
    std::printf(
        "%d device frames of %d channels, charts %d x %d (last frame ends at y %d of a %d-pixel view),\n"
        "%d points per channel stored before the rounds, a point per channel every %.0f ms,\n"
        "update service frame rate %d; %d rounds of %.0f s.\n\n",
        Devices, ChannelsPerDevice, First->GetWidth(), First->GetHeight(),
        Frames.back()->GetTop() + Frames.back()->GetHeight(), frmMain->srxDevices->GetClientHeight(), StoredPoints,
        StepSeconds * 1e3, First->GetUpdateFrameRate(), Rounds, Seconds);

    TRun Run(Frames);
    const double Resident0 = ResidentBytes();
    const double Fill0 = WallSeconds();
    Run.Fill();
    const double FillS = WallSeconds() - Fill0;
    // Taken before the charts first paint with their points, so that the
    // paint's own buffers and caches do not count as the points' memory.
    const double Resident1 = ResidentBytes();
    Application->ProcessMessages();
    double Allocated = 0;
    long Points = 0;
    for (TfraDevice* D : Frames)
        for (int c = 0; c < D->pltDevice->GetChannelCount(); ++c) {
            Allocated += double(D->pltDevice->Channel(c)->GetMemoryUsed());
            Points += D->pltDevice->Channel(c)->GetCount();
        }
    const double Record = sizeof(TkPlotDataNullList::Point);
    std::printf(
        "Memory: %ld points stored in %.1f s; per point %.2f bytes resident, %.2f allocated;\n"
        "  record %.0f bytes, with growth slack (1.25 records) %.0f bytes: %s\n\n",
        Points, FillS, (Resident1 - Resident0) / double(Points), Allocated / double(Points), Record, Record * 1.25,
        (Resident1 - Resident0) / double(Points) <= Record * 1.25 && Allocated / double(Points) <= Record * 1.25
            ? "within"
            : "OVER");

    std::vector<double> FullMedians, FullP95s, Medians, P95s, Feeds, Shares, Walls, Cpus;
    for (int r = 0; r < Rounds; ++r) {
        const std::vector<double> T = Run.Repaints(100);
        FullMedians.push_back(bench::Median(T));
        FullP95s.push_back(Percentile(T, 0.95));
        std::printf(
            "round %d: full repaint of all %d charts after a step, one after another, %zu times: median %.2f ms, "
            "p95 %.2f ms, min %.2f, max %.2f\n",
            r + 1, Devices, T.size(), FullMedians.back(), FullP95s.back(), *std::min_element(T.begin(), T.end()),
            *std::max_element(T.begin(), T.end()));
        if (r == 0) {
            double Summary = 0;
            for (TfraDevice* D : Frames)
                for (int c = 0; c < D->pltDevice->GetChannelCount(); ++c)
                    Summary += double(D->pltDevice->Channel(c)->GetSummaryMemoryUsed());
            std::printf("  the points' summaries, once drawn: %.2f bytes per point (%.1f %% of the records)\n",
                        Summary / double(Points), 100 * Summary / double(Points) / Record);
        }
        const TRound R = Run.Round(Seconds);
        std::printf(
            "round %d: %ld steps, %ld chart paints; repaint of all charts per step median %.2f ms, "
            "p95 %.2f ms; feed %.2f ms; UI thread %.1f %% of a core (%.2f s CPU in %.2f s)\n",
            r + 1, R.Steps, R.ChartPaints, R.RepaintMedianMs, R.RepaintP95Ms, R.FeedMedianMs, R.CoreShare * 100, R.CpuS,
            R.WallS);
        Medians.push_back(R.RepaintMedianMs);
        P95s.push_back(R.RepaintP95Ms);
        Feeds.push_back(R.FeedMedianMs);
        Shares.push_back(R.CoreShare * 100);
        Walls.push_back(R.WallS);
        Cpus.push_back(R.CpuS);
    }
    std::printf("\nOver %d rounds:\n", Rounds);
    PrintStat("full repaint, median", FullMedians, "ms");
    PrintStat("full repaint, p95", FullP95s, "ms");
    PrintStat("repaint per step, median", Medians, "ms");
    PrintStat("repaint per step, p95", P95s, "ms");
    PrintStat("feed per step, median", Feeds, "ms");
    PrintStat("UI thread share of a core", Shares, "%");
    PrintStat("round wall", Walls, "s");
    PrintStat("round UI thread CPU", Cpus, "s");
    std::printf("Goals: full repaint p95 <= 8 ms (%s), UI thread < 10 %% of a core (%s).\n",
                bench::Median(FullP95s) <= 8 ? "met" : "MISSED", bench::Median(Shares) < 10 ? "met" : "MISSED");

    delete frmMain;
    delete frmSetup;
    Application->ProcessMessages();
    std::filesystem::remove_all(Dir);
    return 0;
}
