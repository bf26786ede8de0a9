#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ChannelTestSupport.h"
#include "ui/RecordingCanvas.h"

namespace {

struct Segment {
    TPoint From, To;
    TPenData Pen;
};

// Test axes: X 0 .. 10 over pixels 0 .. 100, Y 0 .. 10 over pixels 100 .. 0.
class TraceDrawing : public ChannelTest {
protected:
    void Paint(TkPlotChannel* Channel)
    {
        canvas.Records.clear();
        Channel->PreDraw(&canvas);
        Channel->Draw(&canvas, clBlack);
    }
    std::vector<Segment> Lines() const
    {
        std::vector<Segment> lines;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::LineTo)
                lines.push_back({r.Points.at(0), TPoint(r.Args[0], r.Args[1]), r.Pen});
        return lines;
    }
    int Count(TCanvasOp Op) const
    {
        return int(std::count_if(canvas.Records.begin(), canvas.Records.end(),
                                 [Op](const TCanvasRecord& r) { return r.Op == Op; }));
    }

    TRecordingCanvas canvas{TSize(200, 200)};
};

TEST_F(TraceDrawing, TheStandardTraceJoinsValidPointsWithTheirOwnPens)
{
    TkPlotChannel* c = AddChannel();
    c->SetFastDrawEnabled(false);
    c->SetColor(clBlue);
    AddPoints(c, {{1, 1}, {2, 3}, {4, 2}});
    c->AddPointCore(5, 0, false, true);  // empty: skipped without a break
    c->AddXY(6, 6);
    Paint(c);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].From, TPoint(10, 90));
    EXPECT_EQ(lines[0].To, TPoint(20, 70));
    EXPECT_EQ(lines[2].From, TPoint(40, 80));
    EXPECT_EQ(lines[2].To, TPoint(60, 40));
    EXPECT_EQ(lines[0].Pen.Color, clBlue);
    EXPECT_EQ(lines[0].Pen.Width, 0);  // width 1 is the thin pen
}

TEST_F(TraceDrawing, ANullPointSplitsTheTraceInTwoWithEitherTrace)
{
    for (bool fast : {false, true}) {
        TkPlotChannel* c = AddChannel();
        c->SetFastDrawEnabled(fast);
        for (int x = 0; x <= 10; ++x)
            if (x == 5)
                c->AddPointCore(x, 5, true, false);
            else
                c->AddXY(x, x % 3);
        Paint(c);
        EXPECT_FALSE(Lines().empty());
        for (const Segment& s : Lines())
            EXPECT_FALSE(std::min(s.From.X, s.To.X) < 50 && std::max(s.From.X, s.To.X) > 50)
                << (fast ? "fast " : "standard ") << s.From.X << " to " << s.To.X;
    }
}

TEST_F(TraceDrawing, AThousandPointsInOneColumnDrawOneVerticalLine)
{
    TkPlotChannel* c = AddChannel();
    for (int i = 0; i < 1000; ++i)
        c->AddXY(5 + i * 0.00004, 2 + (i * 37 % 101) * 0.06);  // Y from 2 to 8, all in column 50
    Paint(c);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].From, TPoint(50, 20));
    EXPECT_EQ(lines[0].To, TPoint(50, 80));
}

TEST_F(TraceDrawing, AHundredThousandPointsDrawFewerLinesThanThreePerColumn)
{
    TkPlotChannel* c = AddChannel();
    for (int i = 0; i < 100000; ++i)
        c->AddXY(i * 0.0001, 5 + 4 * std::sin(i * 0.01));
    Paint(c);
    const int columns = 101;
    EXPECT_GT(Lines().size(), 100u);
    EXPECT_LT(Lines().size(), std::size_t(3 * columns));
}

TEST_F(TraceDrawing, ColumnsAreJoinedFromLastToFirstValue)
{
    TkPlotChannel* c = AddChannel();
    AddPoints(c, {{1, 1}, {1.01, 3}, {2, 5}, {2.01, 4}, {3, 9}});
    Paint(c);
    const auto lines = Lines();
    // Column 10: 1..3 and column 20: 4..5 as vertical lines, joined from
    // (10, Y 3) to (20, Y 5), then on to column 30.
    auto has = [&](TPoint a, TPoint b) {
        return std::any_of(lines.begin(), lines.end(), [&](const Segment& s) { return s.From == a && s.To == b; });
    };
    EXPECT_TRUE(has(TPoint(10, 70), TPoint(10, 90)));
    EXPECT_TRUE(has(TPoint(20, 50), TPoint(20, 60)));
    EXPECT_TRUE(has(TPoint(10, 70), TPoint(20, 50)));
    EXPECT_TRUE(has(TPoint(20, 60), TPoint(30, 10)));
}

