// The axes and the data view inside a real plot: gestures on the axes,
// their relays, the pending double click, the zoom box and its event, and
// the events that end a gesture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PlotComponentSupport.h"
#include "plot/core/kPlotDataView.h"
#include "ui/Keys.h"
#include "ui/RecordingCanvas.h"

namespace {

template <class T> TkPlotObjectClass Real()
{
    return [](TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks) -> TkPlotObject* {
        return new T(Owner, Callbacks);
    };
}

// A toolbar on top, a legend, one X axis below and one Y axis left of the
// data view, all axes of the real classes, laid out by a paint on a 500 by
// 200 plot.
class PlotAxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        plot.GetMasterManager().XAxisManager()->SetObjectClass(Real<TkPlotXAxis>());
        plot.GetMasterManager().YAxisManager()->SetObjectClass(Real<TkPlotYAxis>());
        plot.AddToolBar();
        plot.AddLegend();
        plot.AddXAxis();
        plot.AddYAxis();
        plot.AddDataView();
        plot.Bar(0)->SetHorizontal(true);
        plot.Bar(0)->SetZOrder(5);
        plot.Bar(0)->Required = 20;
        for (TkPlotAxis* axis : {plot.GetXAxis(0), plot.GetYAxis(0)}) {
            axis->SetMinSpan(0, 100);
            axis->SetTrackingEnabled(true);
        }
        Paint();
    }
    void Paint()
    {
        TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
        plot.PaintToCanvas(&canvas);
    }
    TkPlotDataView* View() const { return static_cast<TkPlotDataView*>(plot.GetDataView(0)); }
    static TPoint Centre(const TRect& R) { return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
    TPoint At(const TkPlotLayoutObject* Object) const { return Centre(Object->GetDrawRect()); }
    void Press(TMouseButton Button, TPoint P, TShiftState Shift = 0)
    {
        plot.HandleMouseDown(Button, Shift | (Button == mbLeft ? ssLeft : ssRight), P.X, P.Y);
    }
    void Drag(TMouseButton Button, TPoint P, TShiftState Shift = 0)
    {
        plot.HandleMouseMove(Shift | (Button == mbLeft ? ssLeft : ssRight), P.X, P.Y);
    }
    void Release(TMouseButton Button, TPoint P, TShiftState Shift = 0) { plot.HandleMouseUp(Button, Shift, P.X, P.Y); }

    TestPlot plot;
};

struct MinSpan {
    int Index;
    double OldMin, OldSpan, NewMin, NewSpan;
    friend bool operator==(const MinSpan&, const MinSpan&) = default;
};

void PrintTo(const MinSpan& M, std::ostream* Out)
{
    *Out << M.Index << ": " << M.OldMin << "," << M.OldSpan << " -> " << M.NewMin << "," << M.NewSpan;
}

TEST_F(PlotAxes, ADragOnAnAxisScrollsItAndEndsWithTheFinishedEventOfItsKind)
{
    std::vector<MinSpan> finishedX;
    std::vector<MinSpan> finishedY;
    plot.OnXAxisMinSpanChangeFinished = [&](int i, double om, double os, double nm, double ns) {
        finishedX.push_back({i, om, os, nm, ns});
    };
    plot.OnYAxisMinSpanChangeFinished = [&](int i, double om, double os, double nm, double ns) {
        finishedY.push_back({i, om, os, nm, ns});
    };
    TkPlotAxis* x = plot.GetXAxis(0);
    const TPoint start = At(x);
    const int length = x->GetScalePixelLength();
    ASSERT_GT(length, 0);
    Press(mbLeft, start);
    Drag(mbLeft, TPoint(start.X + length / 4, start.Y));
    Drag(mbLeft, TPoint(start.X + length / 2, start.Y));
    EXPECT_TRUE(finishedX.empty());  // only the release ends the gesture
    Release(mbLeft, TPoint(start.X + length / 2, start.Y));
    // The scale followed the mouse about half its length to the right.
    EXPECT_NEAR(x->GetMin(), -100.0 * (length / 2) / length, 1e-9);
    EXPECT_FALSE(x->GetTrackingEnabled());
    ASSERT_EQ(finishedX.size(), 1u);
    EXPECT_EQ(finishedX[0].Index, 0);
    EXPECT_EQ(finishedX[0].OldMin, 0);
    EXPECT_EQ(finishedX[0].OldSpan, 100);
    EXPECT_EQ(finishedX[0].NewMin, x->GetMin());
    EXPECT_EQ(finishedX[0].NewSpan, 100);
    EXPECT_TRUE(finishedY.empty());
}

