// Walking a point list column by column: the runs handed on, after the
// list was fed, wrapped, changed in place, cut and cleared, are those that
// reading every point gives; a long walk reads far fewer points than it
// covers; and the summary stays within a tenth of the records' memory.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <type_traits>
#include <random>
#include <string>
#include <vector>

#include "plot/core/kPlotDataCompactIntervalList.h"
#include "plot/core/kPlotDataCompactList.h"
#include "plot/core/kPlotDataFullList.h"
#include "plot/core/kPlotDataNullList.h"
#include "plot/core/kPlotMinMaxPoint.h"

namespace {

// A run or a null point, as a walk hands them on.
struct Step {
    bool Null = false;
    int Column = 0;
    double FirstX = 0, First = 0, Min = 0, Max = 0, Last = 0;
    bool operator==(const Step&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const Step& S)
{
    if (S.Null)
        return Out << "null";
    return Out << "column " << S.Column << " x " << S.FirstX << " y " << S.First << " [" << S.Min << ", " << S.Max
               << "] " << S.Last;
}

// Columns of width 1 / Scale on a linear scale, or log-like: every X up to
// zero in column -1, the others by their logarithm.
struct Columns {
    double Scale = 1;
    bool Log = false;
    int Of(double X) const
    {
        if (Log)
            return X > 0 ? int(std::floor(std::log10(X) * Scale)) : -1;
        return int(std::floor(X * Scale));
    }
};

// Gathers what a walk hands on, a column's runs in a row taken as one.
class Recorder : public TkPlotColumnWalk {
public:
    explicit Recorder(Columns C) : columns(C) {}
    int Column(double X) override
    {
        ++conversions;
        return columns.Of(X);
    }
    void Run(const TkPlotMinMaxPoint& P) override
    {
        if (!steps.empty() && !steps.back().Null && steps.back().Column == P.FirstIndex) {
            Step& s = steps.back();
            s.Min = std::min(s.Min, P.Min);
            s.Max = std::max(s.Max, P.Max);
            s.Last = P.LastValue;
            return;
        }
        steps.push_back({false, P.FirstIndex, P.FirstX, P.FirstValue, P.Min, P.Max, P.LastValue});
    }
    void Break() override { steps.push_back({true}); }

