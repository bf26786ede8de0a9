// The device chart over a ready plot: stacked Y axes per channel, the X
// axis formats and spans, points, tracking, the data cursor, and what is
// left when the user deleted objects through the plot's own menus.
#include "app/DeviceChart.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotAxis.h"
#include "ui/Application.h"
#include "ui/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace {

class DeviceChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Plot = std::make_unique<TkPlot>(nullptr);
        Chart = std::make_unique<TDeviceChart>(Plot.get());
        Chart->ApplyStoredLayout();
    }
    TkPlotDataCursor* Cursor() const { return static_cast<TkPlotDataCursor*>(Plot->GetDataCursor(0)); }

    std::unique_ptr<TkPlot> Plot;
    std::unique_ptr<TDeviceChart> Chart;
};

TEST_F(DeviceChartTest, TheStoredLayoutHidesTheExtrasAndBindsTheCursorToAllChannels)
{
    EXPECT_EQ(Plot->GetXAxis(0)->GetName(), "X-Axis 1");
    EXPECT_EQ(Plot->GetXAxis(0)->GetTrackingStyle(), kptsScrollSmooth);
    EXPECT_EQ(Plot->GetXAxis(0)->GetDateTimeFormat(), "hh:nn:ss");
    EXPECT_FALSE(Plot->GetDataView(0)->GetEnabled());
    EXPECT_FALSE(Plot->GetToolBar(0)->GetVisible());
    EXPECT_FALSE(Plot->GetLegend(0)->GetVisible());
    EXPECT_FALSE(Plot->GetLabel(0)->GetVisible());
    EXPECT_EQ(Cursor()->GetName(), "Cursor 1");
    EXPECT_FALSE(Cursor()->GetVisible());
    EXPECT_EQ(Cursor()->GetStyle(), kpcsValueX);
    EXPECT_EQ(Cursor()->GetChannelName(), "<All>");
}

TEST_F(DeviceChartTest, ThreeChannelsStackTheirAxesWithChannelOneOnTop)
{
    Chart->Build(3, 500);
    ASSERT_EQ(Plot->GetYAxisCount(), 3);
    ASSERT_EQ(Plot->GetChannelCount(), 3);
    const double Bands[3][2] = {{66.67, 100}, {33.33, 66.67}, {0, 33.33}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        TkPlotAxis* Axis = Plot->GetYAxis(i);
        EXPECT_NEAR(Axis->GetStartPercent(), Bands[i][0], 0.01);
        EXPECT_NEAR(Axis->GetStopPercent(), Bands[i][1], 0.01);
        EXPECT_EQ(Axis->GetZOrder(), 1);
        EXPECT_EQ(Axis->GetTitle(), "CH" + std::to_string(i + 1));
        EXPECT_TRUE(Axis->GetTitleShow());
        EXPECT_TRUE(Axis->GetTitleRotated());
        EXPECT_EQ(Axis->GetTitleFont()->GetName(), "Arial");
        EXPECT_EQ(Axis->GetTitleFont()->GetSize(), 8);
        EXPECT_EQ(Axis->GetTitleFont()->GetColor(), TColor(0xCC6600));
        EXPECT_EQ(Axis->GetLabelsFont()->GetColor(), TColor(0xCC6600));
        EXPECT_EQ(Axis->GetScaleLinesColor(), TColor(0xCC6600));
        EXPECT_EQ(Axis->GetLabelsPrecisionStyle(), kpsFixedDecimalPoints);
        EXPECT_FALSE(Axis->GetPopupEnabled());

        TkPlotChannel* Channel = Plot->Channel(i);
        EXPECT_EQ(Channel->GetYAxisName(), Axis->GetName());
        EXPECT_EQ(Channel->GetXAxisName(), "X-Axis 1");
        EXPECT_EQ(Channel->GetColor(), TColor(255));
        EXPECT_EQ(Channel->GetTraceLineWidth(), 1);
        EXPECT_EQ(Channel->GetRingBufferSize(), 500);
    }

    // Building again replaces the axes and channels.
    Chart->Build(1, 0);
    EXPECT_EQ(Plot->GetYAxisCount(), 1);
    EXPECT_EQ(Plot->GetChannelCount(), 1);
    EXPECT_EQ(Plot->GetYAxis(0)->GetStartPercent(), 0);
    EXPECT_EQ(Plot->GetYAxis(0)->GetStopPercent(), 100);
}