TEST_F(PlotAxes, AKeyOnASelectedYAxisFiresTheYEventWithTheAxisIndex)
{
    plot.AddYAxis();
    plot.GetYAxis(1)->SetMinSpan(0, 100);
    std::vector<MinSpan> finished;
    plot.OnYAxisMinSpanChangeFinished = [&](int i, double om, double os, double nm, double ns) {
        finished.push_back({i, om, os, nm, ns});
    };
    plot.GetYAxis(1)->SetFocused(true);
    std::uint16_t key = VK_PRIOR;
    plot.HandleKeyDown(key, 0);
    EXPECT_EQ(finished, (std::vector<MinSpan>{{1, 0, 100, 100, 100}}));
    // A key that moves nothing ends no gesture.
    key = VK_F2;
    plot.HandleKeyDown(key, 0);
    EXPECT_EQ(finished.size(), 1u);
}

TEST_F(PlotAxes, AnAxisWithMasterInputTakesTheOtherAxesOfItsKindAlong)
{
    plot.AddXAxis();
    TkPlotAxis* master = plot.GetXAxis(0);
    TkPlotAxis* other = plot.GetXAxis(1);
    other->SetMinSpan(1000, 10);
    master->SetMasterUIInput(true);
    Paint();
    std::vector<int> finished;
    plot.OnXAxisMinSpanChangeFinished = [&](int i, double, double, double, double) { finished.push_back(i); };
    const TPoint start = At(master);
    const int length = master->GetScalePixelLength();
    ASSERT_GT(length, 0);
    Press(mbLeft, start);
    Drag(mbLeft, TPoint(start.X - length / 2, start.Y));
    Release(mbLeft, TPoint(start.X - length / 2, start.Y));
    const double part = double(length / 2) / length;
    EXPECT_NEAR(master->GetMin(), 100 * part, 1e-9);
    // The other axis moved by the same part of its own span.
    EXPECT_NEAR(other->GetMin(), 1000 + 10 * part, 1e-9);
    EXPECT_FALSE(other->GetTrackingEnabled());
    EXPECT_EQ(finished, (std::vector<int>{1, 0}));
    // The Y axis is of the other kind and stays.
    EXPECT_EQ(plot.GetYAxis(0)->GetMin(), 0);
}

TEST_F(PlotAxes, ADragWaitsWhileADoubleClickIsPending)
{
    TkPlotAxis* x = plot.GetXAxis(0);
    const TPoint start = At(x);
    const int length = x->GetScalePixelLength();
    Press(mbLeft, start);
    Release(mbLeft, start);
    // The second press of a double click comes after the double click.
    plot.HandleDblClick();
    Press(mbLeft, start);
    Drag(mbLeft, TPoint(start.X + length / 2, start.Y));
    EXPECT_EQ(x->GetMin(), 0);
    EXPECT_TRUE(x->GetTrackingEnabled());
    Release(mbLeft, TPoint(start.X + length / 2, start.Y));
    // The release used the double click up: the next drag moves the axis.
    Press(mbLeft, start);
    Drag(mbLeft, TPoint(start.X + length / 2, start.Y));
    Release(mbLeft, TPoint(start.X + length / 2, start.Y));
    EXPECT_NEAR(x->GetMin(), -100.0 * (length / 2) / length, 1e-9);
}

TEST_F(PlotAxes, AClickOnAnAxisFiresItsClick)
{
    std::vector<std::string> seen;
    plot.OnClickXAxis = [&](int i) { seen.push_back("x click " + std::to_string(i)); };
    Press(mbLeft, At(plot.GetXAxis(0)));
    Release(mbLeft, At(plot.GetXAxis(0)));
    EXPECT_EQ(seen, std::vector<std::string>{"x click 0"});
}

