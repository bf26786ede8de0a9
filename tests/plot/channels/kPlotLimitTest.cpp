#include <gtest/gtest.h>

#include <map>

#include "ChannelTestSupport.h"
#include "plot/channels/kPlotAxisLink.h"
#include "plot/channels/kPlotLimit.h"
#include "ui/Bitmap.h"
#include "ui/RecordingCanvas.h"

namespace {

// Limits drawn against the test axes: X 0 .. 10 over pixels 0 .. 100, Y
// 0 .. 10 over pixels 100 .. 0, found by the names "X" and "Y".
class Limit : public ChannelTest {
protected:
    void SetUp() override
    {
        ChannelTest::SetUp();
        limit = master->LimitManager()->GetItem(master->AddLimit());
        limit->SetXAxisName("X");
        limit->SetYAxisName("Y");
        limit->AxisFinder = [this](const TkPlotKind& Kind, const std::string& Name) -> TkPlotChannelAxis* {
            if (Kind == TkPlotObjectKind::XAxis && Name == "X")
                return &xAxis;
            if (Kind == TkPlotObjectKind::YAxis && Name == "Y")
                return &yAxis;
            return nullptr;
        };
    }

    std::vector<TCanvasRecord> Drawn()
    {
        TRecordingCanvas canvas(TSize(200, 200));
        limit->Draw(&canvas, clNavy);
        std::vector<TCanvasRecord> shapes;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op != TCanvasOp::SetClip && r.Op != TCanvasOp::RemoveClip)
                shapes.push_back(r);
        return shapes;
    }

    static std::vector<int> Line(const TCanvasRecord& R)
    {
        return {R.Points.at(0).X, R.Points.at(0).Y, R.Args.at(0), R.Args.at(1)};
    }

    TkPlotLimit* limit = nullptr;
};

TEST_F(Limit, ALineIsDrawnAtTheAxisMinAndMaxAndNotJustOutside)
{
    EXPECT_EQ(limit->GetStyle(), kplsLineY);
    limit->SetColor(clLime);
    limit->SetLineWidth(2);
    limit->SetLineStyle(psDash);
    limit->SetLine1Position(0);
    std::vector<TCanvasRecord> r = Drawn();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].Op, TCanvasOp::LineTo);
    EXPECT_EQ(Line(r[1]), (std::vector<int>{0, 100, 100, 100}));
    EXPECT_EQ(r[1].Pen, (TPenData{clLime, 2, psDash}));
    EXPECT_EQ(r[1].Brush.Color, clNavy);
    EXPECT_TRUE(limit->GetLineDrawn(1));
    EXPECT_EQ(limit->GetLineHitRect(1), TRect(0, 95, 101, 106));

    limit->SetLine1Position(10);
    r = Drawn();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(Line(r[1]), (std::vector<int>{0, 0, 100, 0}));
    for (double outside : {10.01, -0.01}) {
        limit->SetLine1Position(outside);
        EXPECT_TRUE(Drawn().empty());
        EXPECT_FALSE(limit->GetLineDrawn(1));
    }

    limit->SetStyle(kplsLineX);
    limit->SetLine1Position(10);
    r = Drawn();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(Line(r[1]), (std::vector<int>{100, 100, 100, 0}));
    // With the axes reversed the X axis runs down the screen.
    limit->SetXYAxesReverse(true);
    r = Drawn();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(Line(r[1]), (std::vector<int>{100, 100, 0, 100}));
}

