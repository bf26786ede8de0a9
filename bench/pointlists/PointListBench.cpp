// Adding points to each point list beside a std::vector of the same record,
// once reserved for every point up front and once growing by push_back
// alone, from 1 to 20 million points. Each measurement runs in a fresh
// process (this program runs itself with arguments), so that one
// measurement's freed memory and page faults do not fall on the next.
// Reports the time of adding all points (wall and CPU), the resident bytes
// per point once they are in, the peak resident bytes per point on the way,
// and for the lists the bytes per point allocated (capacity x record size),
// which their growth rule keeps within 1.25 records a point. For the lists it
// also reports their summary: the time of the first walk over all points,
// which builds it, and its bytes per point, which must stay within a tenth
// of the records.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/Rounds.h"
#include "plot/core/kPlotDataCompactIntervalList.h"
#include "plot/core/kPlotDataCompactList.h"
#include "plot/core/kPlotDataFullList.h"
#include "plot/core/kPlotDataNullList.h"
#include "plot/core/kPlotMinMaxPoint.h"

namespace {

constexpr int Rounds = 5;
const int Sizes[] = {1'000'000, 2'000'000, 5'000'000, 10'000'000, 20'000'000};

// What one fresh process measured.
struct TSample {
    double WallMs = 0;
    double CpuMs = 0;
    double Resident = 0;   // bytes resident after adding, beyond those before
    double Peak = 0;       // highest resident bytes on the way, beyond those before
    double Allocated = 0;  // bytes the container holds for records
    double SummaryMs = 0;  // the list's first walk over all points, which summarises them
    double Summary = 0;    // bytes the list's summary holds then
};

// A walk over the points in 1000 columns, as a chart 1000 pixels wide
// asks for them; it only counts the runs.
class TColumnCount : public TkPlotColumnWalk {
public:
    TColumnCount(double Min, double Span) : FMin(Min), FSpan(Span) {}
    int Column(double X) override { return int(std::nearbyint((X - FMin) / FSpan * 1000)); }
    void Run(const TkPlotMinMaxPoint&) override { ++Runs; }
    void Break() override {}
    long Runs = 0;

private:
    double FMin, FSpan;
};

double ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE));
}

double PeakBytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024.0;
}

// The record a list's Add writes, built the same way for the vector.
TkPlotDataNullList::Point NullRecord(double X, double Y, const TkPlotDataAttributes& A)
{
    return {X, Y,
            std::uint16_t((A.MarkersVisible ? TkPlotDataNullList::flMarkersVisible : 0) |
                          ((A.MarkersStyle & 15) << TkPlotDataNullList::flStyleShift))};
}

TkPlotDataCompactList::Point CompactRecord(double X, double Y, const TkPlotDataAttributes&)
{
    return {float(X), float(Y)};
}

float IntervalRecord(double, double Y, const TkPlotDataAttributes&)
{
    return float(Y);
}

TkPlotDataFullList::Point FullRecord(double X, double Y, const TkPlotDataAttributes& A)
{
    TkPlotDataFullList::Point p{X, Y, false, false, {0.0, 0.0, 0.0, 0.0}, A};
    p.Attributes.MarkerChar = 0;
    return p;
}

// Times Run, which adds the points and answers the bytes allocated.
template <class Fill> TSample Measure(Fill&& Run)
{
    TSample s;
    const double before = ResidentBytes();
    const auto wall = std::chrono::steady_clock::now();
    const double cpu = bench::CpuNowMs();
    s.Allocated = Run();
    s.CpuMs = bench::CpuNowMs() - cpu;
    s.WallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count();
    s.Resident = ResidentBytes() - before;
    s.Peak = PeakBytes() - before;
    return s;
}