    Columns columns;
    std::vector<Step> steps;
    long conversions = 0;
};

// The same read point by point.
std::vector<Step> PointByPoint(TkPlotDataCustomList& List, int First, int Last, Columns C)
{
    std::vector<Step> steps;
    bool open = false;
    for (int i = First; i <= Last; ++i) {
        double x, y;
        bool empty, null;
        List.GetPoint(i, x, y, empty, null);
        if (empty)
            continue;
        if (null) {
            steps.push_back({true});
            open = false;
            continue;
        }
        const int c = C.Of(x);
        if (open && steps.back().Column == c) {
            Step& s = steps.back();
            s.Min = std::min(s.Min, y);
            s.Max = std::max(s.Max, y);
            s.Last = y;
        } else {
            steps.push_back({false, c, x, y, y, y, y});
            open = true;
        }
    }
    return steps;
}

template <class L> class SummaryTest : public ::testing::Test {
protected:
    // Several walks over the list, each against reading every point.
    void ExpectWalksReadAlike(const std::string& Case)
    {
        const int n = list.Count();
        ASSERT_GT(n, 0) << Case;
        std::uniform_int_distribution<int> index(0, n - 1);
        std::vector<std::pair<int, int>> ranges{{0, n - 1}};
        for (int k = 0; k < 6; ++k) {
            int a = index(random), b = index(random);
            ranges.push_back({std::min(a, b), std::max(a, b)});
        }
        for (Columns c : {Columns{0.5}, Columns{37}, Columns{4000}, Columns{200, true}})
            for (auto [first, last] : ranges) {
                Recorder walk(c);
                list.WalkColumns(first, last, walk);
                EXPECT_EQ(walk.steps, PointByPoint(list, first, last, c))
                    << Case << ", points " << first << " .. " << last << ", scale " << c.Scale << (c.Log ? " log" : "");
            }
    }

    // N points from X on, each Step further, wandering in Y; every
    // NullEvery-th one null and every EmptyEvery-th one empty.
    void Feed(int N, double& X, double Step, int NullEvery = 0, int EmptyEvery = 0)
    {
        std::normal_distribution<double> dy(0, 1);
        for (int i = 0; i < N; ++i, X += Step) {
            y += dy(random);
            ++fed;
            list.Add(X, y, NullEvery && fed % NullEvery == 0, EmptyEvery && fed % EmptyEvery == 0);
        }
    }

    L list;
    std::mt19937 random{7};
    double y = 0;
    long fed = 0;
};

using AllLists =
    ::testing::Types<TkPlotDataNullList, TkPlotDataCompactList, TkPlotDataCompactIntervalList, TkPlotDataFullList>;
TYPED_TEST_SUITE(SummaryTest, AllLists);

TYPED_TEST(SummaryTest, WalksReadAsEveryPointWhateverHappenedToTheList)
{
    auto& list = this->list;
    double x = -3;
    this->Feed(30'000, x, 1e-3, 997, 1009);
    this->ExpectWalksReadAlike("fed");
    this->Feed(7'000, x, 1e-3, 997, 1009);
    this->ExpectWalksReadAlike("fed on");
    const auto anyIndex = [&] { return int(this->random() % unsigned(list.Count())); };
    for (int k = 0; k < 30; ++k)
        list.SetY(anyIndex(), k % 2 ? 1e3 : -1e3);
    this->ExpectWalksReadAlike("Y changed in place");
    for (int k = 0; k < 30; ++k)
        list.SetNull(anyIndex(), k % 3 == 0);
    list.SetEmpty(anyIndex(), true);
    this->ExpectWalksReadAlike("null and empty points changed in place");
    if (!std::is_same_v<TypeParam, TkPlotDataCompactIntervalList>) {
        for (int k = 0; k < 3; ++k)
            list.SetX(anyIndex(), k);
        this->ExpectWalksReadAlike("X changed in place");
    }
    list.DeleteFirst(12'345);
    this->ExpectWalksReadAlike("cut at the front");

    // A ring, fed past its end several times and between walks.
    list.SetRingBufferSize(20'000);
    this->ExpectWalksReadAlike("ring over the newest");
    this->Feed(51'234, x, 1e-3, 0, 0);
    ASSERT_NE(list.RingStart(), 0);
    this->ExpectWalksReadAlike("ring wrapped");
    for (int step : {1, 63, 64, 65, 4'999, 19'999}) {
        this->Feed(step, x, 1e-3, 0, 0);
        this->ExpectWalksReadAlike("ring fed " + std::to_string(step) + " more");
    }
    list.SetY(list.Count() - 1, 5e3);
    this->ExpectWalksReadAlike("ring's newest changed");
    list.SetRingBufferSize(25'000);
    this->Feed(30'000, x, -2e-3, 0, 0);
    this->ExpectWalksReadAlike("ring resized, falling X");

    list.SetRingBufferSize(0);
    list.Clear();
    this->Feed(9'000, x, 1e-3, 101, 0);
    this->ExpectWalksReadAlike("cleared and fed again");
}

TYPED_TEST(SummaryTest, ALongWalkReadsFewPointsAndTheSummaryStaysSmall)
{
    double x = 0;
    const int n = 300'000;
    this->Feed(n, x, 1.0 / n);
    Recorder walk(Columns{300});
    this->list.WalkColumns(0, n - 1, walk);
    EXPECT_EQ(walk.steps.size(), 300u);
    EXPECT_LT(walk.conversions, 100 * 300) << "X values converted to columns";
    const double records = double(this->list.Count()) * this->list.ElementSize();
    EXPECT_GT(this->list.GetSummaryMemorySize(), 0);
    EXPECT_LE(double(this->list.GetSummaryMemorySize()), 0.1 * records);
    this->list.Clear();
    EXPECT_EQ(this->list.GetSummaryMemorySize(), 0) << "kept after the records were freed";
}

// On a log scale every X up to zero falls into the column of 1, and so
// may the last X of a block that starts at or below zero, while the X
// between them fall into columns of their own.
TEST(SummaryLogScale, ABlockFromZeroOrBelowToTheColumnOfOneIsNotTakenWhole)
{
    std::vector<std::unique_ptr<TkPlotDataCustomList>> lists;
    lists.push_back(std::make_unique<TkPlotDataNullList>());
    lists.push_back(std::make_unique<TkPlotDataFullList>());
    for (const auto& list : lists) {
        int i = 0;
        for (; i < 1536; ++i)
            list->Add(-1 + i * 1e-4, i % 7, false, false);  // column -1
        for (; i < 2047; ++i)
            list->Add((i - 1535) * 1e-6, i % 5, false, false);  // far to the left
        list->Add(0.999, 3, false, false);                      // column -1 again
        for (; list->Count() < 8000; ++i)
            list->Add(1 + i * 1e-3, i % 11, false, false);
        Recorder walk(Columns{200, true});
        list->WalkColumns(0, list->Count() - 1, walk);
        EXPECT_EQ(walk.steps, PointByPoint(*list, 0, list->Count() - 1, Columns{200, true}));
    }
}

// Points in no X order: a column's points come in runs of their own.
TEST(SummaryOutOfOrder, PointsOutOfXOrderStillReadAsEveryPoint)
{
    TkPlotDataNullList list;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> x(0, 1);
    for (int i = 0; i < 40'000; ++i)
        list.Add(i % 512 < 300 ? i * 2e-5 : x(random), i % 17, i % 4999 == 0, false);
    for (Columns c : {Columns{100}, Columns{5000}}) {
        Recorder walk(c);
        list.WalkColumns(0, list.Count() - 1, walk);
        EXPECT_EQ(walk.steps, PointByPoint(list, 0, list.Count() - 1, c));
    }
}

}  // namespace
