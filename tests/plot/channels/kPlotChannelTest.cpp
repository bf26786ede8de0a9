#include <gtest/gtest.h>

#include "ChannelTestSupport.h"
#include "rtl/Exception.h"

namespace {

using TraceChannel = ChannelTest;

std::string AddMessage(TkPlotChannel* Channel, double X)
{
    try {
        Channel->AddXY(X, 0);
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

TEST_F(TraceChannel, TheXOrderCheckNamesTheDirectionByItsFullStop)
{
    TkPlotChannel* up = AddChannel();
    up->SetAllowOutOfOrderXValues(false);
    AddPoints(up, {{1, 0}, {2, 0}});
    EXPECT_EQ(AddMessage(up, 1.5), "New Data-Point X-Value is out of order");
    EXPECT_EQ(up->GetCount(), 2);
    EXPECT_EQ(AddMessage(up, 2), "");

    TkPlotChannel* down = AddChannel();
    down->SetAllowOutOfOrderXValues(false);
    AddPoints(down, {{2, 0}, {1, 0}});
    EXPECT_EQ(AddMessage(down, 1.5), "New Data-Point X-Value is out of order.");
    EXPECT_EQ(down->GetCount(), 2);

    TkPlotChannel* same = AddChannel();
    same->SetAllowOutOfOrderXValues(false);
    AddPoints(same, {{1, 0}, {1, 0}});
    EXPECT_EQ(AddMessage(same, 1), "");
    EXPECT_EQ(AddMessage(same, 0), "New Data-Point X-Value is out of order");

    TkPlotChannel* free = AddChannel();  // allowed by default
    AddPoints(free, {{1, 0}, {2, 0}, {0, 0}});
    EXPECT_EQ(free->GetCount(), 3);
}

TEST_F(TraceChannel, TwoDescendingPointsRunDownwards)
{
    TkPlotChannel* c = AddChannel();
    EXPECT_TRUE(c->XAscending());
    AddPoints(c, {{10, 0}, {0, 0}});
    EXPECT_FALSE(c->XAscending());
    c->Clear();
    AddPoints(c, {{0, 0}, {10, 0}});
    EXPECT_TRUE(c->XAscending());
}

TEST_F(TraceChannel, FindIndexAtXAnswersTheFirstIndexAtOrBeyondX)
{
    TkPlotChannel* c = AddChannel();
    EXPECT_EQ(c->FindIndexAtX(1), -1);
    AddPoints(c, {{0, 0}, {10, 10}});
    EXPECT_EQ(c->FindIndexAtX(5), 1);
    EXPECT_EQ(c->FindIndexAtX(0), 0);
    EXPECT_EQ(c->FindIndexAtX(10), 1);
    EXPECT_EQ(c->FindIndexAtX(11), -1);
    EXPECT_EQ(c->FindIndexAtX(-1), -1);
    hasXAxis = false;
    EXPECT_EQ(c->FindIndexAtX(5), -1);
}

TEST_F(TraceChannel, YAtXInterpolatesOnThePixelGrid)
{
    TkPlotChannel* c = AddChannel();  // X axis 0 .. 10 over 100 pixels
    AddPoints(c, {{0, 0}, {10, 10}});
    double y = -1;
    EXPECT_TRUE(c->GetYAtX(5, y));
    EXPECT_EQ(y, 5);
    EXPECT_TRUE(c->GetYAtX(2, y));
    EXPECT_EQ(y, 2);
    EXPECT_TRUE(c->GetYAtX(0.04, y));  // within the first pixel: the point's own Y
    EXPECT_EQ(y, 0);
    EXPECT_TRUE(c->GetYAtX(10, y));
    EXPECT_EQ(y, 10);
    EXPECT_FALSE(c->GetYAtX(10.5, y));
    EXPECT_EQ(y, 0);
    hasXAxis = false;  // no axis: only exact ends
    EXPECT_FALSE(c->GetYAtX(5, y));
    EXPECT_TRUE(c->GetYAtX(0, y));
}

TEST_F(TraceChannel, YAtXOfADigitalTraceHoldsTheEarlierValue)
{
    TkPlotChannel* c = AddChannel();
    c->SetDigitalEnabled(true);
    AddPoints(c, {{0, 1}, {10, 0}});
    double y = -1;
    EXPECT_TRUE(c->GetYAtX(7, y));
    EXPECT_EQ(y, 1);
}

TEST_F(TraceChannel, YAtXBetweenDescendingPointsInterpolatesToo)
{
    TkPlotChannel* c = AddChannel();
    AddPoints(c, {{10, 10}, {0, 0}});
    double y = -1;
    EXPECT_EQ(c->FindIndexAtX(5), 0);
    EXPECT_TRUE(c->GetYAtX(5, y));
    EXPECT_EQ(y, 5);
    EXPECT_TRUE(c->GetYAtX(8, y));
    EXPECT_EQ(y, 8);
    // Past the last (smallest) X there is nothing, and no point beyond the
    // end is read.
    EXPECT_FALSE(c->GetYAtX(-1, y));
    c->SetDigitalEnabled(true);
    EXPECT_TRUE(c->GetYAtX(5, y));
    EXPECT_EQ(y, 0);
}

TEST_F(TraceChannel, YAtXNextToANullPointIsNoValueAndANullPointIsNoMatch)
{
    TkPlotChannel* c = AddChannel();
    c->AddXY(0, 0);
    c->AddPointCore(5, 99, true, false);
    c->AddXY(10, 10);
    double y = -1;
    EXPECT_FALSE(c->GetYAtX(3, y));
    EXPECT_FALSE(c->GetYAtX(7, y));
    EXPECT_FALSE(c->GetYAtX(5, y));  // the stored Y of a null point is not a value
    EXPECT_EQ(y, 0);
    c->SetDigitalEnabled(true);
    EXPECT_FALSE(c->GetYAtX(7, y));
    c->SetDataNull(1, false);
    c->SetDataEmpty(1, true);  // compact lists read back flags as false; this list keeps them
    EXPECT_FALSE(c->GetYAtX(7, y));
}

TEST_F(TraceChannel, YAtXOverUnsortedPointsStaysWithinThePoints)
{
    TkPlotChannel* c = AddChannel();
    AddPoints(c, {{0, 0}, {8, 1}, {2, 2}, {9, 3}, {1, 4}, {10, 5}});
    double y;
    for (double x = -1; x <= 11; x += 0.25) {
        const int i = c->FindIndexAtX(x);
        EXPECT_GE(i, -1);
        EXPECT_LT(i, c->GetCount());
        c->GetYAtX(x, y);
    }
    c->Clear();
    AddPoints(c, {{10, 1}, {5, 2}});
    c->AddPointCore(0, 3, true, false);
    EXPECT_FALSE(c->GetYAtX(0, y));  // the null last point has no neighbour after it
    c->SetDigitalEnabled(true);
    EXPECT_FALSE(c->GetYAtX(0, y));
    c->SetDigitalEnabled(false);
    AddPoints(c, {{20, 0}, {-5, 0}});  // unsorted, descending from end to end
    for (double x = -6; x <= 21; x += 0.5) {
        EXPECT_LT(c->FindIndexAtX(x), c->GetCount());
        c->GetYAtX(x, y);
    }
}

TEST_F(TraceChannel, CursorLookupByInterpolationStyle)
{
    TkPlotChannel* c = AddChannel();
    double y = -1;
    EXPECT_EQ(c->GetCursorYAtX(1, y), kpcvNoValue);
    AddPoints(c, {{0, 1}, {4, 5}, {8, 9}});
    EXPECT_EQ(c->GetCursorYAtX(2, y), kpcvValue);
    EXPECT_EQ(y, 3);
    c->SetInterpolationStyle(kpistDifferential);
    EXPECT_EQ(c->GetCursorYAtX(6, y), kpcvValue);
    EXPECT_EQ(y, 5);
    EXPECT_EQ(c->GetCursorYAtX(12, y), kpcvValue);  // the last level holds on
    EXPECT_EQ(y, 9);
    c->SetInterpolationStyle(kpistDifferentialTerminated);
    EXPECT_EQ(c->GetCursorYAtX(12, y), kpcvNoValue);
    EXPECT_EQ(c->GetCursorYAtX(-2, y), kpcvNoValue);
    c->SetDataNull(1, true);
    EXPECT_EQ(c->GetCursorYAtX(6, y), kpcvNull);
    c->SetInterpolationStyle(kpistCubicSpline);  // nothing drawn yet: nothing to read
    EXPECT_EQ(c->GetCursorYAtX(2, y), kpcvNoValue);
    EXPECT_EQ(c->GetCursorYAtX(8, y), kpcvValue);  // the exact last point always reads
}

TEST_F(TraceChannel, TheVisibleRangeReachesOnePointBeyondEachEdge)
{
    TkPlotChannel* c = AddChannel();
    for (int x = 0; x <= 30; ++x)
        c->AddXY(x, x);
    xAxis.Min = 10.5;
    xAxis.Span = 5;
    c->CalcFirstVisibleIndex();
    c->CalcLastVisibleIndex();
    EXPECT_EQ(c->GetFirstVisibleIndex(), 10);
    EXPECT_EQ(c->GetLastVisibleIndex(), 16);
    xAxis.Min = 10;  // exact hits need no extra point
    xAxis.Span = 5;
    c->CalcFirstVisibleIndex();
    c->CalcLastVisibleIndex();
    EXPECT_EQ(c->GetFirstVisibleIndex(), 10);
    EXPECT_EQ(c->GetLastVisibleIndex(), 15);
}

TEST_F(TraceChannel, TheVisibleRangeOfDescendingAndOutOfViewDataStaysWithinThePoints)
{
    TkPlotChannel* c = AddChannel();
    for (int x = 30; x >= 0; --x)
        c->AddXY(x, x);
    xAxis.Min = 10.5;
    xAxis.Span = 5;
    c->CalcFirstVisibleIndex();
    c->CalcLastVisibleIndex();
    EXPECT_EQ(c->GetFirstVisibleIndex(), 14);  // X 16, beyond the maximum 15.5
    EXPECT_EQ(c->GetLastVisibleIndex(), 20);   // X 10, beyond the minimum
    for (double min : {-100.0, 100.0}) {
        xAxis.Min = min;
        c->CalcFirstVisibleIndex();
        c->CalcLastVisibleIndex();
        EXPECT_GE(c->GetFirstVisibleIndex(), 0);
        EXPECT_LT(c->GetLastVisibleIndex(), c->GetCount());
    }
    c->SetDrawOutOfOrderXValues(true);
    xAxis.Min = 100;  // nothing in view
    c->CalcFirstVisibleIndex();
    c->CalcLastVisibleIndex();
    EXPECT_GE(c->GetFirstVisibleIndex(), 0);
    EXPECT_GE(c->GetLastVisibleIndex(), 0);
    c->Clear();
    c->CalcFirstVisibleIndex();
    EXPECT_EQ(c->GetFirstVisibleIndex(), -1);
}

TEST_F(TraceChannel, ExtentsSkipNullPointsAndWidenByTheMarkers)
{
    TkPlotChannel* c = AddChannel();
    EXPECT_EQ(c->GetXMaxExtent(), -1e300);
    EXPECT_EQ(c->GetXMinExtent(), 1e300);
    c->AddPointCore(-5, 100, true, false);
    AddPoints(c, {{1, 3}, {2, -1}, {3, 7}});
    c->AddPointCore(9, -100, true, false);
    EXPECT_EQ(c->GetXMinExtent(), 1);
    EXPECT_EQ(c->GetXMaxExtent(), 3);
    EXPECT_EQ(c->GetYMaxExtentVisible(), 7);
    EXPECT_EQ(c->GetYMinExtentVisible(), -1);
    c->SetMarkersVisible(true);
    c->SetMarkersSize(10);  // one unit on both test axes
    EXPECT_DOUBLE_EQ(c->GetXMaxExtent(), 4);
    EXPECT_DOUBLE_EQ(c->GetYMinExtentVisible(), -2);
    c->SetVisible(false);
    EXPECT_EQ(c->GetXMaxExtent(), -1e300);
}

}  // namespace
