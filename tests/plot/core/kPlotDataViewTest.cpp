// The data view: percent positions, what it draws (background, grid,
// border, selection and zoom box), and how a press, drag, release and
// wheel in it move, zoom or box-zoom the axes in each axes-control mode.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotTrackingSupport.h"
#include "plot/core/kPlotDataView.h"
#include "ui/Font.h"
#include "ui/Keys.h"

namespace {

using DataViewPtr = TestObject<TkPlotDataView>;

// A 400 by 400 view at (50, 0), an X axis below it and a Y axis to its
// left, both 0..100, in a font whose "0" is 12 pixels high.
class DataViewTest : public ::testing::Test {
protected:
    TrackingPlot plot;
    AxisCallbacks callbacks;
    TRecordingCanvas canvas;
    AxisPtr<TkPlotXAxis> x = MakeXAxis(plot, callbacks);
    AxisPtr<TkPlotYAxis> y = MakeYAxis(plot, callbacks);
    DataViewPtr view{new TkPlotDataView(&plot, callbacks.Make())};

    void SetUp() override
    {
        x->SetName("X-Axis 1");
        y->SetName("Y-Axis 1");
        view->SetName("Data View 1");
        view->SetGridXAxisName("X-Axis 1");
        view->SetGridYAxisName("Y-Axis 1");
        x->GetLabelsFont()->SetHeight(-10);
        y->GetLabelsFont()->SetHeight(-10);
        x->SetDrawRect(TRect(50, 400, 450, 440));
        y->SetDrawRect(TRect(0, 0, 50, 400));
        view->SetDrawRect(TRect(50, 0, 450, 400));
        plot.xAxes = {x.get()};
        plot.yAxes = {y.get()};
        Ticks();
        plot.events.clear();
    }
    void Ticks()
    {
        for (TkPlotAxis* axis : plot.xAxes)
            axis->CalcTicks(&canvas);
        for (TkPlotAxis* axis : plot.yAxes)
            axis->CalcTicks(&canvas);
    }
    void Press(TPoint P, TMouseButton Button = mbLeft, TShiftState Shift = 0)
    {
        view->MouseDown(Button, Shift, P, P, nullptr);
    }
    void Move(TPoint P, TShiftState Shift = 0) { view->MouseMove(Shift, P); }
    void Release(TPoint P, TMouseButton Button = mbLeft, bool DoubleClick = false)
    {
        view->MouseUp(Button, 0, P, P, DoubleClick, nullptr);
    }
    static void Expect(const TkPlotAxis& Axis, double Min, double Span)
    {
        EXPECT_NEAR(Axis.GetMin(), Min, 1e-9);
        EXPECT_NEAR(Axis.GetSpan(), Span, 1e-9);
    }
    std::vector<TCanvasRecord> Frames() const
    {
        std::vector<TCanvasRecord> frames;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::Rectangle)
                frames.push_back(r);
        return frames;
    }
    // The lines drawn, as "x1,y1-x2,y2".
    std::vector<std::string> Lines(TColor Color) const
    {
        std::vector<std::string> lines;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::LineTo && r.Pen.Color == Color)
                lines.push_back(std::to_string(r.Points[0].X) + "," + std::to_string(r.Points[0].Y) + "-" +
                                std::to_string(r.Args[0]) + "," + std::to_string(r.Args[1]));
        return lines;
    }
};

TEST_F(DataViewTest, PercentPositionsCountYUpwardAndRoundHalvesToEven)
{
    view->SetDrawRect(TRect(10, 20, 410, 220));
    EXPECT_DOUBLE_EQ(view->PixelsToPercentX(110), 25);
    EXPECT_DOUBLE_EQ(view->PixelsToPercentY(170), 25);
    EXPECT_EQ(view->PercentToPixelsX(25), 110);
    EXPECT_EQ(view->PercentToPixelsY(0), 220);
    EXPECT_EQ(view->PercentToPixelsY(100), 20);
    view->SetDrawRect(TRect(0, 0, 5, 5));
    EXPECT_EQ(view->PercentToPixelsX(50), 2);  // 2.5
    EXPECT_EQ(view->PercentToPixelsX(70), 4);  // 3.5
    EXPECT_EQ(view->PercentToPixelsY(50), 2);
}

TEST_F(DataViewTest, AViewWithNoWidthOrHeightPutsEveryPixelAtZeroPercent)
{
    view->SetDrawRect(TRect(30, 40, 30, 40));
    EXPECT_EQ(view->PixelsToPercentX(100), 0);
    EXPECT_EQ(view->PixelsToPercentY(100), 0);
    EXPECT_EQ(view->PercentToPixelsX(50), 30);
    EXPECT_EQ(view->PercentToPixelsY(50), 40);
}

