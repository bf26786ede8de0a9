// A legend over the plot's real channels, painted by the plot: the rows it
// lists, their line samples, markers, last values and statistics, the
// channel a click on a row reaches, and the data cursor's readouts when a
// visible cursor shows every channel; and the data view a cursor is drawn
// in.
#include <gtest/gtest.h>

#include <algorithm>

#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotComponent.h"
#include "ui/Application.h"
#include "ui/RecordingCanvas.h"

namespace {

class PlotWithKinds : public TkPlotComponent {
public:
    PlotWithKinds() : TkPlotComponent(nullptr) { Application->Initialize(); }
};

class LegendChannels : public ::testing::Test {
protected:
    void SetUp() override
    {
        plot.AddToolBar();
        plot.AddLegend();
        plot.AddXAxis();
        plot.AddYAxis();
        plot.AddDataView();
        plot.AddChannel();
        plot.AddChannel();
        plot.AddDataCursor();
        legend = static_cast<TkPlotLegend*>(plot.GetLegend(0));
        cursor = static_cast<TkPlotDataCursor*>(plot.GetDataCursor(0));
        first = Channel(0);
        second = Channel(1);
        first->SetTitleText("Pressure");
        second->SetTitleText("Flow");
        for (auto [x, y] : {std::pair{1.0, 2.0}, {3.0, 6.0}, {5.0, 4.0}})
            first->AddXY(x, y);
        second->AddXY(2, 7);
    }
    TkPlotChannel* Channel(int Index) { return static_cast<TkPlotChannel*>(plot.GetChannel(Index)); }
    TkPlotAxis* XAxis() { return plot.GetXAxis(0); }
    TkPlotAxis* YAxis() { return plot.GetYAxis(0); }
    void Paint()
    {
        TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
        plot.PaintToCanvas(&canvas);
        // What the legend drew: the records that start inside its rectangle.
        legendRecords.clear();
        const TRect r = legend->GetDrawRect();
        for (const TCanvasRecord& record : canvas.Records)
            if (record.Args.size() >= 2 && PtInRect(r, TPoint(record.Args[0], record.Args[1])))
                legendRecords.push_back(record);
    }
    // The row of the legend item whose channel is Channel.
    const TkPlotLegendItem* Item(const TkPlotChannelCustom* Channel)
    {
        for (const TkPlotLegendItem& item : legend->GetItems())
            if (item.Channel == Channel)
                return &item;
        return nullptr;
    }
    // The texts the legend drew on the row of Channel, left to right.
    std::vector<std::string> RowTexts(const TkPlotChannelCustom* Channel)
    {
        std::vector<std::pair<int, std::string>> found;
        const TkPlotLegendItem* item = Item(Channel);
        if (!item)
            return {};
        for (const TCanvasRecord& r : legendRecords) {
            if (r.Op != TCanvasOp::TextOut && r.Op != TCanvasOp::TextRect)
                continue;
            const int x = r.Op == TCanvasOp::TextRect ? r.Args[4] : r.Args[0];
            const int y = r.Op == TCanvasOp::TextRect ? r.Args[5] : r.Args[1];
            if (y >= item->RowTop && y < item->RowTop + item->RowHeight)
                found.emplace_back(x, r.Text);
        }
        std::sort(found.begin(), found.end());
        std::vector<std::string> texts;
        for (auto& [x, text] : found)
            texts.push_back(text);
        return texts;
    }
    // The line sample's segments on the middle row of Channel's entry,
    // as start and end X relative to the line column, and their colour.
    std::vector<std::pair<int, int>> Segments(const TkPlotChannelCustom* Channel, TColor& Colour)
    {
        std::vector<std::pair<int, int>> segments;
        const TkPlotLegendItem* item = Item(Channel);
        const int middle = item->RowTop + item->RowHeight / 2;
        for (const TCanvasRecord& r : legendRecords)
            if (r.Op == TCanvasOp::LineTo && r.Args[1] == middle && r.Points[0].Y == middle &&
                r.Points[0].X >= item->GroupLeft && r.Args[0] <= item->GroupLeft + 16) {
                segments.emplace_back(r.Points[0].X - item->GroupLeft, r.Args[0] - item->GroupLeft);
                Colour = r.Pen.Color;
            }
        return segments;
    }

