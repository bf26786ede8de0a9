#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "plot/core/kPlotDataCompactIntervalList.h"
#include "plot/core/kPlotDataCompactList.h"
#include "plot/core/kPlotDataFullList.h"
#include "plot/core/kPlotDataNullList.h"
#include "rtl/Exception.h"

namespace {

std::string MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "";
}

template <class L> class PointListTest : public ::testing::Test {
protected:
    L list;
};

using AllLists =
    ::testing::Types<TkPlotDataNullList, TkPlotDataCompactList, TkPlotDataCompactIntervalList, TkPlotDataFullList>;
TYPED_TEST_SUITE(PointListTest, AllLists);

TYPED_TEST(PointListTest, CapacitiesGrowInTheFixedSteps)
{
    std::vector<int> seen{this->list.Capacity()};
    for (int i = 0; i < 100; ++i) {
        this->list.Add(i, i, false, false);
        if (this->list.Capacity() != seen.back())
            seen.push_back(this->list.Capacity());
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 4, 8, 12, 28, 44, 60, 76, 95, 118}));
    EXPECT_EQ(this->list.Count(), 100);
}

TYPED_TEST(PointListTest, RingKeepsNewestAndWrapsStart)
{
    this->list.SetRingBufferSize(3);
    for (int v = 1; v <= 5; ++v)
        this->list.Add(v, v * 10, false, false);
    EXPECT_EQ(this->list.Count(), 3);
    EXPECT_EQ(this->list.RingStart(), 2);
    EXPECT_EQ(this->list.MapIndex(0), 2);
    EXPECT_EQ(this->list.GetY(0), 30);
    EXPECT_EQ(this->list.GetY(1), 40);
    EXPECT_EQ(this->list.GetY(2), 50);
    EXPECT_EQ(this->list.GetX(2), 5);
    EXPECT_EQ(this->list.GetRingBufferSize(), 3);
}

TYPED_TEST(PointListTest, CapacityChangeOfAWrappedRingKeepsLogicalOrder)
{
    // Shrinking keeps the oldest points, growing lets new points follow
    // the newest; neither may read or write outside the records.
    this->list.SetRingBufferSize(5);
    for (int v = 1; v <= 8; ++v)
        this->list.Add(v, v, false, false);  // holds 4..8, wrapped
    ASSERT_NE(this->list.RingStart(), 0);
    this->list.SetCapacity(2);
    EXPECT_EQ(this->list.Count(), 2);
    EXPECT_EQ(this->list.RingStart(), 0);
    EXPECT_EQ(this->list.GetY(0), 4);
    EXPECT_EQ(this->list.GetY(1), 5);

    this->list.Clear();
    for (int v = 1; v <= 3; ++v)
        this->list.Add(v, v, false, false);  // holds 2, 3 wrapped in a ring of 2
    ASSERT_NE(this->list.RingStart(), 0);
    this->list.SetCapacity(4);
    this->list.Add(4, 4, false, false);
    std::vector<double> ys;
    for (int i = 0; i < this->list.Count(); ++i)
        ys.push_back(this->list.GetY(i));
    EXPECT_EQ(ys, (std::vector<double>{2, 3, 4}));
}

TYPED_TEST(PointListTest, ResizingAWrappedRingClearsIt)
{
    this->list.SetRingBufferSize(3);
    for (int v = 1; v <= 5; ++v)
        this->list.Add(v, v, false, false);
    this->list.SetRingBufferSize(5);
    EXPECT_EQ(this->list.Count(), 0);
    EXPECT_EQ(this->list.Capacity(), 5);
}

TYPED_TEST(PointListTest, RingOverUnwrappedListKeepsNewest)
{
    for (int v = 0; v < 10; ++v)
        this->list.Add(v, v, false, false);
    this->list.SetRingBufferSize(4);
    ASSERT_EQ(this->list.Count(), 4);
    EXPECT_EQ(this->list.GetY(0), 6);
    EXPECT_EQ(this->list.GetY(3), 9);
    EXPECT_EQ(this->list.GetX(3), 9);
    EXPECT_EQ(this->list.Capacity(), 4);
}