// The pressed view hears the release twice, as the pressed object and as a
// selected one; the click is still one click.
TEST_F(PlotAxes, AClickOnTheDataViewFiresOneClickOrOneDoubleClick)
{
    std::vector<std::string> seen;
    plot.OnClickDataView = [&](int i) { seen.push_back("click " + std::to_string(i)); };
    plot.OnDblClickDataView = [&](int i) { seen.push_back("double " + std::to_string(i)); };
    Press(mbLeft, At(View()));
    Release(mbLeft, At(View()));
    EXPECT_EQ(seen, std::vector<std::string>{"click 0"});
    plot.HandleDblClick();
    Press(mbLeft, At(View()));
    Release(mbLeft, At(View()));
    EXPECT_EQ(seen, (std::vector<std::string>{"click 0", "double 0"}));
    // A right click is a click too, once.
    View()->SetPopupEnabled(false);
    Press(mbRight, At(View()));
    Release(mbRight, At(View()));
    EXPECT_EQ(seen, (std::vector<std::string>{"click 0", "double 0", "click 0"}));
}

// An axis whose title is hidden shows it as a hint 20 pixels above the
// mouse, after the hint pause, in the text its kind's event settles on; an
// axis that shows its title has no hint.
TEST_F(PlotAxes, AnAxisWithItsTitleHiddenShowsItAsAHintAboveTheMouse)
{
    std::vector<std::string> seen;
    plot.OnXAxisCustomizeHint = [&](int i, std::string& Text) { seen.push_back("x " + std::to_string(i) + Text); };
    plot.OnYAxisCustomizeHint = [&](int i, std::string& Text) {
        seen.push_back("y " + std::to_string(i) + " " + Text);
        Text += " (kPa)";
    };
    TkPlotAxis* x = plot.GetXAxis(0);
    TkPlotAxis* y = plot.GetYAxis(0);
    x->SetTitle("Time");
    x->SetTitleShow(true);
    y->SetTitle("Pressure");
    y->SetTitleShow(false);
    Paint();

    plot.HandleMouseMove(0, At(x).X, At(x).Y);
    plot.Advance(plot.GetHintsPause());
    EXPECT_FALSE(plot.GetHint().Visible());

    const TPoint p = At(y);
    plot.HandleMouseMove(0, p.X, p.Y);
    EXPECT_FALSE(plot.GetHint().Visible());
    plot.Advance(plot.GetHintsPause());
    ASSERT_TRUE(plot.GetHint().Visible());
    EXPECT_EQ(plot.GetHint().Text(), "Pressure (kPa)");
    const TSize size = plot.HintTextExtent("Pressure (kPa)");
    const TRect box(p.X, p.Y - 20, p.X + size.cx + 4, p.Y - 20 + size.cy + 4);
    EXPECT_EQ(plot.GetHint().Rect(), box);
    EXPECT_EQ(seen, (std::vector<std::string>{"y 0 Pressure"}));

    // The paint draws the box and the text in it.
    TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
    plot.PaintToCanvas(&canvas);
    const auto drawn = [&](TCanvasOp Op, auto Match) {
        return std::any_of(canvas.Records.begin(), canvas.Records.end(),
                           [&](const TCanvasRecord& R) { return R.Op == Op && Match(R); });
    };
    EXPECT_TRUE(drawn(TCanvasOp::Rectangle, [&](const TCanvasRecord& R) {
        return R.Args == std::vector<int>{box.Left, box.Top, box.Right, box.Bottom} && R.Brush.Color == clInfoBk;
    }));
    EXPECT_TRUE(drawn(TCanvasOp::TextOut, [](const TCanvasRecord& R) { return R.Text == "Pressure (kPa)"; }) ||
                drawn(TCanvasOp::TextRect, [](const TCanvasRecord& R) { return R.Text == "Pressure (kPa)"; }));
}

// A right drag in axes control draws a zoom box; the plot's handler sees
// it first and may move it or call the zoom off.
class ZoomBox : public PlotAxes {
protected:
    void SetUp() override
    {
        PlotAxes::SetUp();
        View()->SetAxesControlEnabled(true);
        View()->SetPopupEnabled(false);
        const TRect area = View()->GetDrawRect();
        from = TPoint(area.Left + 10, area.Top + 10);
        to = TPoint(area.Right - 10, area.Bottom - 10);
    }
    void DrawBox()
    {
        Press(mbRight, from);
        Drag(mbRight, to);
        EXPECT_TRUE(View()->GetZoomBoxActive());
        Release(mbRight, to);
    }
    TPoint from;
    TPoint to;
};