TEST_F(Limit, AMissingAxisHidesItWithoutErrorAndItsNameFollowsRenames)
{
    limit->SetYAxisName("Gone");
    EXPECT_NO_THROW(EXPECT_TRUE(Drawn().empty()));
    EXPECT_FALSE(limit->GetLineDrawn(1));

    // The plot's own axes, looked up by name at each use.
    limit->AxisFinder = PlotAxisFinder(*master);
    TkPlotObject* x = master->XAxisManager()->GetObject(master->AddXAxis());
    TkPlotObject* y = master->YAxisManager()->GetObject(master->AddYAxis());
    limit->SetXAxisName(x->GetName());
    limit->SetYAxisName(y->GetName());
    ASSERT_NE(limit->GetXAxis(), nullptr);
    x->SetName("Time");
    y->SetName("Level");
    EXPECT_EQ(limit->GetXAxisName(), "Time");
    EXPECT_EQ(limit->GetYAxisName(), "Level");
    EXPECT_NE(limit->GetYAxis(), nullptr);
    // Delete only takes the axis off the list; freeing it stays ours.
    master->YAxisManager()->Delete(0);
    EXPECT_EQ(limit->GetYAxis(), nullptr);
    EXPECT_NO_THROW(EXPECT_TRUE(Drawn().empty()));
    TkPlotObject::Free(y);
}

TEST_F(Limit, BandsFillSolidlyOrHatchUnderTheirEdgesOrDrawTheEdgesAlone)
{
    limit->SetStyle(kplsBandY);
    limit->SetLine1Position(2);
    limit->SetLine2Position(6);
    limit->SetLineStyle(psDot);
    limit->SetLineWidth(3);
    EXPECT_TRUE(limit->HasFill());
    EXPECT_EQ(TkPlotObjectKind::Limit.Paint(*limit).Group, 'A');  // under the traces
    std::vector<TCanvasRecord> r = Drawn();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].Op, TCanvasOp::Rectangle);
    EXPECT_EQ(r[0].Args, (std::vector<int>{0, 40, 100, 80}));
    EXPECT_EQ(r[0].Pen, (TPenData{clRed, 1, psDot}));
    EXPECT_EQ(r[0].Brush, (TBrushData{clRed, bsSolid}));
    EXPECT_TRUE(limit->GetLineDrawn(1) && limit->GetLineDrawn(2));
    EXPECT_EQ(limit->GetLineHitRect(2), TRect(0, 35, 101, 46));

    limit->SetFillStyle(bsDiagCross);
    r = Drawn();
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].Op, TCanvasOp::Rectangle);
    EXPECT_EQ(r[0].Pen.Style, psClear);
    EXPECT_EQ(r[0].Brush, (TBrushData{clRed, bsDiagCross, clNavy}));
    EXPECT_EQ(Line(r[2]), (std::vector<int>{0, 80, 100, 80}));
    EXPECT_EQ(Line(r[4]), (std::vector<int>{0, 40, 100, 40}));
    EXPECT_EQ(r[4].Pen, (TPenData{clRed, 1, psDot}));

    limit->SetFillStyle(bsClear);
    EXPECT_FALSE(limit->HasFill());
    EXPECT_EQ(TkPlotObjectKind::Limit.Paint(*limit).Group, 'C');
    r = Drawn();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[1].Pen, (TPenData{clRed, 3, psDot}));
}

// A hatched band or poly band drawn over a picture hides it: the gaps of
// the hatch take the background colour given to Draw, and the hatch is
// see-through again for whatever the canvas draws next.
TEST_F(Limit, HatchedBandsFillTheirGapsWithTheBackground)
{
    limit->SetColor(clRed);
    limit->SetFillStyle(bsCross);
    for (TkPlotLimitStyle style : {kplsBandY, kplsPolyBandX}) {
        SCOPED_TRACE(style);
        limit->SetStyle(style);
        limit->SetLine1Position(2);
        limit->SetLine2Position(8);
        limit->GetDataList().Clear();
        limit->GetDataList().Add(0, 2, 8);
        limit->GetDataList().Add(10, 2, 8);
        TBitmap bitmap(100, 100);
        bitmap.Canvas->Brush->SetColor(clLime);
        bitmap.Canvas->FillRect(TRect(0, 0, 100, 100));
        limit->Draw(bitmap.Canvas, clNavy);
        // Inside the band, its edges left out: 20 .. 80 across the band.
        std::map<TColor, int> colours;
        for (int y = 25; y < 75; ++y)
            for (int x = 25; x < 75; ++x)
                ++colours[bitmap.Canvas->Pixels[x][y]];
        EXPECT_GT(colours[clRed], 100);
        EXPECT_GT(colours[clNavy], 100);
        EXPECT_EQ(colours[clLime], 0);
        EXPECT_EQ(bitmap.Canvas->Brush->GetHatchBackColor(), clNone);
    }
}