// Every channel's band gets the same height, give or take a pixel: the
// bands in the middle give up room for the end labels at both ends, the
// top and bottom ones at one only, and the layout shares out the rest.
TEST_F(DeviceChartTest, StackedBandsOfEqualPercentGetEqualPixels)
{
    for (const int Channels : {4, 10}) {
        SCOPED_TRACE(Channels);
        Chart->Build(Channels, 0);
        Plot->SetBounds(0, 0, 700, 600);
        TRecordingCanvas Canvas(TSize(700, 600));
        Plot->PaintToCanvas(&Canvas);
        int Shortest = INT_MAX;
        int Longest = 0;
        for (int i = 0; i < Channels; ++i) {
            const TRect Scale = Plot->GetYAxis(i)->GetScaleRect();
            Shortest = std::min(Shortest, Scale.Height());
            Longest = std::max(Longest, Scale.Height());
            // Channel 1 on top, each band below the one before.
            if (i > 0) {
                EXPECT_LT(Plot->GetYAxis(i - 1)->GetScaleRect().Bottom, Scale.Top) << i;
            }
        }
        EXPECT_GT(Shortest, 10);
        EXPECT_LE(Longest - Shortest, 1) << Shortest << " to " << Longest;
        // The bands still fill the data view from top to bottom.
        const TRect View = static_cast<TkPlotLayoutObject*>(Plot->GetDataView(0))->GetDrawRect();
        EXPECT_EQ(Plot->GetYAxis(0)->GetScaleRect().Top, View.Top);
        EXPECT_EQ(Plot->GetYAxis(Channels - 1)->GetScaleRect().Bottom, View.Bottom);
    }
}

TEST_F(DeviceChartTest, ChannelRangesGiveTheAxisFromTheLowerEnd)
{
    Chart->Build(2, 0);
    Chart->ApplyChannelRange(0, 100, 0, 2);
    EXPECT_EQ(Plot->GetYAxis(0)->GetMin(), 0);
    EXPECT_EQ(Plot->GetYAxis(0)->GetSpan(), 100);
    EXPECT_EQ(Plot->GetYAxis(0)->GetLabelsPrecision(), 2);
    Chart->ApplyChannelRange(1, -5, 20, 0);
    EXPECT_EQ(Plot->GetYAxis(1)->GetMin(), -5);
    EXPECT_EQ(Plot->GetYAxis(1)->GetSpan(), 25);
    EXPECT_EQ(Plot->GetYAxis(1)->GetLabelsPrecision(), 0);
}

TEST_F(DeviceChartTest, ARangeOfOneValueStillGivesAnAxisWithThatValueInside)
{
    Chart->Build(1, 0);
    Chart->ApplyChannelRange(0, 50, 50, 1);
    TkPlotAxis* Axis = Plot->GetYAxis(0);
    EXPECT_EQ(Axis->GetSpan(), 2);
    EXPECT_EQ(Axis->GetMin(), 49);
    EXPECT_TRUE(Axis->ValueOnScale(50));
}

TEST_F(DeviceChartTest, XSpansInEveryUnitAndFormat)
{
    // Seconds since the start.
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1200, 0, 1), 1200);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(2, 1, 1), 120);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(2, 2, 1), 7200);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1, 3, 1), 86400);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1, 4, 1), 2592000);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1, 5, 1), 365.0 * 86400);
    // Days for the time of day.
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(86400, 0, 0), 1);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1440, 1, 0), 1);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(12, 2, 0), 0.5);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(2, 3, 0), 2);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1, 4, 0), 30);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1, 5, 0), 365);
    // Sample numbers: from 1, so one less.
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(100, 0, 2), 99);
}

TEST_F(DeviceChartTest, FractionalSpansAreNeitherLostNorRoundedUp)
{
    // Half a minute is thirty seconds, not nothing; one and a half
    // minutes are ninety seconds, not two minutes.
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(0.5, 1, 1), 30);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1.5, 1, 1), 90);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(0.5, 2, 0), 1.0 / 48);
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(2.5, 0, 1), 2.5);
    // One sample still spans one step.
    EXPECT_DOUBLE_EQ(TDeviceChart::XSpanToAxisUnits(1, 0, 2), 1);
    for (int Format : {0, 1, 2})
        EXPECT_GT(TDeviceChart::XSpanToAxisUnits(0.2, 0, Format), 0) << Format;
}

