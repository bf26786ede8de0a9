#include <gtest/gtest.h>

#include "ChannelTestSupport.h"
#include "plot/core/kPlotXAxis.h"
#include "plot/core/kPlotYAxis.h"

namespace {

// Channels of a plot find the plot's own axes.
class PlotAxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
        xAxis = master->XAxisManager()->GetItem(master->AddXAxis());
        yAxis = master->YAxisManager()->GetItem(master->AddYAxis());
        channel = static_cast<TkPlotChannel*>(master->ChannelManager()->GetObject(master->AddChannel()));
    }

    ChannelPlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
    TkPlotXAxis* xAxis = nullptr;
    TkPlotYAxis* yAxis = nullptr;
    TkPlotChannel* channel = nullptr;
};

TEST_F(PlotAxes, ANewChannelReadsThroughTheFirstAxes)
{
    ASSERT_TRUE(channel->AxesAssigned());
    xAxis->SetMinSpan(20, 5);
    EXPECT_EQ(channel->GetXAxis()->GetMin(), 20);
    EXPECT_EQ(channel->GetXAxis()->GetMax(), 25);
    EXPECT_EQ(channel->GetXValueText(21.5), xAxis->GetCursorText(21.5));
    EXPECT_EQ(channel->GetYValueText(3), yAxis->GetCursorText(3));
    EXPECT_EQ(channel->GetXAxis()->ValueToPixel(21), xAxis->ValueToPixel(21));
    xAxis->SetCursorScaler(4);
    EXPECT_EQ(channel->GetXAxis()->GetCursorScaler(), 4);
}

TEST_F(PlotAxes, AxesAreFoundByNameIgnoringCaseAndFollowedThroughARename)
{
    channel->SetYAxisName("y-axis 1");
    EXPECT_TRUE(channel->GetYAxis());
    yAxis->SetName("Pressure");
    EXPECT_EQ(channel->GetYAxisName(), "Pressure");
    EXPECT_TRUE(channel->GetYAxis());
    channel->SetYAxisName("X-Axis 1");  // a name of the other kind finds nothing
    EXPECT_FALSE(channel->GetYAxis());
}

TEST_F(PlotAxes, AnAxisThatGoesIsNoLongerFound)
{
    channel->AddXY(1, 1);
    TkPlotObject::Free(xAxis);
    EXPECT_FALSE(channel->GetXAxis());
    EXPECT_EQ(channel->GetXValueText(1), "No X-Axis");
    double y = 0;
    EXPECT_FALSE(channel->GetYAtX(2, y));
    EXPECT_NO_THROW(channel->AddXY(2, 2));
}

}  // namespace

namespace {

TEST_F(PlotAxes, NewPointsAreTrackedByThePlotsAxes)
{
    xAxis->SetTrackingAlignFirstStyle(kpafsMin);
    yAxis->SetTrackingAlignFirstStyle(kpafsMin);
    channel->AddXY(50, 7);
    EXPECT_EQ(xAxis->GetMin(), 50);
    EXPECT_EQ(yAxis->GetMin(), 7);
    channel->AddPointCore(60, -100, true, false);  // a null Y moves no Y axis
    EXPECT_EQ(yAxis->GetMin(), 7);
}

TEST_F(PlotAxes, ClearAllDataRestartsTheTrackingOfEveryAxis)
{
    xAxis->SetTrackingAlignFirstStyle(kpafsMax);  // the first value lands at the top
    xAxis->SetMinSpan(0, 10);
    channel->AddXY(50, 1);
    ASSERT_EQ(xAxis->GetMin(), 40);
    master->ClearAllData();
    EXPECT_EQ(channel->GetCount(), 0);
    channel->AddXY(100, 1);
    EXPECT_EQ(xAxis->GetMin(), 90);
    EXPECT_EQ(xAxis->GetSpan(), 10);
}

}  // namespace

namespace {

// Points are added many times a second: the channel must still follow its
// axes as they are added, renamed and removed between points.
TEST_F(PlotAxes, TrackingFollowsAxesAddedRenamedAndRemovedBetweenPoints)
{
    yAxis->SetTrackingAlignFirstStyle(kpafsMin);
    channel->SetYAxisName("Flow");
    channel->AddXY(0, 3);
    EXPECT_FALSE(channel->GetYAxis());

    auto* flow = master->YAxisManager()->GetItem(master->AddYAxis());
    flow->SetTrackingAlignFirstStyle(kpafsMin);
    flow->SetTrackingStyle(kptsScaleMinMax);
    flow->SetName("FLOW");
    channel->AddXY(1, 5);
    EXPECT_EQ(flow->GetMin(), 5);
    EXPECT_EQ(yAxis->GetMin(), 0);  // never tracked

    // The channel's name follows its axis' rename; another axis later
    // named as the channel was named is not its axis.
    flow->SetName("Pressure");
    auto* other = master->YAxisManager()->GetItem(master->AddYAxis());
    other->SetTrackingAlignFirstStyle(kpafsMin);
    other->SetName("Flow");
    channel->AddXY(2, -9);
    EXPECT_EQ(channel->GetYAxisName(), "Pressure");
    EXPECT_LE(flow->GetMin(), -9);
    EXPECT_EQ(other->GetMin(), 0);

    TkPlotObject::Free(flow);
    EXPECT_FALSE(channel->GetYAxis());
    channel->SetYAxisName("flow");
    channel->AddXY(3, 11);
    ASSERT_EQ(channel->GetYAxis()->GetMin(), 11);
    EXPECT_EQ(other->GetMin(), 11);
}

}  // namespace
