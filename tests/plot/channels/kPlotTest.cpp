// The ready chart control: the objects a fresh plot holds, their names,
// links and levels, and the trace channel class it adds.
#include <gtest/gtest.h>

#include <algorithm>

#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kUpdateObject.h"
#include "rtl/Exception.h"
#include "rtl/PublishedProperties.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"

namespace {

class PlotTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};

bool Holds(const std::vector<TkPlotLayoutObject*>& List, const TkPlotObject* Object)
{
    return std::find(List.begin(), List.end(), Object) != List.end();
}

TEST_F(PlotTest, AFreshPlotHoldsOneObjectOfEachKindButTablesLimitsAndAnnotations)
{
    TkPlot plot(nullptr);
    EXPECT_EQ(plot.GetToolBarCount(), 1);
    EXPECT_EQ(plot.GetLegendCount(), 1);
    EXPECT_EQ(plot.GetXAxisCount(), 1);
    EXPECT_EQ(plot.GetYAxisCount(), 1);
    EXPECT_EQ(plot.GetChannelCount(), 1);
    EXPECT_EQ(plot.GetDataViewCount(), 1);
    EXPECT_EQ(plot.GetDataCursorCount(), 1);
    EXPECT_EQ(plot.GetLabelCount(), 1);
    EXPECT_EQ(plot.GetTableCount(), 0);
    EXPECT_EQ(plot.GetLimitCount(), 0);
    EXPECT_EQ(plot.GetAnnotationCount(), 0);
}

TEST_F(PlotTest, TheDefaultObjectsAreNamedAndLinkedToEachOther)
{
    TkPlot plot(nullptr);
    EXPECT_EQ(plot.GetToolBar(0)->GetName(), "Toolbar 1");
    EXPECT_EQ(plot.GetLegend(0)->GetName(), "Legend 1");
    EXPECT_EQ(plot.GetXAxis(0)->GetName(), "X-Axis 1");
    EXPECT_EQ(plot.GetXAxis(0)->GetTitle(), "X-Axis 1");
    EXPECT_TRUE(plot.GetXAxis(0)->IsHorizontal());
    EXPECT_EQ(plot.GetYAxis(0)->GetName(), "Y-Axis 1");
    EXPECT_EQ(plot.GetYAxis(0)->GetTitle(), "Y-Axis 1");
    EXPECT_FALSE(plot.GetYAxis(0)->IsHorizontal());

    TkPlotChannel* channel = plot.Channel(0);
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(channel->GetName(), "Channel 1");
    EXPECT_EQ(channel->GetTitleText(), "Channel 1");
    EXPECT_EQ(channel->GetColor(), TColor(0x0000FF));
    EXPECT_EQ(channel->GetXAxisName(), "X-Axis 1");
    EXPECT_EQ(channel->GetYAxisName(), "Y-Axis 1");

    auto* view = static_cast<TkPlotDataView*>(plot.GetDataView(0));
    EXPECT_EQ(view->GetName(), "Data View 1");
    EXPECT_EQ(view->GetGridXAxisName(), "X-Axis 1");
    EXPECT_EQ(view->GetGridYAxisName(), "Y-Axis 1");

    auto* cursor = static_cast<TkPlotDataCursor*>(plot.GetDataCursor(0));
    EXPECT_EQ(cursor->GetName(), "Cursor 1");
    EXPECT_EQ(cursor->GetDataView(), view);
    EXPECT_EQ(cursor->GetChannelName(), "Channel 1");
    EXPECT_FALSE(cursor->GetVisible());
}

TEST_F(PlotTest, TheTitleLabelIsRenamedSoTheNextLabelIsLabelOneAgain)
{
    TkPlot plot(nullptr);
    auto* title = static_cast<TkPlotLabel*>(plot.GetLabel(0));
    EXPECT_EQ(title->GetName(), "Title");
    EXPECT_EQ(title->GetCaption(), "Untitled");
    EXPECT_EQ(title->GetZOrder(), 2);
    EXPECT_EQ(title->GetMarginBottom(), 0);

    const int next = plot.AddLabel();
    EXPECT_EQ(plot.GetLabel(next)->GetName(), "Label 1");
    // The title is reserved.
    EXPECT_THROW(plot.DeleteLabel(0), Exception);
}