TEST_F(ZoomBox, TheBeforeEventSeesTheBoxAndEveryAxisZoomsToIt)
{
    std::vector<TRect> boxes;
    plot.OnBeforeZoomBox = [&](TRect& Box, bool&) { boxes.push_back(Box); };
    TkPlotAxis* x = plot.GetXAxis(0);
    TkPlotAxis* y = plot.GetYAxis(0);
    const double left = x->PixelToValue(from.X);
    const double right = x->PixelToValue(to.X);
    const double bottom = y->PixelToValue(to.Y);
    const double top = y->PixelToValue(from.Y);
    DrawBox();
    EXPECT_EQ(boxes, std::vector<TRect>{TRect(from.X, from.Y, to.X, to.Y)});
    EXPECT_NEAR(x->GetMin(), left, 1e-9);
    EXPECT_NEAR(x->GetMax(), right, 1e-9);
    EXPECT_NEAR(y->GetMin(), bottom, 1e-9);
    EXPECT_NEAR(y->GetMax(), top, 1e-9);
    EXPECT_FALSE(x->GetTrackingEnabled());
    EXPECT_FALSE(y->GetTrackingEnabled());
}

TEST_F(ZoomBox, TheBeforeEventMayCancelTheZoomOrChangeTheBox)
{
    TkPlotAxis* x = plot.GetXAxis(0);
    plot.OnBeforeZoomBox = [](TRect&, bool& Cancel) { Cancel = true; };
    DrawBox();
    EXPECT_EQ(x->GetMin(), 0);
    EXPECT_EQ(x->GetSpan(), 100);

    const TRect area = View()->GetDrawRect();
    const TRect half(area.Left, area.Top, (area.Left + area.Right) / 2, area.Bottom);
    const double left = x->PixelToValue(half.Left);
    const double right = x->PixelToValue(half.Right);
    plot.OnBeforeZoomBox = [&](TRect& Box, bool&) { Box = half; };
    DrawBox();
    EXPECT_NEAR(x->GetMin(), left, 1e-9);
    EXPECT_NEAR(x->GetMax(), right, 1e-9);
}

}  // namespace

