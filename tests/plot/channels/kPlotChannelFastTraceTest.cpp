// The fast trace's lines for columns of many points, read from a recording
// canvas, whatever list holds the points and wherever a ring wraps.
#include <gtest/gtest.h>

#include <vector>

#include "ChannelTestSupport.h"
#include "ui/RecordingCanvas.h"

namespace {

struct Line {
    TPoint From, To;
    bool operator==(const Line&) const = default;
};

// Test axes: X 0 .. 10 over pixels 0 .. 100, Y 0 .. 10 over pixels 100 .. 0.
class FastTrace : public ChannelTest {
protected:
    std::vector<Line> Paint(TkPlotChannel* Channel)
    {
        TRecordingCanvas canvas{TSize(200, 200)};
        Channel->PreDraw(&canvas);
        Channel->Draw(&canvas, clBlack);
        std::vector<Line> lines;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::LineTo)
                lines.push_back({r.Points.at(0), TPoint(r.Args[0], r.Args[1])});
        return lines;
    }
    // Three columns of points: 10 and 20 of four valid points each, and
    // 30 cut by a null point, with an empty point (far off the scale)
    // among the valid ones after it.
    static void AddColumns(TkPlotChannel* Channel)
    {
        AddPoints(Channel, {{1.0, 5}, {1.001, 7}, {1.002, 3}, {1.003, 6}});
        AddPoints(Channel, {{2.0, 2}, {2.001, 9}, {2.002, 1}, {2.003, 4}});
        Channel->AddXY(3.0, 8);
        Channel->AddPointCore(3.001, 0, true, false);
        Channel->AddXY(3.002, 2);
        Channel->AddPointCore(3.003, 100, false, true);
        Channel->AddXY(3.004, 5);
    }
    // Per column: the vertical line from its largest to its smallest Y;
    // between columns: the line from the last Y to the next first Y; no
    // line across the null, and the empty point ignored.
    const std::vector<Line> expected = {{TPoint(10, 30), TPoint(10, 70)},
                                        {TPoint(20, 10), TPoint(20, 90)},
                                        {TPoint(10, 40), TPoint(20, 80)},
                                        {TPoint(20, 60), TPoint(30, 20)},
                                        {TPoint(30, 50), TPoint(30, 80)}};
};

TEST_F(FastTrace, EachColumnIsReducedToItsRangeAndJoinedToTheNext)
{
    for (TkPlotDataStyle style : {kpdsStandard, kpdsFullFeature}) {
        TkPlotChannel* c = AddChannel();
        c->SetDataStyle(style);
        AddColumns(c);
        EXPECT_EQ(Paint(c), expected) << "data style " << style;
    }
}

TEST_F(FastTrace, ARingThatWrapsInsideAColumnDrawsTheSameLines)
{
    for (TkPlotDataStyle style : {kpdsStandard, kpdsFullFeature}) {
        TkPlotChannel* c = AddChannel();
        c->SetDataStyle(style);
        c->SetRingBufferSize(13);
        // Eight points that the ring drops again, so that the columns'
        // points lie from storage position 8 on and wrap between the second
        // column's first point and its largest and smallest.
        for (int i = 1; i <= 8; ++i)
            c->AddXY(i * 0.1, 5);
        AddColumns(c);
        ASSERT_EQ(c->GetCount(), 13);
        EXPECT_EQ(Paint(c), expected) << "data style " << style;
    }
}

// Points out of X order (allowed) keep the column their own X gives: a
// point of column 50 between points of column 10 is not counted into it,
// and the later points of column 10 still are.
TEST_F(FastTrace, PointsOutOfXOrderKeepTheirOwnColumns)
{
    TkPlotChannel* c = AddChannel();
    c->SetAllowOutOfOrderXValues(true);
    c->SetDrawOutOfOrderXValues(true);
    AddPoints(c, {{1.0, 5}, {1.001, 6}, {1.002, 7}, {5.0, 2}, {1.003, 4}});
    EXPECT_EQ(Paint(c), (std::vector<Line>{{TPoint(10, 30), TPoint(10, 60)}, {TPoint(10, 60), TPoint(50, 80)}}));
}

}  // namespace