// Through the base class, as a channel holds its list.
TSample RunList(TkPlotDataCustomList& List, int N)
{
    TSample s = Measure([&] {
        for (int i = 0; i < N; ++i)
            List.Add(i, i * 0.5, false, false);
        return double(List.GetMemorySize());
    });
    if (List.Count() != N)
        std::fprintf(stderr, "list holds the wrong points\n"), std::exit(1);
    TColumnCount walk(List.GetX(0), List.GetX(N - 1) - List.GetX(0));
    const double cpu = bench::CpuNowMs();
    List.WalkColumns(0, N - 1, walk);
    s.SummaryMs = bench::CpuNowMs() - cpu;
    s.Summary = double(List.GetSummaryMemorySize());
    if (walk.Runs < 1000)
        std::fprintf(stderr, "the walk missed columns\n"), std::exit(1);
    return s;
}

template <class Record, class Make> TSample RunVector(int N, bool Reserve, Make MakeRecord)
{
    const TkPlotDataAttributes attributes;
    std::vector<Record> v;
    TSample s = Measure([&] {
        if (Reserve)
            v.reserve(std::size_t(N));
        for (int i = 0; i < N; ++i)
            v.push_back(MakeRecord(i, i * 0.5, attributes));
        return double(v.capacity() * sizeof(Record));
    });
    if (int(v.size()) != N)
        std::fprintf(stderr, "vector holds the wrong points\n"), std::exit(1);
    return s;
}

template <class List, class Record, class Make> TSample RunOne(const std::string& Who, int N, Make MakeRecord)
{
    if (Who == "list") {
        std::unique_ptr<TkPlotDataCustomList> list = std::make_unique<List>();
        return RunList(*list, N);
    }
    return RunVector<Record>(N, Who == "reserved", MakeRecord);
}

// The child: one measurement, printed as numbers for the parent.
int Child(const std::string& Kind, const std::string& Who, int N)
{
    TSample s;
    if (Kind == "null")
        s = RunOne<TkPlotDataNullList, TkPlotDataNullList::Point>(Who, N, NullRecord);
    else if (Kind == "compact")
        s = RunOne<TkPlotDataCompactList, TkPlotDataCompactList::Point>(Who, N, CompactRecord);
    else if (Kind == "interval")
        s = RunOne<TkPlotDataCompactIntervalList, float>(Who, N, IntervalRecord);
    else if (Kind == "full")
        s = RunOne<TkPlotDataFullList, TkPlotDataFullList::Point>(Who, N, FullRecord);
    else
        return 2;
    std::printf("%.6f %.6f %.0f %.0f %.0f %.6f %.0f\n", s.WallMs, s.CpuMs, s.Resident, s.Peak, s.Allocated, s.SummaryMs,
                s.Summary);
    return 0;
}

std::string Self()
{
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "bench_pointlists";
    return std::string(path, std::size_t(n));
}

TSample RunChild(const std::string& Kind, const std::string& Who, int N)
{
    const std::string command = "'" + Self() + "' one " + Kind + " " + Who + " " + std::to_string(N);
    FILE* pipe = ::popen(command.c_str(), "r");
    TSample s;
    if (!pipe ||
        std::fscanf(pipe, "%lf %lf %lf %lf %lf %lf %lf", &s.WallMs, &s.CpuMs, &s.Resident, &s.Peak, &s.Allocated,
                    &s.SummaryMs, &s.Summary) != 7 ||
        ::pclose(pipe) != 0) {
        std::fprintf(stderr, "measurement %s failed\n", command.c_str());
        std::exit(1);
    }
    return s;
}

struct TSeries {
    bench::Figures Time;
    std::vector<double> Resident, Peak, Allocated, SummaryMs, Summary;
    void Add(const TSample& S)
    {
        Time.WallMs.push_back(S.WallMs);
        Time.CpuMs.push_back(S.CpuMs);
        Resident.push_back(S.Resident);
        Peak.push_back(S.Peak);
        Allocated.push_back(S.Allocated);
        SummaryMs.push_back(S.SummaryMs);
        Summary.push_back(S.Summary);
    }
};