TYPED_TEST(PointListTest, TurningRingOff)
{
    this->list.SetRingBufferSize(3);
    this->list.Add(1, 1, false, false);
    this->list.Add(2, 2, false, false);
    this->list.SetRingBufferSize(0);  // not wrapped: points and capacity stay
    EXPECT_EQ(this->list.Count(), 2);
    EXPECT_EQ(this->list.Capacity(), 3);
    EXPECT_EQ(this->list.GetRingBufferSize(), 0);

    this->list.SetRingBufferSize(3);
    for (int v = 3; v <= 5; ++v)
        this->list.Add(v, v, false, false);
    this->list.SetRingBufferSize(0);  // wrapped: emptied
    EXPECT_EQ(this->list.Count(), 0);
}

TYPED_TEST(PointListTest, RefusesBadRingSizesWithoutChange)
{
    this->list.Add(1, 1, false, false);
    EXPECT_EQ(MessageOf([&] { this->list.SetRingBufferSize(-1); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { this->list.SetRingBufferSize(this->list.MaxCapacity() + 1); }),
              "Exceed Maximum List Size");
    EXPECT_FALSE(this->list.RingBufferEnabled());
    EXPECT_EQ(this->list.Count(), 1);
}

TYPED_TEST(PointListTest, ARingWithoutRecordsTakesNoPoint)
{
    this->list.SetRingBufferSize(2);
    this->list.SetCapacity(0);
    EXPECT_EQ(MessageOf([&] { this->list.Add(1, 1, false, false); }), "Exceed Maximum List Size");
    EXPECT_EQ(this->list.Count(), 0);
    EXPECT_EQ(this->list.RingStart(), 0);
}

TYPED_TEST(PointListTest, BoundsAndCapacityErrors)
{
    EXPECT_EQ(MessageOf([&] { this->list.GetY(0); }), "Index out of Bounds");
    this->list.Add(1, 2, false, false);
    EXPECT_EQ(MessageOf([&] { this->list.GetY(1); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { this->list.GetY(-1); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { this->list.SetCapacity(this->list.MaxCapacity() + 1); }), "Exceed Maximum List Size");
    EXPECT_EQ(this->list.MaxCapacity(), 2147483647 / this->list.ElementSize());
}

TYPED_TEST(PointListTest, ClearReleasesMemoryOutsideRing)
{
    for (int v = 0; v < 7; ++v)
        this->list.Add(v, v, false, false);
    this->list.Clear();
    EXPECT_EQ(this->list.Count(), 0);
    EXPECT_EQ(this->list.Capacity(), 0);
    this->list.SetRingBufferSize(5);
    this->list.Add(1, 1, false, false);
    this->list.Clear();
    EXPECT_EQ(this->list.Capacity(), 5);
}

TYPED_TEST(PointListTest, DeleteFirstKeepsNewest)
{
    for (int v = 0; v < 6; ++v)
        this->list.Add(10 + 2 * v, v, false, false);
    this->list.DeleteFirst(2);
    ASSERT_EQ(this->list.Count(), 4);
    EXPECT_EQ(this->list.GetY(0), 2);
    EXPECT_EQ(this->list.GetX(0), 14);  // also for the interval list: X values stay
    EXPECT_EQ(this->list.GetX(3), 20);
}

// Lists of hundreds of thousands of points, as a long run's channels
// hold: every point stays in place whatever the list's storage goes
// through, growing large, shrinking small, growing again, as a wrapped
// ring and after clearing.
TYPED_TEST(PointListTest, LargeListsKeepTheirPointsThroughEveryResize)
{
    auto& list = this->list;
    const auto expectPoints = [&](int From, int To, int FirstValue) {
        for (int i = From; i < To; ++i) {
            const int v = FirstValue + i - From;
            ASSERT_EQ(list.GetX(i), v) << i;
            ASSERT_EQ(list.GetY(i), v % 1000) << i;
        }
    };
    for (int i = 0; i < 200000; ++i)
        list.Add(i, i % 1000, false, false);
    expectPoints(0, 200000, 0);
    list.SetCapacity(1000);
    EXPECT_EQ(list.Count(), 1000);
    expectPoints(0, 1000, 0);
    list.SetCapacity(150000);
    for (int i = 1000; i < 150000; ++i)
        list.Add(i, i % 1000, false, false);
    expectPoints(0, 150000, 0);

    list.SetRingBufferSize(120000);
    for (int i = 150000; i < 300000; ++i)
        list.Add(i, i % 1000, false, false);
    EXPECT_EQ(list.Count(), 120000);
    expectPoints(0, 120000, 180000);
    list.SetCapacity(400000);
    expectPoints(0, 120000, 180000);
    list.SetCapacity(50);
    expectPoints(0, 50, 180000);

    list.SetRingBufferSize(0);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    for (int i = 0; i < 100000; ++i)
        list.Add(i, i % 1000, false, false);
    expectPoints(0, 100000, 0);
}

TEST(PointLists, ElementSizesAndMemory)
{
    TkPlotDataNullList n;
    TkPlotDataCompactList c;
    TkPlotDataCompactIntervalList ci;
    TkPlotDataFullList f;
    EXPECT_EQ(n.ElementSize(), 24);
    EXPECT_EQ(c.ElementSize(), 8);
    EXPECT_EQ(ci.ElementSize(), 4);
    EXPECT_EQ(f.ElementSize(), 136);
    n.SetCapacity(95);
    EXPECT_EQ(n.GetMemorySize(), 2280);
}

TEST(PointLists, DeleteRangeMessagesPerList)
{
    TkPlotDataNullList n;
    EXPECT_EQ(MessageOf([&] { n.DeleteFirst(0); }), "Delete size out of Range");
    n.Add(1, 1, false, false);
    EXPECT_EQ(MessageOf([&] { n.DeleteFirst(1); }), "Delete size out of Range");

    TkPlotDataCompactList c;
    c.Add(1, 1, false, false);
    EXPECT_EQ(MessageOf([&] { c.DeleteFirst(1); }), "Delete size out of Range");

    TkPlotDataFullList f;
    f.Add(1, 1, false, false);
    EXPECT_EQ(MessageOf([&] { f.DeleteFirst(1); }), "Delete Size Out Of Range");
    EXPECT_EQ(MessageOf([&] { f.DeleteFirst(-1); }), "Delete Size Out Of Range");

    TkPlotDataCompactIntervalList ci;
    ci.Add(1, 1, false, false);
    ci.Add(2, 2, false, false);
    ci.DeleteFirst(2);
    EXPECT_EQ(ci.Count(), 0);
    EXPECT_EQ(MessageOf([&] { ci.DeleteFirst(1); }), "Delete size out of Range");
}

TEST(PointLists, IntervalListLearnsItsXAxis)
{
    TkPlotDataCompactIntervalList l;
    l.Add(10, 1, false, false);
    l.Add(12, 2, false, false);
    l.Add(14, 3, false, false);
    EXPECT_EQ(l.Interval(), 2);
    EXPECT_EQ(l.FirstX(), 10);
    EXPECT_EQ(l.GetX(5), 20);  // computed, no bounds check
    l.Clear();
    l.Add(100, 1, false, false);
    l.Add(105, 1, false, false);
    EXPECT_EQ(l.FirstX(), 100);
    EXPECT_EQ(l.Interval(), 5);
    EXPECT_EQ(MessageOf([&] { l.SetX(1, 3); }),
              "Data Style does not support setting individual X-Value with the exception of the first X-Value");
    l.SetX(0, 50);
    EXPECT_EQ(l.GetX(1), 55);
}

TEST(PointLists, IntervalOfMinusOneStaysLearnt)
{
    TkPlotDataCompactIntervalList l;
    l.Add(5, 0, false, false);
    l.Add(4, 0, false, false);  // learns -1
    l.Add(3, 0, false, false);
    l.DeleteFirst(2);
    l.Add(100, 0, false, false);  // must not relearn
    EXPECT_TRUE(l.IntervalLearnt());
    EXPECT_EQ(l.Interval(), -1);
    EXPECT_EQ(l.GetX(0), 3);
    EXPECT_EQ(l.GetX(1), 2);
}

TEST(PointLists, IntervalRingKeepsXOfRemainingPoints)
{
    TkPlotDataCompactIntervalList l;
    l.SetRingBufferSize(3);
    for (int i = 0; i < 5; ++i)
        l.Add(10 + i, i, false, false);
    EXPECT_EQ(l.GetX(0), 12);
    EXPECT_EQ(l.GetY(0), 2);
    EXPECT_EQ(l.GetX(2), 14);
}

TEST(PointLists, IntervalRingOfOneFollowsTheNewestPoint)
{
    TkPlotDataCompactIntervalList l;
    l.SetRingBufferSize(1);
    l.Add(10, 1, false, false);
    l.Add(12, 2, false, false);
    l.Add(14, 3, false, false);
    EXPECT_EQ(l.Count(), 1);
    EXPECT_EQ(l.GetY(0), 3);
    EXPECT_EQ(l.GetX(0), 14);
}

TEST(PointLists, StoredPrecisionAndFlagsPerLayout)
{
    const double v = 0.1;
    TkPlotDataCompactList c;
    c.Add(v, v, true, true);
    EXPECT_EQ(c.GetY(0), double(float(v)));
    EXPECT_FALSE(c.GetNull(0));
    EXPECT_FALSE(c.GetEmpty(0));

    TkPlotDataNullList n;
    n.Attributes.MarkersVisible = true;
    n.Attributes.MarkersStyle = 21;  // only the low four bits are kept
    n.Add(v, v, true, false);
    EXPECT_EQ(n.GetY(0), v);
    EXPECT_TRUE(n.GetNull(0));
    EXPECT_FALSE(n.GetEmpty(0));
    EXPECT_TRUE(n.GetMarkersVisible(0));
    EXPECT_EQ(n.GetMarkersStyle(0), 5);
    n.SetMarkersStyle(0, 9);
    n.SetEmpty(0, true);
    EXPECT_EQ(n.GetMarkersStyle(0), 9);
    EXPECT_TRUE(n.GetEmpty(0));
    EXPECT_TRUE(n.GetNull(0));

    TkPlotDataFullList f;
    f.Attributes.MarkersStyle = 21;
    f.Attributes.Color = 0x123456;
    f.Attributes.MarkerChar = 'x';
    f.Add(1, 2, false, true);
    EXPECT_EQ(f.GetMarkersStyle(0), 21);
    EXPECT_EQ(f.GetPointAttributes(0).Color, 0x123456);
    EXPECT_EQ(f.GetPointAttributes(0).MarkerChar, 0);
    EXPECT_TRUE(f.GetPointAttributes(0).Spare);
    f.SetExtraValue(3, 0, 7.5);
    EXPECT_EQ(f.GetExtraValue(3, 0), 7.5);
    EXPECT_EQ(f.GetExtraValue(1, 0), 0.0);
    f.Attributes.Color = 1;
    EXPECT_EQ(f.GetPointAttributes(0).Color, 0x123456);  // the point keeps its own
}

TEST(PointLists, NonFullListsAnswerListWideAttributes)
{
    TkPlotDataCompactList c;
    c.Add(0, 0, false, false);
    c.Attributes.BarWidth = 3.5;
    c.SetPointAttributes(0, TkPlotDataAttributes{});
    EXPECT_EQ(c.GetPointAttributes(0).BarWidth, 3.5);
}

TEST(PointLists, AttributeBlockOfANullListCarriesItsPerPointMarkers)
{
    TkPlotDataNullList n;
    n.Attributes.MarkersVisible = true;
    n.Attributes.MarkersStyle = 3;
    n.Attributes.BarWidth = 2.5;
    n.Add(0, 0, false, false);
    n.SetMarkersVisible(0, false);
    n.SetMarkersStyle(0, 7);
    TkPlotDataAttributes a = n.GetPointAttributes(0);
    EXPECT_FALSE(a.MarkersVisible);
    EXPECT_EQ(a.MarkersStyle, 7);
    EXPECT_EQ(a.BarWidth, 2.5);
    a.MarkersVisible = true;
    a.MarkersStyle = 4;
    a.BarWidth = 9;
    n.SetPointAttributes(0, a);  // only what the list keeps per point is taken
    EXPECT_TRUE(n.GetMarkersVisible(0));
    EXPECT_EQ(n.GetMarkersStyle(0), 4);
    EXPECT_EQ(n.GetPointAttributes(0).BarWidth, 2.5);
    EXPECT_EQ(MessageOf([&] { n.GetPointAttributes(1); }), "Index out of Bounds");
}

}  // namespace