TEST_F(PlotTest, TheLayoutPutsTitleAndToolbarOnTopTheAxesBesideAndTheLegendRight)
{
    TkPlot plot(nullptr);
    const TkPlotLayoutManager* layout = plot.GetMasterManager().LayoutManager();
    EXPECT_TRUE(layout->GetAutoPlacement());
    auto* bar = static_cast<TkPlotLayoutObject*>(plot.GetToolBar(0));
    auto* legend = static_cast<TkPlotLayoutObject*>(plot.GetLegend(0));
    auto* title = static_cast<TkPlotLayoutObject*>(plot.GetLabel(0));
    EXPECT_EQ(bar->GetZOrder(), 3);
    EXPECT_EQ(legend->GetZOrder(), 2);
    EXPECT_EQ(plot.GetXAxis(0)->GetZOrder(), 0);
    EXPECT_EQ(plot.GetYAxis(0)->GetZOrder(), 0);
    EXPECT_EQ(layout->HorzDataView()->GetZOrder(), 1);
    EXPECT_EQ(layout->VertDataView()->GetZOrder(), 1);
    EXPECT_TRUE(Holds(layout->TopList(), bar));
    EXPECT_TRUE(Holds(layout->TopList(), title));
    EXPECT_TRUE(Holds(layout->BottomList(), plot.GetXAxis(0)));
    EXPECT_TRUE(Holds(layout->LeftList(), plot.GetYAxis(0)));
    EXPECT_TRUE(Holds(layout->RightList(), legend));
}

TEST_F(PlotTest, NewChannelsAreTraceChannelsAndXAxesScroll)
{
    TkPlot plot(nullptr);
    const int index = plot.AddChannel();
    ASSERT_NE(dynamic_cast<TkPlotChannel*>(plot.GetChannel(index)), nullptr);
    EXPECT_EQ(plot.GetXAxis(0)->GetTrackingStyle(), kptsScrollSmooth);
    EXPECT_EQ(TPropertyRegistry::Instance().GetClassName(&plot), "TkPlot");
}

TEST_F(PlotTest, AFreshPlotPaintsItsChannelsTrace)
{
    TkPlot plot(nullptr);
    plot.SetBounds(0, 0, 400, 300);
    plot.GetXAxis(0)->SetMinSpan(0, 10);
    plot.GetYAxis(0)->SetMinSpan(0, 10);
    plot.Channel(0)->AddXY(0, 5);
    plot.Channel(0)->AddXY(10, 5);
    TBitmap bitmap;
    bitmap.SetSize(400, 300);
    plot.PaintToCanvas(bitmap.Canvas);
    int red = 0;
    for (int x = 0; x < 400; ++x)
        for (int y = 0; y < 300; ++y)
            red += TColor(bitmap.Canvas->Pixels[x][y]) == TColor(0x0000FF);
    EXPECT_GT(red, 100);
}

// Points added one by one, outside an update bracket, into a plot whose
// X axis scrolls along: a point a frame or more after the last repaint is
// painted at once, one within the frame waits for the update service. The
// time the application's handlers take while a point is added counts.
TEST_F(PlotTest, PointsAddedOneByOneRepaintAtTheFrameRate)
{
    double clock = 1000;
    TkUpdateObject::SetClock([&clock] { return clock; });
    struct TRealClock {
        ~TRealClock() { TkUpdateObject::SetClock(nullptr); }
    } restore;
    TkPlot plot(nullptr);
    TkPlotChannel* channel = plot.Channel(0);
    const double span = plot.GetXAxis(0)->GetSpan();
    std::vector<double> moves;
    double handlerTakes = 0;
    plot.OnXAxisMinChange = [&](int, double, double NewValue) {
        moves.push_back(NewValue);
        clock += handlerTakes;
    };

    // A point in view, a frame after the plot was made: painted at once.
    clock += 1;
    channel->AddXY(0, 1);
    EXPECT_EQ(moves.size(), 0u);
    EXPECT_EQ(plot.LastUpdateTime(), 1001);
    EXPECT_FALSE(plot.UpdatePending());

    // Within the frame: the update service paints it once the frame is over.
    clock += 0.001;
    channel->AddXY(1, 2);
    EXPECT_EQ(plot.LastUpdateTime(), 1001);
    EXPECT_TRUE(plot.UpdatePending());
    TkUpdateObject::Instance().Tick();
    EXPECT_EQ(plot.LastUpdateTime(), 1001);
    clock += 0.1;
    TkUpdateObject::Instance().Tick();
    EXPECT_EQ(plot.LastUpdateTime(), 1001.101);
    EXPECT_FALSE(plot.UpdatePending());

    // A point that scrolls the axis, a frame later: the axis' move is
    // painted at once, and the channel's own change, within that frame,
    // waits for the service.
    clock += 1;
    channel->AddXY(span * 2, 3);
    EXPECT_EQ(moves.size(), 1u);
    EXPECT_EQ(plot.LastUpdateTime(), 1002.101);
    EXPECT_TRUE(plot.UpdatePending());
    clock += 0.1;
    TkUpdateObject::Instance().Tick();
    EXPECT_EQ(plot.LastUpdateTime(), 1002.201);

    // Within the frame, but the application's handler of the axis' move
    // takes a second: the channel's change comes a frame later.
    handlerTakes = 1;
    clock += 0.001;
    channel->AddXY(span * 4, 4);
    EXPECT_EQ(moves.size(), 2u);
    EXPECT_EQ(plot.LastUpdateTime(), 1003.202);
    EXPECT_FALSE(plot.UpdatePending());
    EXPECT_EQ(channel->GetCount(), 4);
}

}  // namespace