TEST_F(DeviceChartTest, AxisFormats)
{
    TkPlotAxis* X = Plot->GetXAxis(0);
    const TDateTime Now = 46000.5;
    Chart->SetAxisFormat(0, 1200.0 / 86400, Now);
    EXPECT_EQ(X->GetLabelsFormatStyle(), kptfDateTime);
    EXPECT_EQ(X->GetLegendDateTimeFormat(), "hh:nn:ss");
    EXPECT_DOUBLE_EQ(X->GetMin(), Now);
    EXPECT_DOUBLE_EQ(X->GetSpan(), 1200.0 / 86400);

    Chart->SetAxisFormat(1, 60, Now);
    EXPECT_EQ(X->GetLabelsFormatStyle(), kptfValue);
    EXPECT_EQ(X->GetLabelsPrecisionStyle(), kpsFixedDecimalPoints);
    EXPECT_EQ(X->GetLabelsPrecision(), 3);
    EXPECT_EQ(X->GetMin(), 0);
    EXPECT_EQ(X->GetSpan(), 60);

    // XSpan 100 as sample numbers: from 1 with span 99, no decimals.
    Chart->SetAxisFormat(2, TDeviceChart::XSpanToAxisUnits(100, 0, 2), Now);
    EXPECT_EQ(X->GetLabelsFormatStyle(), kptfValue);
    EXPECT_EQ(X->GetLabelsPrecision(), 0);
    EXPECT_EQ(X->GetMin(), 1);
    EXPECT_EQ(X->GetSpan(), 99);
    EXPECT_EQ(X->GetLabelText(7), "7");
}

TEST_F(DeviceChartTest, TheFirstPointOfTheTimeOfDayMovesTheXAxisToIt)
{
    Chart->Build(2, 0);
    Chart->SetAxisFormat(0, 1, 46000.0);
    Chart->AddPoint(0, 46000.25, 1, true);
    EXPECT_DOUBLE_EQ(Plot->GetXAxis(0)->GetMin(), 46000.25);
    // Later points, and other formats, leave it.
    Chart->AddPoint(0, 46000.26, 2, true);
    EXPECT_DOUBLE_EQ(Plot->GetXAxis(0)->GetMin(), 46000.25);
    Chart->AddPoint(1, 46000.27, 3, false);
    EXPECT_DOUBLE_EQ(Plot->GetXAxis(0)->GetMin(), 46000.25);
    EXPECT_EQ(Chart->PointCount(0), 2);
    EXPECT_EQ(Chart->PointCount(1), 1);
    EXPECT_DOUBLE_EQ(Plot->Channel(0)->GetDataY(1), 2);

    Chart->ClearData();
    EXPECT_EQ(Chart->PointCount(0), 0);
    EXPECT_EQ(Chart->PointCount(1), 0);
    Chart->SetRingBufferSize(7);
    EXPECT_EQ(Plot->Channel(1)->GetRingBufferSize(), 7);
}

TEST_F(DeviceChartTest, PauseResumeAndTheCursor)
{
    Chart->Build(2, 0);
    // They go through the plot's toolbar, with its events.
    std::vector<int> Clicked;
    Plot->OnToolBarButtonClick = [&](int, int Type) { Clicked.push_back(Type); };
    EXPECT_TRUE(Chart->AnyAxisTracking(true));
    EXPECT_FALSE(Chart->AnyAxisTracking(false));
    Chart->Pause();
    EXPECT_FALSE(Chart->AnyAxisTracking(true));
    EXPECT_TRUE(Chart->AnyAxisTracking(false));
    Chart->Resume();
    EXPECT_TRUE(Chart->AnyAxisTracking(true));
    EXPECT_FALSE(Chart->AnyAxisTracking(false));

    // Showing the cursor stops tracking; resuming hides it again.
    Chart->SetCursorShown(true);
    EXPECT_TRUE(Cursor()->GetVisible());
    EXPECT_TRUE(Cursor()->GetFocused());
    EXPECT_FALSE(Chart->AnyAxisTracking(true));
    Chart->Resume();
    EXPECT_FALSE(Chart->CursorShown());
    EXPECT_FALSE(Cursor()->GetVisible());
    EXPECT_TRUE(Chart->AnyAxisTracking(true));

    auto* Bar = static_cast<TkPlotToolBar*>(Plot->GetToolBar(0));
    Chart->SetZoomBox(true);
    EXPECT_TRUE(Plot->GetDataView(0)->GetEnabled());
    EXPECT_TRUE(Bar->GetZoomBoxDown());
    Chart->SetZoomBox(false);
    EXPECT_FALSE(Plot->GetDataView(0)->GetEnabled());
    EXPECT_FALSE(Bar->GetZoomBoxDown());
    const std::vector<int> Expected = {kptbbtPause,  kptbbtResume,  kptbbtCursor, kptbbtCursor,
                                       kptbbtResume, kptbbtZoomBox, kptbbtZoomBox};
    EXPECT_EQ(Clicked, Expected);
}