TEST_F(Limit, APolyBandFollowsItsElementsWithinTheAxisRange)
{
    limit->SetStyle(kplsPolyBandX);
    limit->GetDataList().Add(-2, 1, 2);  // this pair lies below the Y axis
    limit->GetDataList().Add(-1, 1, 2);
    limit->GetDataList().Add(5, 3, 4);
    limit->GetDataList().Add(20, 5, 6);  // starts above: the last pair drawn
    limit->GetDataList().Add(30, 5, 6);
    std::vector<TCanvasRecord> r = Drawn();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Op, TCanvasOp::Polygon);
    EXPECT_EQ(r[0].Points, (std::vector<TPoint>{Point(10, 110), Point(30, 50), Point(40, 50), Point(20, 110)}));
    EXPECT_EQ(r[1].Points, (std::vector<TPoint>{Point(30, 50), Point(50, -100), Point(60, -100), Point(40, 50)}));
    EXPECT_FALSE(limit->GetLineDrawn(1));  // cannot be grabbed
}

TEST_F(Limit, DraggingALineMovesItAndFiresEachChangeThenTheClick)
{
    limit->SetUserCanMove(true);
    limit->SetLine1Position(5);
    Drawn();
    // Not in select mode, a limit that wants it cannot be grabbed.
    limit->MouseDown(mbLeft, 0, Point(50, 53), Point(0, 0), nullptr);
    limit->MouseMove(0, Point(50, 30));
    limit->MouseUp(mbLeft, 0, Point(50, 30), Point(0, 0), false, nullptr);
    EXPECT_FALSE(limit->GetDragging(1));
    EXPECT_EQ(limit->GetLine1Position(), 5);

    plot.selectMode = true;
    plot.objectEvents.clear();
    limit->SetLine1Position(5);  // the same value: no event
    EXPECT_EQ(limit->GetMouseCursor(Point(50, 53)), crSizeAll);
    limit->MouseDown(mbLeft, 0, Point(50, 53), Point(0, 0), nullptr);
    EXPECT_TRUE(limit->GetDragging(1));
    limit->MouseMove(0, Point(50, 30));
    limit->MouseMove(0, Point(50, 20));
    EXPECT_DOUBLE_EQ(limit->GetLine1Position(), 8);
    Drawn();
    limit->MouseUp(mbLeft, 0, Point(50, 20), Point(0, 0), false, nullptr);
    EXPECT_FALSE(limit->GetDragging(1));
    EXPECT_EQ(plot.objectEvents,
              (std::vector<std::string>{limit->GetName() + " line 1 5 > 7", limit->GetName() + " line 1 7 > 8"}));
    EXPECT_EQ(plot.clicks, std::vector<std::string>{limit->GetName()});

    // A band's second line; bands move across their lines.
    limit->SetStyle(kplsBandX);
    limit->SetLine2Position(2);
    Drawn();
    EXPECT_EQ(limit->GetMouseCursor(Point(20, 50)), crSizeWE);
    limit->MouseDown(mbLeft, 0, Point(22, 50), Point(0, 0), nullptr);
    EXPECT_TRUE(limit->GetDragging(2));
    limit->MouseMove(0, Point(35, 50));
    limit->MouseUp(mbLeft, 0, Point(35, 50), Point(0, 0), false, nullptr);
    EXPECT_DOUBLE_EQ(limit->GetLine2Position(), 3.5);
    EXPECT_DOUBLE_EQ(limit->GetLine1Position(), 8);
}

}  // namespace
