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

// Runs Rounds interleaved rounds of Ours and Theirs (after one warm-up of
// each), prints both and the ratio ours / theirs of the median wall and
// CPU times.
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
}

}  // namespace bench