TEST_F(DataViewTest, BackgroundIsFilledOnlyWhenNotTransparent)
{
    view->FillBackground(&canvas);
    EXPECT_TRUE(canvas.Records.empty());
    view->SetBackgroundTransparent(false);
    view->SetBackgroundColor(clNavy);
    view->FillBackground(&canvas);
    ASSERT_EQ(canvas.Records.size(), 1u);
    EXPECT_EQ(canvas.Records[0].Op, TCanvasOp::FillRect);
    EXPECT_EQ(canvas.Records[0].Args, (std::vector<int>{50, 0, 450, 400}));
    EXPECT_EQ(canvas.Records[0].Brush.Color, clNavy);
}

TEST_F(DataViewTest, GridFollowsTheMajorTicksOfItsAxesInsideABorder)
{
    view->Draw(&canvas, clBlack);
    std::vector<std::string> expected;
    for (int v = 0; v <= 100; v += 10)  // X majors every 10: 40 pixels apart
        expected.push_back(std::to_string(50 + 4 * v) + ",0-" + std::to_string(50 + 4 * v) + ",400");
    for (int v = 0; v <= 100; v += 10)
        expected.push_back("50," + std::to_string(400 - 4 * v) + "-450," + std::to_string(400 - 4 * v));
    for (const char* edge : {"50,0-50,400", "450,0-450,400", "50,0-450,0", "50,400-450,400"})
        expected.push_back(edge);
    ASSERT_EQ(x->GetMajorIncrement(), 10);
    EXPECT_EQ(Lines(clGreen), expected);
    for (const TCanvasRecord& r : canvas.Records) {
        if (r.Op == TCanvasOp::LineTo) {
            EXPECT_LE(r.Pen.Width, 1);
        }
    }

    // Minors, custom pens and hidden edges.
    canvas.Records.clear();
    view->SetGridLineShowXMinors(true);
    view->SetGridLineShowYMajors(false);
    view->SetGridLineXMajorCustom(true);
    view->SetGridLineXMajorColor(clRed);
    view->SetGridLineXMajorWidth(2);
    view->SetGridLineXMajorStyle(kpglsDot);
    view->SetGridLineMinorStyle(kpglsDash);
    view->SetGridLineShowLeft(false);
    view->SetGridLineShowTop(false);
    view->Draw(&canvas, clBlack);
    EXPECT_EQ(Lines(clRed).size(), 11u);
    const std::vector<std::string> green = Lines(clGreen);
    EXPECT_EQ(green.size(), 10u + 2u);  // X minors and two edges
    EXPECT_EQ(green.front(), "70,0-70,400");
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::LineTo && r.Pen.Color == clRed) {
            EXPECT_EQ(r.Pen.Width, 2);
            EXPECT_EQ(r.Pen.Style, psDot);
        } else if (r.Op == TCanvasOp::LineTo && r.Args[0] == r.Points[0].X && r.Args[0] != 450) {
            EXPECT_EQ(r.Pen.Style, psDash);
        }

    // No grid at all.
    canvas.Records.clear();
    view->SetGridShow(false);
    view->Draw(&canvas, clBlack);
    EXPECT_TRUE(canvas.Records.empty());
}

TEST_F(DataViewTest, AllInAnyCaseDrawsTheGridOfEveryAxisOfTheKind)
{
    AxisPtr<TkPlotXAxis> second = MakeXAxis(plot, callbacks);
    second->SetName("X-Axis 2");
    second->SetDrawRect(TRect(50, 440, 450, 480));
    second->SetMinSpan(0, 50);
    plot.xAxes.push_back(second.get());
    Ticks();
    view->SetGridShow(true);
    view->SetGridLineShowYMajors(false);
    view->SetGridXAxisName("x-axis 2");  // names match whatever their case
    view->Draw(&canvas, clBlack);
    const size_t one = Lines(clGreen).size();
    canvas.Records.clear();
    view->SetGridXAxisName("<aLL>");
    view->Draw(&canvas, clBlack);
    EXPECT_EQ(Lines(clGreen).size(), one + 11);
    canvas.Records.clear();
    view->SetGridXAxisName("No Such Axis");
    view->Draw(&canvas, clBlack);
    EXPECT_EQ(Lines(clGreen).size(), 4u);
}