TEST_F(TraceDrawing, MarkersStopAboveTheTurnOffLimit)
{
    TkPlotChannel* c = AddChannel();
    c->SetMarkersVisible(true);
    c->SetMarkersTurnOffLimit(100);
    for (int i = 0; i < 101; ++i)
        c->AddXY(i * 0.05, 5);
    Paint(c);
    EXPECT_EQ(Count(TCanvasOp::Ellipse), 101);
    c->AddXY(101 * 0.05, 5);
    Paint(c);
    EXPECT_EQ(Count(TCanvasOp::Ellipse), 0);
}

TEST_F(TraceDrawing, MarkersTakeTheChannelColourAndTheirShape)
{
    TkPlotChannel* c = AddChannel();
    c->SetMarkersVisible(true);
    c->SetMarkersSize(4);
    c->SetColor(clGreen);
    c->SetMarkersPenColor(clBlue);
    c->SetMarkersPenUseChannelColor(false);
    AddPoints(c, {{1, 1}, {2, 2}});
    c->AddPointCore(3, 3, true, false);
    Paint(c);
    ASSERT_EQ(Count(TCanvasOp::Ellipse), 2);
    const auto it = std::find_if(canvas.Records.begin(), canvas.Records.end(),
                                 [](const TCanvasRecord& r) { return r.Op == TCanvasOp::Ellipse; });
    EXPECT_EQ(it->Args, (std::vector<int>{6, 86, 14, 94}));
    EXPECT_EQ(it->Pen.Color, clBlue);
    EXPECT_EQ(it->Brush.Color, clGreen);
    EXPECT_EQ(c->MarkerRect(0), TRect(6, 86, 14, 94));
    c->SetMarkersStyle(kpmsDiamond);
    Paint(c);
    EXPECT_EQ(Count(TCanvasOp::Polygon), 2);
}

TEST_F(TraceDrawing, ClipToAxesEndsTheLineAtTheAxisLimit)
{
    TkPlotChannel* c = AddChannel();
    c->SetFastDrawEnabled(false);
    AddPoints(c, {{2, 5}, {4, 15}});
    Paint(c);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].To, TPoint(40, -50));  // beyond the top of the view
    c->SetClipToAxes(true);
    Paint(c);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].From, TPoint(20, 50));
    EXPECT_EQ(Lines()[0].To, TPoint(30, 0));
    EXPECT_TRUE(canvas.HasClipRect() == false);  // the canvas' clip is given back
}

TEST_F(TraceDrawing, AFarAwayNeighbourKeepsTheLineOnAReasonableScreen)
{
    TkPlotChannel* c = AddChannel();
    c->SetFastDrawEnabled(false);
    AddPoints(c, {{2, 5}, {4, 1e300}, {6, 5}, {8, -1e305}});
    Paint(c);
    ASSERT_EQ(Lines().size(), 3u);
    for (const Segment& s : Lines()) {
        EXPECT_LT(std::abs(s.From.Y), 2000);
        EXPECT_LT(std::abs(s.To.Y), 2000);
    }
    // The lines keep their direction: steeply up from (20, 50).
    EXPECT_EQ(Lines()[0].From, TPoint(20, 50));
    EXPECT_EQ(Lines()[0].To.X, 20);
}

TEST_F(TraceDrawing, PolynomialAndRationalTracesThroughEqualXFallBackToStraightLines)
{
    for (TkPlotInterpolationStyle style : {kpistPolynomial, kpistRational}) {
        TkPlotChannel* c = AddChannel();
        c->SetInterpolationStyle(style);
        AddPoints(c, {{1, 1}, {3, 2}, {3, 4}, {6, 3}});
        EXPECT_NO_THROW(Paint(c));
        ASSERT_EQ(Lines().size(), 3u) << style;
        EXPECT_EQ(Lines()[1].From, TPoint(30, 80));
        EXPECT_EQ(Lines()[1].To, TPoint(30, 60));
    }
}

TEST_F(TraceDrawing, APolynomialUsesOnlyValidPointsAndFallsBackAboveItsCap)
{
    TkPlotChannel* c = AddChannel();
    c->SetInterpolationStyle(kpistPolynomial);
    AddPoints(c, {{0, 0}, {5, 5}});
    c->AddPointCore(7, 1e6, true, false);  // would bend the curve wildly
    c->AddXY(10, 10);
    Paint(c);
    EXPECT_GT(Lines().size(), 50u);  // column by column
    double y = 0;
    EXPECT_EQ(c->GetCursorYAtX(7.5, y), kpcvValue);
    EXPECT_NEAR(y, 7.5, 0.2);
    c->Clear();
    for (int i = 0; i <= TkPlotChannel::MaxCurvePoints; ++i)
        c->AddXY(i * 10.0 / TkPlotChannel::MaxCurvePoints, 5);
    Paint(c);
    EXPECT_EQ(Lines().size(), std::size_t(TkPlotChannel::MaxCurvePoints));
}