namespace {

// ---------------------------------------------------------------- painting the data view

class ViewPainting : public PlotAxes {
protected:
    std::vector<TCanvasRecord> PaintRecords()
    {
        TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
        plot.PaintToCanvas(&canvas);
        return canvas.Records;
    }
    static std::vector<int> Args(const TRect& R) { return {R.Left, R.Top, R.Right, R.Bottom}; }
    static std::size_t IndexOf(const std::vector<TCanvasRecord>& Records, TCanvasOp Op, std::size_t From = 0)
    {
        for (std::size_t i = From; i < Records.size(); ++i)
            if (Records[i].Op == Op)
                return i;
        return Records.size();
    }
};

TEST_F(ViewPainting, AnOpaqueViewFillsItsAreaOverThePlotBackgroundBeforeTheObjects)
{
    View()->SetBackgroundTransparent(false);
    View()->SetBackgroundColor(clNavy);
    Paint();  // settles the layout
    const std::vector<TCanvasRecord> records = PaintRecords();
    ASSERT_FALSE(records.empty());
    ASSERT_EQ(records[0].Op, TCanvasOp::FillRect);
    EXPECT_EQ(records[0].Brush.Color, clBlack);
    std::size_t fill = records.size();
    for (std::size_t i = 1; i < records.size(); ++i)
        if (records[i].Op == TCanvasOp::FillRect && records[i].Args == Args(View()->GetDrawRect()) &&
            records[i].Brush.Color == clNavy)
            fill = i;
    ASSERT_LT(fill, records.size());
    // Before the first object inside the view is drawn.
    EXPECT_LT(fill, IndexOf(records, TCanvasOp::SetClip));

    // A transparent view leaves the plot's background.
    View()->SetBackgroundTransparent(true);
    for (const TCanvasRecord& r : PaintRecords())
        EXPECT_FALSE(r.Op == TCanvasOp::FillRect && r.Brush.Color == clNavy);
}

// The objects drawn over the view cover with its colour, not the plot's:
// a selected view covers its own border in that colour.
TEST_F(ViewPainting, ObjectsOverAnOpaqueViewTakeItsColourAsTheirBackground)
{
    View()->SetBackgroundTransparent(false);
    View()->SetBackgroundColor(clNavy);
    View()->SetGridShow(false);
    View()->SetFocused(true);
    Paint();
    const std::vector<TCanvasRecord> records = PaintRecords();
    const std::size_t clip = IndexOf(records, TCanvasOp::SetClip);
    const std::size_t line = IndexOf(records, TCanvasOp::LineTo, clip);
    ASSERT_LT(line, records.size());
    EXPECT_EQ(records[line].Pen.Color, clNavy);

    View()->SetBackgroundTransparent(true);
    const std::vector<TCanvasRecord> again = PaintRecords();
    const std::size_t line2 = IndexOf(again, TCanvasOp::LineTo, IndexOf(again, TCanvasOp::SetClip));
    ASSERT_LT(line2, again.size());
    EXPECT_EQ(again[line2].Pen.Color, clBlack);
}

TEST_F(ViewPainting, AZoomBoxIsDrawnOverTheObjectsUnclippedWhileItIsOpen)
{
    View()->SetAxesControlEnabled(true);
    View()->SetPopupEnabled(false);
    const TRect area = View()->GetDrawRect();
    const TPoint from(area.Left + 10, area.Top + 10);
    const TPoint to(area.Left + 60, area.Top + 40);
    plot.HandleMouseDown(mbRight, ssRight, from.X, from.Y);
    plot.HandleMouseMove(ssRight, to.X, to.Y);
    ASSERT_TRUE(View()->GetZoomBoxActive());
    const std::vector<TCanvasRecord> records = PaintRecords();
    std::size_t box = records.size();
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].Op == TCanvasOp::Rectangle && records[i].Args == std::vector<int>{from.X, from.Y, to.X, to.Y})
            box = i;
    ASSERT_LT(box, records.size());
    EXPECT_EQ(records[box].Pen.Mode, pmXor);
    // After every object inside the view, outside their clip.
    std::size_t lastRemove = 0;
    for (std::size_t i = 0; i < box; ++i)
        if (records[i].Op == TCanvasOp::RemoveClip)
            lastRemove = i;
    EXPECT_GT(box, lastRemove);
    for (std::size_t i = box; i < records.size(); ++i)
        EXPECT_NE(records[i].Op, TCanvasOp::SetClip);

    // Escape closes the box: the next paint has none.
    std::uint16_t key = VK_ESCAPE;
    plot.HandleKeyDown(key, 0);
    for (const TCanvasRecord& r : PaintRecords())
        EXPECT_FALSE(r.Op == TCanvasOp::Rectangle && r.Args == (std::vector<int>{from.X, from.Y, to.X, to.Y}));
    plot.HandleMouseUp(mbRight, ssRight, to.X, to.Y);
}

}  // namespace

