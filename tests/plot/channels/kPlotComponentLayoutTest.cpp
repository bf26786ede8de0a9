// The layout pass: bands along the edges, positions along them, stacking,
// axes across the data view, and the data view itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "PlotComponentSupport.h"
#include "plot/channels/kPlotLabel.h"
#include "ui/RecordingCanvas.h"

namespace {

class Layout : public ::testing::Test {
protected:
    void Run()
    {
        TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
        plot.CalcLayout(&canvas);
    }
    TkPlotLayoutManager& Manager() { return *plot.GetMasterManager().LayoutManager(); }

    TestPlot plot;
};

// One X axis below, one Y axis left, the data view and a toolbar on top,
// outer margins 5 and a border of 2 on a plot of 500 by 200.
TEST_F(Layout, AxesAndALoneToolBarGetTheirBandsAndTheDataAreaKeepsTheEndMarginTwice)
{
    plot.AddToolBar();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddDataView();
    plot.Bar(0)->SetHorizontal(true);
    plot.Bar(0)->SetZOrder(3);
    plot.Bar(0)->Required = 20;
    plot.X(0)->Required = 30;
    plot.X(0)->EndMargin = 6;
    plot.Y(0)->Required = 40;
    plot.Y(0)->EndMargin = 8;
    Run();

    // left = Y size + border + margin; top = max(toolbar, Y end margin)
    // + border + margin + the end margin once more.
    EXPECT_EQ(plot.Y(0)->GetDrawRect(), TRect(7, 35, 47, 162));
    EXPECT_EQ(plot.X(0)->GetDrawRect(), TRect(47, 162, 486, 192));
    // The toolbar is pinned to the top border and spans the width between
    // the borders, one pixel short at the right.
    EXPECT_EQ(plot.Bar(0)->GetDrawRect(), TRect(2, 2, 497, 22));
}

TEST_F(Layout, TwoYAxesSharingALevelStackWhereTheyMeet)
{
    plot.AddDataView();
    plot.AddYAxis();
    plot.AddYAxis();
    plot.Y(0)->SetStartStopPercent(0, 50);
    plot.Y(1)->SetStartStopPercent(50, 100);
    Manager().SetAutoPlacement(false);
    plot.Y(0)->SetZOrder(0);
    plot.Y(1)->SetZOrder(0);
    Manager().SetAutoPlacement(true);
    plot.Y(0)->Required = 30;
    plot.Y(0)->EndMargin = 9;
    plot.Y(1)->Required = 25;
    plot.Y(1)->EndMargin = 9;
    Run();

    EXPECT_FALSE(plot.Y(0)->GetStartStacked());
    EXPECT_TRUE(plot.Y(0)->GetEndStacked());
    EXPECT_TRUE(plot.Y(1)->GetStartStacked());
    EXPECT_FALSE(plot.Y(1)->GetEndStacked());
    // One band, as wide as the wider axis.
    EXPECT_EQ(plot.Y(0)->GetDrawRect().Left, plot.Y(1)->GetDrawRect().Left);
    EXPECT_EQ(plot.Y(0)->GetDrawRect().Width(), 30);
    // The lower one takes the bottom half of the data area, counted upward.
    const TRect lower = plot.Y(0)->GetDrawRect();
    const TRect upper = plot.Y(1)->GetDrawRect();
    EXPECT_EQ(lower.Top, upper.Bottom);
    EXPECT_LT(upper.Top, lower.Top);
}

// Stacked X axes side by side: the middle one keeps room for end labels
// at both of its ends, the outer ones at one, and still all three scales
// get the same width, give or take a pixel.
TEST_F(Layout, XAxesStackedSideBySideGetScalesOfEqualWidth)
{
    plot.AddDataView();
    plot.AddYAxis();
    for (int i = 0; i < 3; ++i)
        plot.AddXAxis();
    Manager().SetAutoPlacement(false);
    for (int i = 0; i < 3; ++i) {
        plot.X(i)->SetStartStopPercent(100.0 * i / 3, 100.0 * (i + 1) / 3);
        plot.X(i)->SetZOrder(0);
    }
    Manager().SetAutoPlacement(true);
    Run();
    ASSERT_TRUE(plot.X(1)->GetStartStacked() && plot.X(1)->GetEndStacked());
    int narrowest = INT_MAX;
    int widest = 0;
    for (int i = 0; i < 3; ++i) {
        const TRect scale = plot.X(i)->GetScaleRect();
        narrowest = std::min(narrowest, scale.Width());
        widest = std::max(widest, scale.Width());
        if (i > 0) {
            EXPECT_LT(plot.X(i - 1)->GetScaleRect().Right, scale.Left);
        }
    }
    EXPECT_GT(narrowest, 50);
    EXPECT_LE(widest - narrowest, 1) << narrowest << " to " << widest;
    EXPECT_EQ(plot.X(0)->GetScaleRect().Left, plot.View(0)->GetDrawRect().Left);
    EXPECT_EQ(plot.X(2)->GetScaleRect().Right, plot.View(0)->GetDrawRect().Right);
}

TEST_F(Layout, ForcedStackingSetsBothFlags)
{
    plot.AddYAxis();
    plot.Y(0)->SetForceStacking(true);
    Run();
    EXPECT_TRUE(plot.Y(0)->GetStartStacked());
    EXPECT_TRUE(plot.Y(0)->GetEndStacked());
}

TEST_F(Layout, AMasterCartesianAxisTakesNoBandAndCrossesTheMiddle)
{
    plot.AddDataView();
    plot.AddYAxis();
    plot.Y(0)->Required = 40;
    plot.Y(0)->SetCartesianStyle(kpcsMaster);
    Run();
    const TRect view = plot.View(0)->GetDrawRect();
    EXPECT_EQ(view.Left, 7);  // no band on the left
    const int middle = (view.Left + view.Right) / 2;
    EXPECT_EQ(plot.Y(0)->GetDrawRect(), TRect(middle, view.Top, middle, view.Bottom));
}

TEST_F(Layout, AChildAxisWithoutItsReferenceGetsAnEmptyRectangle)
{
    plot.AddDataView();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.Y(0)->SetCartesianStyle(kpcsChild);
    plot.Y(0)->SetCartesianChildRefAxisName("No Such Axis");
    Run();
    EXPECT_EQ(plot.Y(0)->GetDrawRect(), TRect());

    // Named (in any case), it crosses the data view at the reference
    // axis's pixel of the value.
    plot.Y(0)->SetCartesianChildRefAxisName("x-axis 1");
    plot.Y(0)->SetCartesianChildRefValue(0);
    Run();
    const int at = plot.X(0)->ValueToPixel(0);
    EXPECT_EQ(plot.Y(0)->GetDrawRect().Left, at);
    EXPECT_EQ(plot.Y(0)->GetDrawRect().Right, at);
}

TEST_F(Layout, PercentRangesPlaceLegendsAlongTheDataViewAndLabelsAlongTheMargins)
{
    plot.AddDataView();
    plot.AddLegend();
    plot.AddLabel();
    TkPlotLayoutObject* legend = plot.Legend(0);
    auto* label = static_cast<TkPlotLayoutObject*>(plot.GetLabel(0));
    legend->SetHorizontal(true);
    label->SetHorizontal(true);
    legend->SetStartStopPercent(25, 75);
    label->SetStartStopPercent(25, 75);
    Run();
    // The data view is 485 wide from 7: 121.25 and 363.75 round to 121 and 364.
    EXPECT_EQ(plot.View(0)->GetDrawRect().Width(), 485);
    EXPECT_EQ(legend->GetDrawRect().Left, 128);
    EXPECT_EQ(legend->GetDrawRect().Right, 371);
    // 500 - 2 - 5 - 5 = 488 between the margins: 122 .. 366, from 7.
    EXPECT_EQ(label->GetDrawRect().Left, 129);
    EXPECT_EQ(label->GetDrawRect().Right, 373);
}

TEST_F(Layout, InvisibleObjectsTakeNoBand)
{
    plot.AddDataView();
    plot.AddYAxis();
    plot.Y(0)->Required = 40;
    plot.Y(0)->SetVisible(false);
    Run();
    EXPECT_EQ(plot.View(0)->GetDrawRect().Left, 7);
}

TEST_F(Layout, WithoutABorderTheAreaStartsAtTheMargins)
{
    plot.AddDataView();
    plot.SetBorderStyle(kbsNone);
    Run();
    EXPECT_EQ(plot.View(0)->GetDrawRect(), TRect(5, 5, 494, 194));
}

// Without an axis of a kind the data view keeps the area the bands left
// it, instead of being turned inside out by bounds that no axis set.
TEST_F(Layout, APlotWithoutAxesKeepsAnUprightDataView)
{
    plot.AddDataView();
    Run();
    EXPECT_EQ(plot.View(0)->GetDrawRect(), TRect(7, 7, 492, 192));

    plot.AddXAxis();
    Run();
    const TRect view = plot.View(0)->GetDrawRect();
    EXPECT_LT(view.Top, view.Bottom);
    EXPECT_LT(view.Left, view.Right);
}

// Objects asking for more pixels than an int holds leave the data view no
// room, as any object too big for the plot does; the sums of their sizes
// never wrap round to a data view spread over the whole plot.
TEST_F(Layout, SizesBeyondWhatAnIntHoldsLeaveTheDataViewNoRoom)
{
    plot.AddDataView();
    plot.AddYAxis();
    plot.Y(0)->Required = INT_MAX;
    plot.Y(0)->EndMargin = INT_MAX;
    Run();
    TRect view = plot.View(0)->GetDrawRect();
    EXPECT_GE(view.Left, 500);
    EXPECT_LE(view.Right, view.Left);
    // The band reaches from the plot's left edge.
    EXPECT_EQ(plot.Y(0)->GetDrawRect().Left, 0);

    plot.Y(0)->Required = 0;
    plot.Y(0)->EndMargin = 0;
    plot.SetOuterMarginLeft(INT_MAX);
    plot.SetOuterMarginRight(INT_MAX);
    Run();
    view = plot.View(0)->GetDrawRect();
    EXPECT_LE(view.Right, view.Left);
}

TEST_F(Layout, HugeOuterMarginsPushTheDataViewOutwardAndNeverWrapAround)
{
    // Stored margins may be anything: a huge left and top margin push the
    // data view right and down, out of the plot, not back to its left.
    plot.AddDataView();
    plot.SetOuterMarginLeft(INT_MAX);
    plot.SetOuterMarginTop(INT_MAX);
    plot.SetOuterMarginRight(INT_MIN);
    plot.SetOuterMarginBottom(INT_MIN);
    Run();
    const TRect view = plot.View(0)->GetDrawRect();
    EXPECT_GT(view.Left, plot.GetWidth());
    EXPECT_GT(view.Top, plot.GetHeight());
    EXPECT_GT(view.Right, plot.GetWidth());
    EXPECT_GT(view.Bottom, plot.GetHeight());
}

TEST_F(Layout, APlotWithoutADataViewStillLaysOut)
{
    plot.AddXAxis();
    plot.AddYAxis();
    plot.X(0)->Required = 30;
    Run();
    EXPECT_EQ(plot.X(0)->GetDrawRect().Top, 200 - (30 + 2 + 5) - 1);
}

}  // namespace
