// What channels and data cursors tell their plot reaches the plot's events,
// with the object's index among its kind.
#include <gtest/gtest.h>

#include "PlotComponentSupport.h"
#include "TempDirSupport.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotDataCursor.h"

namespace {

TEST(PlotChannelEvents, ACursorReadoutAndItsUpdateReachThePlot)
{
    TestPlot plot;
    plot.AddChannel();
    plot.AddDataCursor();
    plot.AddDataCursor();
    auto* cursor = static_cast<TkPlotDataCursor*>(plot.GetDataCursor(1));
    std::vector<std::string> events;
    plot.OnBeforeDataCursorUpdate = [&](int Index) { events.push_back("before " + std::to_string(Index)); };
    plot.OnDataCursorChange = [&](int Index) { events.push_back("change " + std::to_string(Index)); };
    cursor->UpdateValues();
    cursor->SetValues(0, 1, 2);
    cursor->SetValues(0, 1, 2);
    EXPECT_EQ(events, (std::vector<std::string>{"before 1", "change 1"}));
}

TEST(PlotChannelEvents, DataPointEventsCarryTheChannelIndex)
{
    TestPlot plot;
    plot.AddChannel();
    plot.AddChannel();
    TkPlotObject* channel = plot.GetChannel(1);
    std::vector<std::string> events;
    plot.OnMouseDownDataPoint = [&](int C, int D, TMouseButton, TShiftState, int X, int Y) {
        events.push_back("down " + std::to_string(C) + "/" + std::to_string(D) + " at " + std::to_string(X) + "," +
                         std::to_string(Y));
    };
    plot.OnMouseMoveDataPoint = [&](int C, int D, TShiftState, int, int) {
        events.push_back("move " + std::to_string(C) + "/" + std::to_string(D));
    };
    plot.OnMouseUpDataPoint = [&](int C, int D, TMouseButton, TShiftState, int, int) {
        events.push_back("up " + std::to_string(C) + "/" + std::to_string(D));
    };
    plot.OnClickDataPoint = [&](int C, int D) {
        events.push_back("click " + std::to_string(C) + "/" + std::to_string(D));
    };
    plot.OnDataPointMoved = [&](int C, int D, double, double OldY, double, double NewY) {
        events.push_back("moved " + std::to_string(C) + "/" + std::to_string(D) + " " + std::to_string(int(OldY)) +
                         "->" + std::to_string(int(NewY)));
    };
    plot.DoMouseDownDataPoint(channel, 3, mbLeft, 0, 7, 8);
    plot.DoMouseMoveDataPoint(channel, 3, 0, 7, 9);
    plot.DoMouseUpDataPoint(channel, 3, mbLeft, 0, 7, 9);
    plot.DoDataPointClick(channel, 3);
    plot.DoDataPointMoved(channel, 3, 0, 1, 0, 2);
    EXPECT_EQ(events,
              (std::vector<std::string>{"down 1/3 at 7,8", "move 1/3", "up 1/3", "click 1/3", "moved 1/3 1->2"}));
}

TEST(PlotChannelEvents, ChannelFilesUseThePlotsColumnSeparator)
{
    TestPlot plot;
    plot.AddChannel();
    auto* channel = static_cast<TkPlotChannel*>(plot.GetChannel(0));
    channel->AddXY(1.5, 2);
    TempDir dir;
    channel->SaveDataToFile(dir.File("tab.txt"));
    EXPECT_EQ(ReadRaw(dir.File("tab.txt")), "1.5\t2\r\n");
    plot.SetDataFileColumnSeparator(kpdfcsComma);
    channel->SaveDataToFile(dir.File("comma.txt"));
    EXPECT_EQ(ReadRaw(dir.File("comma.txt")), "1.5,2\r\n");
}

}  // namespace

namespace {

TEST(PlotChannelEvents, HintsAreMeasuredInTheHintFontAndKeptInTheFirstDataView)
{
    TestPlot plot;
    EXPECT_EQ(plot.GetDataViewRect(), TRect());
    const TSize small = plot.HintTextExtent("12.5, 3");
    EXPECT_GT(small.cx, 0);
    EXPECT_GT(small.cy, 0);
    plot.GetHintsFont()->SetSize(plot.GetHintsFont()->GetSize() * 3);
    EXPECT_GT(plot.HintTextExtent("12.5, 3").cx, small.cx * 2);
    plot.AddDataView();
    static_cast<TkPlotLayoutObject*>(plot.GetDataView(0))->SetDrawRect(TRect(10, 20, 300, 180));
    EXPECT_EQ(plot.GetDataViewRect(), TRect(10, 20, 300, 180));
    plot.AddChannel();
    std::string text = "a";
    plot.OnDataPointCustomizeHint = [](int C, int D, std::string& T) { T += std::to_string(C) + std::to_string(D); };
    plot.DoDataPointCustomizeHint(plot.GetChannel(0), 4, text);
    EXPECT_EQ(text, "a04");
}

}  // namespace

namespace {

TEST(PlotChannelEvents, AnAxisZoomsToTheDataOfTheChannelsDrawnAgainstIt)
{
    TestPlot plot;
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddYAxis();
    plot.AddChannel();
    plot.AddChannel();
    auto* first = static_cast<TkPlotChannel*>(plot.GetChannel(0));
    auto* second = static_cast<TkPlotChannel*>(plot.GetChannel(1));
    second->SetYAxisName(plot.GetYAxis(1)->GetName());
    for (TkPlotAxis* axis : {static_cast<TkPlotAxis*>(plot.GetXAxis(0)), static_cast<TkPlotAxis*>(plot.GetYAxis(0))})
        axis->SetTrackingEnabled(false);
    first->AddXY(2, 5);
    first->AddXY(4, -3);
    first->AddPointCore(5, 100, true, false);
    first->AddXY(8, 1);
    second->AddXY(1, 50);
    TkPlotAxis* x = plot.GetXAxis(0);
    x->ZoomToFit();
    EXPECT_EQ(x->GetMin(), 1);
    EXPECT_EQ(x->GetSpan(), 7);
    TkPlotAxis* y = plot.GetYAxis(0);
    y->SetMinSpan(0, 10);  // every point in view
    y->ZoomToFit();
    EXPECT_EQ(y->GetMin(), -3);  // the second channel's 50 belongs to the other Y axis
    EXPECT_EQ(y->GetSpan(), 8);
    first->Clear();
    first->AddXY(3, 2);
    first->AddXY(4, 2.5);
    y->FitToRunningMinMax();
    EXPECT_EQ(y->GetMin(), 2);
    EXPECT_EQ(y->GetSpan(), 0.5);
}

}  // namespace