namespace {

// ---------------------------------------------------------------- the toolbar's modes

TEST_F(PlotAxes, WithTheToolbarsZoomBoxDownALeftDragInTheViewZoomsEveryAxis)
{
    EXPECT_FALSE(plot.GetZoomBoxMode());
    plot.Bar(0)->ClickZoomBox();
    EXPECT_TRUE(plot.GetZoomBoxMode());
    ASSERT_FALSE(View()->GetAxesControlEnabled());
    EXPECT_EQ(View()->GetMouseCursor(At(View())), crDrag);
    const TRect area = View()->GetDrawRect();
    const TPoint from(area.Left + 10, area.Top + 10);
    const TPoint to((area.Left + area.Right) / 2, (area.Top + area.Bottom) / 2);
    TkPlotAxis* x = plot.GetXAxis(0);
    TkPlotAxis* y = plot.GetYAxis(0);
    const double left = x->PixelToValue(from.X);
    const double right = x->PixelToValue(to.X);
    const double bottom = y->PixelToValue(to.Y);
    const double top = y->PixelToValue(from.Y);
    Press(mbLeft, from);
    EXPECT_FALSE(x->GetTrackingEnabled());
    Drag(mbLeft, to);
    Release(mbLeft, to);
    EXPECT_NEAR(x->GetMin(), left, 1e-9);
    EXPECT_NEAR(x->GetMax(), right, 1e-9);
    EXPECT_NEAR(y->GetMin(), bottom, 1e-9);
    EXPECT_NEAR(y->GetMax(), top, 1e-9);

    // Button up again: a drag without axes control does nothing.
    plot.Bar(0)->ClickZoomBox();
    EXPECT_FALSE(plot.GetZoomBoxMode());
    const double min = x->GetMin();
    Press(mbLeft, from);
    Drag(mbLeft, to);
    Release(mbLeft, to);
    EXPECT_EQ(x->GetMin(), min);
}

TEST_F(PlotAxes, SelectModeIsTheFirstToolbarsSelectButtonAndHoldsTheViewStill)
{
    std::vector<int> clicks;
    plot.OnToolBarButtonClick = [&](int, int Type) { clicks.push_back(Type); };
    plot.SetSelectMode(true);
    EXPECT_TRUE(plot.GetSelectMode());
    EXPECT_TRUE(plot.Bar(0)->GetSelectDown());
    EXPECT_EQ(clicks, std::vector<int>{kptbbtSelect});
    plot.SetSelectMode(true);  // already down: no second click
    EXPECT_EQ(clicks.size(), 1u);

    // In select mode a drag in the view moves no axis, even with axes
    // control on.
    View()->SetAxesControlEnabled(true);
    TkPlotAxis* x = plot.GetXAxis(0);
    const TRect area = View()->GetDrawRect();
    Press(mbLeft, TPoint(area.Left + 10, area.Top + 10));
    Drag(mbLeft, TPoint(area.Left + 60, area.Top + 10));
    Release(mbLeft, TPoint(area.Left + 60, area.Top + 10));
    EXPECT_EQ(x->GetMin(), 0);
    View()->SetAxesControlAllowInSelectMode(true);
    Press(mbLeft, TPoint(area.Left + 10, area.Top + 10));
    Drag(mbLeft, TPoint(area.Left + 60, area.Top + 10));
    Release(mbLeft, TPoint(area.Left + 60, area.Top + 10));
    EXPECT_LT(x->GetMin(), 0);

    plot.Bar(0)->ClickSelect();
    EXPECT_FALSE(plot.GetSelectMode());
    plot.SetSelectMode(false);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST(PlotWithoutToolBar, HasNoSelectOrZoomBoxModeAndSettingOneDoesNothing)
{
    TestPlot plot;
    plot.SetSelectMode(true);
    EXPECT_FALSE(plot.GetSelectMode());
    EXPECT_FALSE(plot.GetZoomBoxMode());
}

}  // namespace

namespace {

// ---------------------------------------------------------------- axes control with a master axis

// The view hands its input to every axis itself; an axis that also
// relays it to the others must not make them take it twice.
class MasterInView : public PlotAxes {
protected:
    void SetUp() override
    {
        PlotAxes::SetUp();
        plot.AddXAxis();
        plot.GetXAxis(1)->SetMinSpan(1000, 10);
        plot.GetXAxis(0)->SetMasterUIInput(true);
        View()->SetAxesControlEnabled(true);
        Paint();
    }
};

TEST_F(MasterInView, AWheelStepInTheViewScrollsEveryXAxisOnce)
{
    View()->SetFocused(true);
    const TPoint p = At(View());
    EXPECT_TRUE(plot.HandleMouseWheel(0, 120, p.X, p.Y));
    EXPECT_NEAR(plot.GetXAxis(0)->GetMin(), 5, 1e-9);
    EXPECT_NEAR(plot.GetXAxis(1)->GetMin(), 1000.5, 1e-9);
    EXPECT_EQ(plot.GetYAxis(0)->GetMin(), 0);
}

TEST_F(MasterInView, ADragInTheViewMovesEveryAxisOnceAndEndsEachGestureOnce)
{
    std::vector<int> finished;
    plot.OnXAxisMinSpanChangeFinished = [&](int i, double, double, double, double) { finished.push_back(i); };
    View()->SetAxesControlMouseStyle(kpacsXAxis);
    const TPoint start = At(View());
    const int length = plot.GetXAxis(0)->GetScalePixelLength();
    Press(mbLeft, start);
    Drag(mbLeft, TPoint(start.X - 40, start.Y));
    Release(mbLeft, TPoint(start.X - 40, start.Y));
    EXPECT_NEAR(plot.GetXAxis(0)->GetMin(), 100.0 * 40 / length, 1e-9);
    EXPECT_NEAR(plot.GetXAxis(1)->GetMin(), 1000 + 10.0 * 40 / plot.GetXAxis(1)->GetScalePixelLength(), 1e-9);
    std::sort(finished.begin(), finished.end());
    EXPECT_EQ(finished, (std::vector<int>{0, 1}));
}

}  // namespace