TEST_F(DeviceChartTest, WithoutItsToolbarTheChartStillPausesResumesAndShowsItsCursor)
{
    Chart->Build(1, 0);
    Plot->RemoveAllToolBars();
    Chart->Pause();
    EXPECT_FALSE(Chart->AnyAxisTracking(true));
    Chart->Resume();
    EXPECT_FALSE(Chart->AnyAxisTracking(false));
    Chart->SetCursorShown(true);
    EXPECT_TRUE(Cursor()->GetVisible());
    EXPECT_FALSE(Chart->AnyAxisTracking(true));
    Chart->Resume();
    EXPECT_FALSE(Cursor()->GetVisible());
    Chart->SetZoomBox(true);
    EXPECT_TRUE(Plot->GetDataView(0)->GetEnabled());
}

TEST_F(DeviceChartTest, TheCursorReadsEachChannelsYAtItsX)
{
    Chart->Build(2, 0);
    Chart->SetAxisFormat(2, 9, 0);
    for (int i = 1; i <= 10; ++i) {
        Chart->AddPoint(0, i, i * 10, false);
        Chart->AddPoint(1, i, -i, false);
    }
    double Y = 0;
    EXPECT_FALSE(Chart->CursorY(0, Y)) << "hidden cursor";
    Chart->SetCursorShown(true);
    Cursor()->SetValues(0, 4, 0);
    ASSERT_TRUE(Chart->CursorY(0, Y));
    EXPECT_DOUBLE_EQ(Y, 40);
    ASSERT_TRUE(Chart->CursorY(1, Y));
    EXPECT_DOUBLE_EQ(Y, -4);
    // Outside the data there is no value.
    Cursor()->SetValues(0, 30, 0);
    EXPECT_FALSE(Chart->CursorY(0, Y));
}

// The user may delete axes, channels and the cursor through the plot's own
// menus while the device goes on feeding and setting up its chart.
TEST_F(DeviceChartTest, ObjectsDeletedThroughThePlotAreSkipped)
{
    Chart->Build(3, 0);
    Plot->DeleteYAxis(2);
    Plot->DeleteChannel(2);
    EXPECT_NO_THROW(Chart->SetYAxisTitle(2, "gone"));
    EXPECT_NO_THROW(Chart->ApplyChannelRange(2, 0, 10, 1));
    EXPECT_NO_THROW(Chart->AddPoint(2, 1, 1, true));
    EXPECT_EQ(Chart->PointCount(2), 0);
    double Y = 0;
    EXPECT_FALSE(Chart->CursorY(2, Y));
    // The others go on.
    Chart->AddPoint(1, 1, 5, false);
    EXPECT_EQ(Chart->PointCount(1), 1);
    Chart->SetYAxisTitle(1, "温度");
    EXPECT_EQ(Plot->GetYAxis(1)->GetTitle(), "温度");

    Plot->RemoveAllDataCursors();
    Plot->RemoveAllDataViews();
    Plot->RemoveAllXAxes();
    EXPECT_NO_THROW(Chart->SetAxisFormat(0, 1, 46000));
    EXPECT_NO_THROW(Chart->SetXAxisColor(0xCC6600));
    EXPECT_NO_THROW(Chart->AddPoint(0, 46000, 1, true));
    EXPECT_NO_THROW(Chart->SetCursorShown(true));
    EXPECT_FALSE(Chart->CursorShown());
    EXPECT_NO_THROW(Chart->SetZoomBox(true));
    EXPECT_FALSE(Chart->CursorY(0, Y));
    EXPECT_NO_THROW(Chart->Resume());
}

}  // namespace