    PlotWithKinds plot;
    TkPlotLegend* legend = nullptr;
    TkPlotDataCursor* cursor = nullptr;
    TkPlotChannel* first = nullptr;
    TkPlotChannel* second = nullptr;
    std::vector<TCanvasRecord> legendRecords;
};

TEST_F(LegendChannels, RowsShowTitlesLastValuesAndStatisticsOfTheChannels)
{
    legend->SetShowColumnXValue(true);
    legend->SetShowColumnYValue(true);
    legend->SetShowColumnYMax(true);
    legend->SetShowColumnYMin(true);
    legend->SetShowColumnYMean(true);
    Paint();
    ASSERT_EQ(legend->GetItems().size(), 2u);
    EXPECT_EQ(RowTexts(first), (std::vector<std::string>{"Pressure", XAxis()->GetLegendText(5),
                                                         YAxis()->GetLegendText(4), YAxis()->GetLegendText(6),
                                                         YAxis()->GetLegendText(2), YAxis()->GetLegendText(4)}));
    EXPECT_EQ(RowTexts(second)[1], XAxis()->GetLegendText(2));
    EXPECT_EQ(RowTexts(second)[2], YAxis()->GetLegendText(7));

    second->Clear();
    Paint();
    EXPECT_EQ(RowTexts(second), (std::vector<std::string>{"Flow", "Empty", "Empty", "Empty", "Empty", "Empty"}));
}

TEST_F(LegendChannels, AChannelLeftOutOfTheLegendHasNoRow)
{
    first->SetVisibleInLegend(false);
    Paint();
    ASSERT_EQ(legend->GetItems().size(), 1u);
    EXPECT_EQ(legend->GetItems()[0].Channel, second);
}

TEST_F(LegendChannels, LineSamplesTakeTheChannelsColourAndLineStyle)
{
    second->SetTraceLineStyle(kplsDash);
    Paint();
    TColor colour = clNone;
    EXPECT_EQ(Segments(first, colour), (std::vector<std::pair<int, int>>{{0, 13}}));
    EXPECT_EQ(colour, first->GetColor());
    EXPECT_EQ(Segments(second, colour), (std::vector<std::pair<int, int>>{{0, 5}, {8, 13}}));
    EXPECT_EQ(colour, second->GetColor());
}

TEST_F(LegendChannels, TheMarkerColumnShowsTheMarkersOfChannelsThatDrawThem)
{
    legend->SetShowColumnMarker(true);
    first->SetMarkersVisible(true);
    first->SetMarkersStyle(kpmsSquare);
    first->SetMarkersSize(3);
    Paint();
    std::vector<const TCanvasRecord*> squares;
    for (const TCanvasRecord& r : legendRecords)
        if (r.Op == TCanvasOp::Rectangle)
            squares.push_back(&r);
    ASSERT_EQ(squares.size(), 1u);  // the second channel draws no markers
    const TkPlotLegendItem* item = Item(first);
    // The marker column follows the line column: 16 pixels and a spacing.
    const int spacing = (item->NameCell.Left - item->GroupLeft - 32) / 2;
    const int markerLeft = item->GroupLeft + 16 + spacing;
    const int cx = markerLeft + 8, cy = item->RowTop + item->RowHeight / 2;
    EXPECT_EQ(squares[0]->Args, (std::vector<int>{cx - 3, cy - 3, cx + 3, cy + 3}));
    EXPECT_EQ(squares[0]->Brush.Color, first->GetColor());
}

TEST_F(LegendChannels, AClickOnARowReachesItsChannel)
{
    Paint();
    const TRect cell = Item(second)->NameCell;
    const TPoint inside((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    EXPECT_TRUE(second->HitTest(second->MakeMouseData(inside)));
    EXPECT_FALSE(first->HitTest(first->MakeMouseData(inside)));
    EXPECT_EQ(legend->GetObjectAt(inside), second);
}

TEST_F(LegendChannels, AVisibleCursorOnAllChannelsPutsItsReadoutsInTheValueColumns)
{
    cursor->SetChannelName(TkPlotDataCursor::AllChannels);
    cursor->SetPointer1Position(4);  // the X axis shows 0 .. 100: between the first channel's points
    cursor->SetVisible(true);
    Paint();
    EXPECT_TRUE(legend->GetCursorValuesMode());
    const std::string xText = XAxis()->GetCursorText(cursor->GetValueX());
    double y = 0;
    ASSERT_EQ(first->GetCursorYAtX(cursor->GetValueX(), y), kpcvValue);
    EXPECT_EQ(RowTexts(first), (std::vector<std::string>{"Pressure", xText, YAxis()->GetCursorText(y)}));
    EXPECT_EQ(RowTexts(second), (std::vector<std::string>{"Flow", xText, "Empty"}));
}

TEST_F(LegendChannels, OtherwiseTheValueColumnsFollowTheLegendsSettings)
{
    cursor->SetVisible(true);  // bound to the first channel
    Paint();
    EXPECT_FALSE(legend->GetCursorValuesMode());
    EXPECT_EQ(RowTexts(first), (std::vector<std::string>{"Pressure"}));

    cursor->SetChannelName(TkPlotDataCursor::AllChannels);
    cursor->SetChannelShowAllInLegend(false);
    Paint();
    EXPECT_FALSE(legend->GetCursorValuesMode());

    cursor->SetChannelShowAllInLegend(true);
    cursor->SetVisible(false);
    legend->SetShowColumnYValue(true);
    Paint();
    EXPECT_FALSE(legend->GetCursorValuesMode());
    EXPECT_EQ(RowTexts(first), (std::vector<std::string>{"Pressure", YAxis()->GetLegendText(4)}));
}

TEST(CursorPaint, ACursorMadeBeforeTheDataViewIsDrawnInItAfterThePaint)
{
    PlotWithKinds plot;
    plot.AddToolBar();
    plot.AddLegend();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddChannel();
    plot.AddDataCursor();
    auto* cursor = static_cast<TkPlotDataCursor*>(plot.GetDataCursor(0));
    cursor->SetVisible(true);
    EXPECT_EQ(cursor->GetDataView(), nullptr);
    plot.AddDataView();
    TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
    plot.PaintToCanvas(&canvas);
    ASSERT_EQ(cursor->GetDataView(), plot.GetDataView(0));
    const int x = cursor->PointerPixel(1);
    const TRect view = cursor->GetDataView()->GetDrawRect();
    EXPECT_TRUE(std::any_of(canvas.Records.begin(), canvas.Records.end(), [&](const TCanvasRecord& r) {
        return r.Op == TCanvasOp::LineTo && r.Args == std::vector<int>{x, view.Bottom} &&
               r.Points[0] == TPoint(x, view.Top);
    }));
}

TEST(CursorPaint, OnAReadyPlotTheShownCursorIsDraggedAndThePlotHearsOfItsReadout)
{
    Application->Initialize();
    TkPlot plot(nullptr);
    for (int x = 0; x <= 100; x += 10)
        plot.Channel(0)->AddXY(x, 0);
    auto* cursor = static_cast<TkPlotDataCursor*>(plot.GetDataCursor(0));
    cursor->SetVisible(true);
    std::vector<int> changes;
    plot.OnDataCursorChange = [&](int Index) { changes.push_back(Index); };
    TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
    plot.PaintToCanvas(&canvas);
    ASSERT_NE(cursor->GetDataView(), nullptr);
    const TRect view = cursor->GetDataView()->GetDrawRect();
    const int x = cursor->PointerPixel(1), y = view.Top + 2;
    const double before = cursor->GetValueX();
    plot.HandleMouseDown(mbLeft, ssLeft, x, y);
    EXPECT_TRUE(cursor->GetDraggingPointer(1));
    plot.HandleMouseMove(ssLeft, view.Left + view.Width() / 4, y);
    plot.HandleMouseUp(mbLeft, 0, view.Left + view.Width() / 4, y);
    EXPECT_FALSE(cursor->GetDraggingPointer(1));
    EXPECT_NEAR(cursor->GetPointer1Position(), 25, 100.0 / view.Width());
    EXPECT_LT(cursor->GetValueX(), before);
    EXPECT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), 0);
}

}  // namespace
