#pragma once
// Times rounds of a piece of work by wall clock and by the process's CPU
// clock, and prints median, minimum and maximum of each, and the ratio of
// two medians. Rounds of two contenders are interleaved, so a slow spell of
// the machine falls on both.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Figures {
    std::vector<double> WallMs;
    std::vector<double> CpuMs;
};

inline double CpuNowMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline void TimeOnce(const std::function<void()>& Work, Figures& Into)
{
    const auto wall = std::chrono::steady_clock::now();
    const double cpu = CpuNowMs();
    Work();
    Into.CpuMs.push_back(CpuNowMs() - cpu);
    Into.WallMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count());
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline void Print(const std::string& Name, const Figures& F)
{
    auto [wmin, wmax] = std::minmax_element(F.WallMs.begin(), F.WallMs.end());
    auto [cmin, cmax] = std::minmax_element(F.CpuMs.begin(), F.CpuMs.end());
    std::printf("  %-34s wall ms median %8.2f min %8.2f max %8.2f | cpu ms median %8.2f min %8.2f max %8.2f\n",
                Name.c_str(), Median(F.WallMs), *wmin, *wmax, Median(F.CpuMs), *cmin, *cmax);
}

// The ratios Ours[i] / Theirs[i] of rounds run side by side.
inline std::vector<double> RoundRatios(const std::vector<double>& Ours, const std::vector<double>& Theirs)
{
    std::vector<double> r;
    for (std::size_t i = 0; i < Ours.size() && i < Theirs.size(); ++i)
        r.push_back(Ours[i] / Theirs[i]);
    return r;
}

// The ratio ours / theirs of each interleaved round, as median, minimum
// and maximum, wall and CPU.
inline void PrintRatios(const std::string& Name, const Figures& Ours, const Figures& Theirs)
{
    const std::vector<double> wall = RoundRatios(Ours.WallMs, Theirs.WallMs),
                              cpu = RoundRatios(Ours.CpuMs, Theirs.CpuMs);
    std::printf("  ratio %-28s wall median %6.3f min %6.3f max %6.3f | cpu median %6.3f min %6.3f max %6.3f\n",
                Name.c_str(), Median(wall), *std::min_element(wall.begin(), wall.end()),
                *std::max_element(wall.begin(), wall.end()), Median(cpu), *std::min_element(cpu.begin(), cpu.end()),
                *std::max_element(cpu.begin(), cpu.end()));
}

// Runs Rounds interleaved rounds of Ours and Theirs (after one warm-up of
// each), prints both, the ratio ours / theirs of the median wall and CPU
// times, and the ratios round by round.
inline void Compare(const std::string& Title, const std::string& OursName, const std::function<void()>& Ours,
                    const std::string& TheirsName, const std::function<void()>& Theirs, int Rounds = 7)
{
    Figures ours, theirs, warm;
    TimeOnce(Ours, warm);
    TimeOnce(Theirs, warm);
    for (int i = 0; i < Rounds; ++i) {
        TimeOnce(Ours, ours);
        TimeOnce(Theirs, theirs);
    }
    std::printf("%s (%d rounds)\n", Title.c_str(), Rounds);
    Print(OursName, ours);
    Print(TheirsName, theirs);
    std::printf("  ratio ours/theirs: wall %.2f, cpu %.2f\n", Median(ours.WallMs) / Median(theirs.WallMs),
                Median(ours.CpuMs) / Median(theirs.CpuMs));
    PrintRatios("ours/theirs by round:", ours, theirs);
}

}  // namespace bench