void PrintMemory(const char* Name, const TSeries& S, int N)
{
    std::printf("  %-34s bytes/point resident %6.2f  peak %6.2f  allocated %6.2f\n", Name,
                bench::Median(S.Resident) / N, bench::Median(S.Peak) / N, bench::Median(S.Allocated) / N);
}

void Compare(const char* Title, const std::string& Kind, int ElementSize, int N)
{
    static const char* who[] = {"list", "reserved", "growing"};
    static const char* names[] = {"point list", "vector, reserved", "vector, growing"};
    TSeries series[3];
    for (int round = 0; round < Rounds; ++round)
        for (int k = 0; k < 3; ++k)
            series[k].Add(RunChild(Kind, who[k], N));
    std::printf("%s, %d points, %d-byte records (%d rounds, each a fresh process)\n", Title, N, ElementSize, Rounds);
    for (int k = 0; k < 3; ++k)
        bench::Print(names[k], series[k].Time);
    for (int k = 0; k < 3; ++k)
        PrintMemory(names[k], series[k], N);
    auto ratio = [&](int k, bool Cpu) {
        const auto& ours = Cpu ? series[0].Time.CpuMs : series[0].Time.WallMs;
        const auto& theirs = Cpu ? series[k].Time.CpuMs : series[k].Time.WallMs;
        return bench::Median(ours) / bench::Median(theirs);
    };
    std::printf("  ratio list/reserved: wall %.2f, cpu %.2f | list/growing: wall %.2f, cpu %.2f\n", ratio(1, false),
                ratio(1, true), ratio(2, false), ratio(2, true));
    bench::PrintRatios("list/reserved by round:", series[0].Time, series[1].Time);
    const double summary = bench::Median(series[0].Summary) / N;
    std::printf(
        "  summary, built by the first walk over all points: cpu ns/point median %.2f min %.2f max %.2f; "
        "bytes/point %.3f (%.1f %% of the records, %.1f %% of the bytes allocated)\n",
        bench::Median(series[0].SummaryMs) * 1e6 / N,
        *std::min_element(series[0].SummaryMs.begin(), series[0].SummaryMs.end()) * 1e6 / N,
        *std::max_element(series[0].SummaryMs.begin(), series[0].SummaryMs.end()) * 1e6 / N, summary,
        100 * summary / ElementSize, 100 * summary * N / bench::Median(series[0].Allocated));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "one") == 0)
        return Child(argv[2], argv[3], std::atoi(argv[4]));
    std::printf(
        "Adding points to each point list beside a std::vector of the same record, reserved up front and\n"
        "growing by push_back alone. Time covers adding every point; bytes are per point.\n"
        "Goals: a list within 1.2 x the reserved vector's time; allocated at most 1.25 records a point\n"
        "(a list grows by a quarter of its capacity); its summary at most a tenth of the records.\n");
    struct TKind {
        const char* Title;
        const char* Name;
        int ElementSize;
        int MaxCapacity;
    };
    const TKind kinds[] = {
        {"TkPlotDataNullList", "null", 24, TkPlotDataNullList().MaxCapacity()},
        {"TkPlotDataCompactList", "compact", 8, TkPlotDataCompactList().MaxCapacity()},
        {"TkPlotDataCompactIntervalList", "interval", 4, TkPlotDataCompactIntervalList().MaxCapacity()},
        {"TkPlotDataFullList", "full", 136, TkPlotDataFullList().MaxCapacity()},
    };
    for (const TKind& kind : kinds)
        for (int n : Sizes) {
            if (n > kind.MaxCapacity) {
                std::printf("%s, %d points: above its maximum of %d points, not measured\n", kind.Title, n,
                            kind.MaxCapacity);
                continue;
            }
            Compare(kind.Title, kind.Name, kind.ElementSize, n);
        }
    return 0;
}