TEST_F(TraceDrawing, ASplineIsDrawnPerRunAndReadBackByTheCursor)
{
    TkPlotChannel* c = AddChannel();
    c->SetInterpolationStyle(kpistCubicSpline);
    AddPoints(c, {{0, 0}, {1, 1}, {2, 0}});
    c->AddPointCore(3, 0, true, false);
    AddPoints(c, {{6, 5}, {8, 5}, {10, 9}});
    Paint(c);
    for (const Segment& s : Lines())
        EXPECT_FALSE(std::min(s.From.X, s.To.X) < 40 && std::max(s.From.X, s.To.X) > 50);
    double y = 0;
    EXPECT_EQ(c->GetCursorYAtX(1, y), kpcvValue);
    EXPECT_NEAR(y, 1, 0.05);
    EXPECT_EQ(c->GetCursorYAtX(4, y), kpcvNull);  // between the runs
    EXPECT_EQ(c->GetCursorYAtX(10.5, y), kpcvNoValue);
}

TEST_F(TraceDrawing, StepsHoldEachLevelUntilTheNextPoint)
{
    TkPlotChannel* c = AddChannel();
    c->SetInterpolationStyle(kpistDifferentialTerminated);
    AddPoints(c, {{2, 1}, {4, 3}});
    Paint(c);
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_EQ(Lines()[0].From, TPoint(20, 90));
    EXPECT_EQ(Lines()[0].To, TPoint(40, 90));
    EXPECT_EQ(Lines()[1].To, TPoint(40, 70));
    c->SetInterpolationStyle(kpistDifferential);
    Paint(c);
    ASSERT_EQ(Lines().size(), 3u);
    EXPECT_EQ(Lines()[2].To, TPoint(100, 70));
}

TEST_F(TraceDrawing, DataWhollyOutsideTheXRangeIsNotDrawn)
{
    TkPlotChannel* c = AddChannel();
    AddPoints(c, {{20, 1}, {30, 2}});
    c->PreDraw(&canvas);
    EXPECT_FALSE(c->GetReadyToDraw());
    hasYAxis = false;
    c->Clear();
    AddPoints(c, {{1, 1}, {3, 2}});
    c->PreDraw(&canvas);
    EXPECT_FALSE(c->GetReadyToDraw());
}

}  // namespace

namespace {

using TraceAreas = TraceDrawing;

TEST_F(TraceAreas, AFillRunsFromEachSegmentDownToTheReference)
{
    TkPlotChannel* c = AddChannel();
    c->SetFillEnabled(true);
    c->SetFillReference(1);
    c->SetColor(clBlue);
    AddPoints(c, {{2, 3}, {4, 5}});
    c->AddPointCore(5, 0, true, false);
    AddPoints(c, {{6, 2}, {8, 2}});
    Paint(c);
    std::vector<std::vector<TPoint>> polygons;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::Polygon)
            polygons.push_back(r.Points);
    ASSERT_EQ(polygons.size(), 2u);  // none across the null point
    EXPECT_EQ(polygons[0], (std::vector<TPoint>{{20, 90}, {20, 70}, {40, 50}, {40, 90}}));
    const auto fill = std::find_if(canvas.Records.begin(), canvas.Records.end(),
                                   [](const TCanvasRecord& r) { return r.Op == TCanvasOp::Polygon; });
    EXPECT_EQ(fill->Brush.Color, clBlue);
    c->SetFillUseChannelColor(false);
    c->SetFillColor(clRed);
    Paint(c);
    EXPECT_EQ(std::find_if(canvas.Records.begin(), canvas.Records.end(),
                           [](const TCanvasRecord& r) { return r.Op == TCanvasOp::Polygon; })
                  ->Brush.Color,
              clRed);
    c->SetFillStyle(bsClear);
    Paint(c);
    EXPECT_EQ(Count(TCanvasOp::Polygon), 0);
}

TEST_F(TraceAreas, AFillToAFarAwayPointKeepsItsEdgeWhereItShows)
{
    TkPlotChannel* c = AddChannel();
    c->SetFillEnabled(true);
    AddPoints(c, {{2, 5}, {4, 1e300}});
    Paint(c);
    ASSERT_EQ(Count(TCanvasOp::Polygon), 1);
    for (const TCanvasRecord& r : canvas.Records)
        for (const TPoint& p : r.Points)
            EXPECT_LT(std::abs(p.Y), 2000);
}