TEST_F(DataViewTest, ASelectedViewCoversItsBorderAndDrawsAFocusFrame)
{
    view->SetFocused(true);
    view->Draw(&canvas, clMaroon);
    EXPECT_EQ(Lines(clMaroon),
              (std::vector<std::string>{"50,0-50,400", "450,0-450,400", "50,0-450,0", "50,400-451,400"}));
    const std::vector<TCanvasRecord> frames = Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Args, (std::vector<int>{50, 0, 451, 401}));
    EXPECT_EQ(frames[0].Font.Color, clBlack);

    // Another object taking the focus takes it from the view.
    AxisPtr<TkPlotXAxis> other = MakeXAxis(plot, callbacks);
    view->ObjectFocused(other.get());
    EXPECT_FALSE(view->GetFocused());
}

TEST_F(DataViewTest, TheModeComesFromAxesControlAndTheToolbarsZoomBoxAndSelectButtons)
{
    EXPECT_EQ(view->GetAxesControlMode(), TkPlotAxesControlMode::None);
    EXPECT_EQ(view->GetMouseCursor({100, 100}), crDefault);
    view->SetAxesControlEnabled(true);
    EXPECT_EQ(view->GetAxesControlMode(), TkPlotAxesControlMode::AxesControl);
    EXPECT_EQ(view->GetMouseCursor({100, 100}), crHandPoint);
    view->SetAxesControlEnabled(false);
    plot.zoomBox = true;
    EXPECT_EQ(view->GetAxesControlMode(), TkPlotAxesControlMode::ZoomBox);
    EXPECT_EQ(view->GetMouseCursor({100, 100}), crDrag);
    plot.select = true;
    EXPECT_EQ(view->GetAxesControlMode(), TkPlotAxesControlMode::BlockedBySelect);
    view->SetAxesControlAllowInSelectMode(true);
    EXPECT_EQ(view->GetAxesControlMode(), TkPlotAxesControlMode::ZoomBox);
}

TEST_F(DataViewTest, AZoomBoxDrawnDownAndRightZoomsEveryAxis)
{
    plot.zoomBox = true;  // the toolbar's zoom box: no axes control needed
    Press({150, 100});
    EXPECT_FALSE(x->GetTrackingEnabled());
    EXPECT_FALSE(y->GetTrackingEnabled());
    Move({250, 300});
    ASSERT_TRUE(view->GetZoomBoxActive());
    view->DrawZoomBox(&canvas);
    ASSERT_EQ(Frames().size(), 1u);
    EXPECT_EQ(Frames()[0].Args, (std::vector<int>{150, 100, 250, 300}));
    EXPECT_EQ(Frames()[0].Font.Color, clWhite);

    Release({250, 300});
    EXPECT_FALSE(view->GetZoomBoxActive());
    EXPECT_EQ(plot.Count("zoombox 150 100 250 300"), 1);
    Expect(*x, 25, 25);
    Expect(*y, 25, 50);
    EXPECT_EQ(plot.Count("click Data View 1"), 1);
    canvas.Records.clear();
    view->DrawZoomBox(&canvas);
    EXPECT_TRUE(canvas.Records.empty());
}

TEST_F(DataViewTest, ABoxDrawnTheOtherWayEscapedCancelledOrEndedByADoubleClickZoomsNothing)
{
    plot.zoomBox = true;
    Press({250, 300});
    Move({150, 100});
    view->DrawZoomBox(&canvas);
    ASSERT_EQ(Frames().size(), 1u);
    EXPECT_EQ(Frames()[0].Args, (std::vector<int>{150, 100, 250, 300}));
    Release({150, 100});
    EXPECT_EQ(plot.Count("zoombox"), 0);

    Press({150, 100});
    Move({250, 300});
    view->KeyDown(VK_ESCAPE, 0, nullptr);
    EXPECT_FALSE(view->GetZoomBoxActive());
    Release({250, 300});
    EXPECT_EQ(plot.Count("zoombox"), 0);

    Press({150, 100});
    Move({250, 300});
    Release({250, 300}, mbLeft, true);
    EXPECT_EQ(plot.Count("zoombox"), 0);

    plot.cancelZoomBox = true;
    Press({150, 100});
    Move({250, 300});
    Release({250, 300});
    EXPECT_EQ(plot.Count("zoombox"), 1);
    Expect(*x, 0, 100);
    Expect(*y, 0, 100);
}

