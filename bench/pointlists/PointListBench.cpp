// Adding points to each point list, plain and as a ring, beside a
// std::vector of the same record. Reports points per second and bytes per
// point (capacity × record size / points).
#include <benchmark/benchmark.h>

#include <vector>

#include "plot/core/kPlotDataCompactIntervalList.h"
#include "plot/core/kPlotDataCompactList.h"
#include "plot/core/kPlotDataFullList.h"
#include "plot/core/kPlotDataNullList.h"

namespace {

constexpr int kPoints = 10'000'000;
constexpr int kRing = 50'000;

template <class List>
void AddPoints(benchmark::State& state)
{
    const bool ring = state.range(0) != 0;
    double bytesPerPoint = 0;
    for (auto _ : state) {
        List list;
        if (ring)
            list.SetRingBufferSize(kRing);
        for (int i = 0; i < kPoints; ++i)
            list.Add(i, i * 0.5, false, false);
        benchmark::DoNotOptimize(list.Count());
        bytesPerPoint = double(list.GetMemorySize()) / list.Count();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.counters["bytes_per_point"] = bytesPerPoint;
}

template <class Record>
void VectorBaseline(benchmark::State& state)
{
    double bytesPerPoint = 0;
    for (auto _ : state) {
        std::vector<Record> v;
        for (int i = 0; i < kPoints; ++i) {
            Record r{};
            r.X = i;
            r.Y = i * 0.5;
            v.push_back(r);
        }
        benchmark::DoNotOptimize(v.data());
        bytesPerPoint = double(v.capacity() * sizeof(Record)) / v.size();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.counters["bytes_per_point"] = bytesPerPoint;
}

struct YOnly {
    float X; // unused by the interval list; kept so the baseline writes the same
    float Y;
};

BENCHMARK_TEMPLATE(AddPoints, TkPlotDataNullList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(VectorBaseline, TkPlotDataNullList::Point)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(AddPoints, TkPlotDataCompactList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(VectorBaseline, TkPlotDataCompactList::Point)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(AddPoints, TkPlotDataCompactIntervalList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(AddPoints, TkPlotDataFullList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(VectorBaseline, TkPlotDataFullList::Point)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