TEST_F(TraceAreas, BarsStandOnTheirReferenceAndArePickedInSelectMode)
{
    TkPlotChannel* c = AddChannel();
    c->SetBarEnabled(true);
    c->SetBarWidth(1);
    c->SetColor(clGreen);
    AddPoints(c, {{2, 4}, {5, 6}});
    c->AddPointCore(7, 3, true, false);
    Paint(c);
    std::vector<std::vector<int>> bars;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::Rectangle)
            bars.push_back(r.Args);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0], (std::vector<int>{15, 60, 25, 100}));
    EXPECT_EQ(c->BarRect(1), TRect(45, 40, 55, 100));
    c->SetBarWidth(0);
    EXPECT_EQ(c->BarRect(0).Width(), 1);
}

TEST_F(TraceAreas, CandlesAndOpenCloseBarsDrawAtTheirValues)
{
    TkPlotChannel* c = AddChannel();
    c->SetDataStyle(kpdsFullFeature);
    c->SetHighLowEnabled(true);
    c->SetHighLowBarWidth(1);
    c->AddXY(5, 5);  // its four extra values are 0
    Paint(c);
    std::vector<TCanvasRecord> rects;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::Rectangle)
            rects.push_back(r);
    ASSERT_EQ(rects.size(), 3u);  // open tick, close tick, bar
    EXPECT_EQ(rects[0].Args, (std::vector<int>{35, 100, 45, 101}));
    EXPECT_EQ(rects[0].Brush.Color, clLime);
    EXPECT_EQ(rects[1].Args, (std::vector<int>{55, 100, 65, 101}));
    EXPECT_EQ(rects[2].Args, (std::vector<int>{45, 100, 55, 101}));
    EXPECT_EQ(rects[2].Brush.Color, clAqua);
    c->SetHighLowStyle(kphlsCandleStick);
    Paint(c);
    ASSERT_EQ(Count(TCanvasOp::Rectangle), 1);
    const auto body = std::find_if(canvas.Records.begin(), canvas.Records.end(),
                                   [](const TCanvasRecord& r) { return r.Op == TCanvasOp::Rectangle; });
    EXPECT_EQ(body->Args, (std::vector<int>{45, 100, 56, 101}));
    EXPECT_EQ(body->Brush.Color, clWhite);  // open <= close: bullish
}

TEST_F(TraceAreas, ADigitalTraceStepsBetweenItsTwoLevels)
{
    TkPlotChannel* c = AddChannel();
    c->SetDigitalEnabled(true);
    c->SetDigitalReferenceLow(1);
    c->SetDigitalReferenceHigh(9);
    AddPoints(c, {{0, 0}, {2, 1}, {4, 7}, {6, 0}});
    Paint(c);
    const auto lines = Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0].From, TPoint(0, 90));
    EXPECT_EQ(lines[0].To, TPoint(20, 90));
    EXPECT_EQ(lines[1].From, TPoint(20, 90));  // the edge
    EXPECT_EQ(lines[1].To, TPoint(20, 10));
    EXPECT_EQ(lines[2].To, TPoint(60, 10));
    EXPECT_EQ(lines[3].To, TPoint(60, 90));
    c->SetDigitalReferenceStyle(kpdrPercent);  // percent of the Y axis
    c->SetDigitalReferenceLow(20);
    Paint(c);
    EXPECT_EQ(Lines()[0].From, TPoint(0, 80));
    c->SetMarkersVisible(true);
    c->SetMarkersSize(2);
    Paint(c);
    const auto marker = std::find_if(canvas.Records.begin(), canvas.Records.end(),
                                     [](const TCanvasRecord& r) { return r.Op == TCanvasOp::Ellipse; });
    ASSERT_NE(marker, canvas.Records.end());
    EXPECT_EQ(marker->Args, (std::vector<int>{-2, 78, 2, 82}));  // point 0 on the low level
}

TEST_F(TraceAreas, ANullPointEndsADigitalRunWithoutAnEdge)
{
    TkPlotChannel* c = AddChannel();
    c->SetDigitalEnabled(true);
    c->SetDigitalReferenceLow(1);
    c->SetDigitalReferenceHigh(9);
    AddPoints(c, {{0, 0}, {2, 0}});
    c->AddPointCore(3, 0, true, false);
    AddPoints(c, {{4, 1}, {6, 1}});
    Paint(c);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].To, TPoint(20, 90));
    EXPECT_EQ(lines[1].From, TPoint(40, 10));
}

}  // namespace