TEST_F(DataViewTest, ARightDragInAxesControlDrawsABoxOnlyPastSixPixels)
{
    view->SetAxesControlEnabled(true);
    Press({150, 100}, mbRight);
    Move({155, 105});
    EXPECT_FALSE(view->GetZoomBoxActive());
    EXPECT_TRUE(x->GetTrackingEnabled());
    Move({250, 300});
    EXPECT_TRUE(view->GetZoomBoxActive());
    EXPECT_FALSE(x->GetTrackingEnabled());
    Release({250, 300}, mbRight);
    Expect(*x, 25, 25);
    Expect(*y, 25, 50);

    // Without axes control a right drag does nothing.
    view->SetAxesControlEnabled(false);
    Press({150, 100}, mbRight);
    Move({250, 300});
    EXPECT_FALSE(view->GetZoomBoxActive());
}

TEST_F(DataViewTest, ALeftDragMovesTheAxesOfTheMouseStyle)
{
    view->SetAxesControlEnabled(true);
    struct Case {
        TkPlotAxesControlStyle style;
        TShiftState shift;
        bool xMoves, yMoves;
    };
    for (Case c :
         {Case{kpacsBoth, 0, true, true}, Case{kpacsXAxis, 0, true, false}, Case{kpacsXAxis, ssShift, false, true},
          Case{kpacsYAxis, 0, false, true}, Case{kpacsYAxis, ssShift, true, false}, Case{kpacsNone, 0, false, false}}) {
        x->SetMinSpan(0, 100);
        y->SetMinSpan(0, 100);
        view->SetAxesControlMouseStyle(c.style);
        Press({250, 200}, mbLeft, c.shift);
        Move({290, 160}, c.shift);  // 40 pixels right and up: a tenth of each scale
        Release({290, 160});
        Expect(*x, c.xMoves ? -10 : 0, 100);
        Expect(*y, c.yMoves ? -10 : 0, 100);
    }
    // The select button blocks it all.
    plot.select = true;
    view->SetAxesControlMouseStyle(kpacsBoth);
    Press({250, 200});
    Move({290, 160});
    Release({290, 160});
    Expect(*x, 0, 100);
    Expect(*y, 0, 100);
}

TEST_F(DataViewTest, ShiftDragInBothLocksToTheFirstDirectionThatGoesFarEnough)
{
    view->SetAxesControlEnabled(true);
    // Three pixels across and down: no lock yet, both kinds move.
    Press({250, 200}, mbLeft, ssShift);
    Move({253, 203}, ssShift);
    EXPECT_NE(x->GetMin(), 0);
    EXPECT_NE(y->GetMin(), 0);
    // Four across: locked to X, later vertical moves leave Y alone.
    Move({254, 203}, ssShift);
    const double yMin = y->GetMin();
    Move({294, 243}, ssShift);
    EXPECT_EQ(y->GetMin(), yMin);
    Release({294, 243});

    // Four down wins over a horizontal move in the same step.
    x->SetMinSpan(0, 100);
    y->SetMinSpan(0, 100);
    Press({250, 200}, mbLeft, ssShift);
    Move({260, 204}, ssShift);
    const double xMin = x->GetMin();
    Move({300, 204}, ssShift);
    EXPECT_EQ(x->GetMin(), xMin);
    Move({300, 244}, ssShift);
    EXPECT_NEAR(y->GetMin(), 11, 1e-9);
    Release({300, 244});
    // A new press clears the lock.
    Press({250, 200});
    Move({290, 200});
    EXPECT_NE(x->GetMin(), xMin);
    Release({290, 200});
}

TEST_F(DataViewTest, TheWheelGoesToTheAxesOfTheWheelStyleOnlyInAxesControl)
{
    EXPECT_FALSE(view->MouseWheel(120, 0, {200, 200}));
    Expect(*x, 0, 100);
    view->SetAxesControlEnabled(true);
    EXPECT_TRUE(view->MouseWheel(120, 0, {200, 200}));  // X axes by default
    Expect(*x, 5, 100);
    Expect(*y, 0, 100);
    EXPECT_TRUE(view->MouseWheel(120, ssShift, {200, 200}));
    Expect(*y, 5, 100);
    view->SetAxesControlWheelStyle(kpacsBoth);
    view->MouseWheel(-120, 0, {200, 200});
    Expect(*x, 0, 100);
    Expect(*y, 0, 100);
    view->SetAxesControlWheelStyle(kpacsNone);
    EXPECT_FALSE(view->MouseWheel(120, 0, {200, 200}));
    Expect(*x, 0, 100);
}

TEST_F(DataViewTest, GridAxisNamesFollowTheirAxesRenaming)
{
    x->SetName("Time");
    view->ObjectRenamed(x.get());
    EXPECT_EQ(view->GetGridXAxisName(), "Time");
    EXPECT_EQ(view->GetGridYAxisName(), "Y-Axis 1");
}

}  // namespace
