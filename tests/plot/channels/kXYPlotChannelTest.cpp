// The X-Y channel: its points joined in the order they came whatever their
// X, read from a recording canvas; the extents the axes fit to; and what a
// data cursor reads from it on the test axes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ChannelTestSupport.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kXYPlotChannel.h"
#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "ui/RecordingCanvas.h"

namespace {

struct Line {
    TPoint From, To;
    bool operator==(const Line&) const = default;
};

// Test axes: X 0 .. 10 over pixels 0 .. 100, Y 0 .. 10 over pixels 100 .. 0.
class XYChannel : public ChannelTest {
protected:
    TkXYPlotChannel* AddXYChannel()
    {
        return static_cast<TkXYPlotChannel*>(AddChannelOf(PlotObjectClassOf<TkXYPlotChannel>()));
    }
    static std::vector<Line> Paint(TkPlotChannelCustom* Channel)
    {
        TRecordingCanvas canvas{TSize(200, 200)};
        Channel->PreDraw(&canvas);
        Channel->Draw(&canvas, clBlack);
        std::vector<Line> lines;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::LineTo)
                lines.push_back({r.Points.at(0), TPoint(r.Args[0], r.Args[1])});
        return lines;
    }
};

TEST_F(XYChannel, PointsAreJoinedInTheOrderTheyCameWhateverTheirX)
{
    TkXYPlotChannel* c = AddXYChannel();
    AddPoints(c, {{0, 0}, {10, 5}, {2, 8}});
    ASSERT_EQ(c->GetCount(), 3);
    EXPECT_EQ(Paint(c), (std::vector<Line>{{TPoint(0, 100), TPoint(100, 50)}, {TPoint(20, 20), TPoint(100, 50)}}));
    EXPECT_TRUE(c->GetReadyToDraw());
    EXPECT_EQ(c->GetFirstVisibleIndex(), 0);
    EXPECT_EQ(c->GetLastVisibleIndex(), 2);

    c->SetVisible(false);
    EXPECT_TRUE(Paint(c).empty());
    c->SetVisible(true);
    hasYAxis = false;
    EXPECT_TRUE(Paint(c).empty());
}

// Past a few thousand points the walk goes through the point list's
// summary: where X turns at every point each segment is still drawn, and
// a column visited again is not merged with its earlier visit.
TEST_F(XYChannel, ALongBackAndForthRunDrawsEverySegment)
{
    TkXYPlotChannel* c = AddXYChannel();
    constexpr int Count = 5000;
    for (int i = 0; i < Count; ++i)
        c->AddXY(i % 2 == 0 ? 0 : 10, i * 10.0 / Count);
    const std::vector<Line> lines = Paint(c);
    ASSERT_EQ(int(lines.size()), Count - 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].From.X, 0) << "segment " << i;
        ASSERT_EQ(lines[i].To.X, 100) << "segment " << i;
        ASSERT_EQ(lines[i].From.Y, yAxis.ValueToPixel(c->GetDataY(i % 2 == 0 ? int(i) : int(i) + 1)));
    }
    EXPECT_GT(c->GetSummaryMemoryUsed(), 0);
}

// Clipped to its axes, the channel draws within the rectangle their
// ranges span (turned with reversed axes) and gives the clip back.
TEST_F(XYChannel, ClipToAxesDrawsWithinTheAxesRanges)
{
    xAxis.Pixel1 = 50;
    TkXYPlotChannel* c = AddXYChannel();
    AddPoints(c, {{0, 0}, {10, 5}, {2, 8}});
    c->SetClipToAxes(true);
    for (bool reverse : {false, true}) {
        c->SetXYAxesReverse(reverse);
        TRecordingCanvas canvas{TSize(200, 200)};
        c->PreDraw(&canvas);
        c->Draw(&canvas, clBlack);
        ASSERT_FALSE(canvas.Records.empty());
        EXPECT_EQ(canvas.Records.front().Op, TCanvasOp::SetClip);
        const std::vector<int> spanned = reverse ? std::vector<int>{0, 0, 101, 51} : std::vector<int>{0, 0, 51, 101};
        EXPECT_EQ(canvas.Records.front().Args, spanned);
        EXPECT_FALSE(canvas.HasClipRect());
    }
}

// A list that keeps each point's pen draws each segment in the pen its
// point was added with.
TEST_F(XYChannel, SegmentsKeepThePensTheirPointsCameWith)
{
    TkXYPlotChannel* c = AddXYChannel();
    c->SetDataStyle(kpdsFullFeature);
    c->SetColor(clRed);
    AddPoints(c, {{0, 0}, {10, 5}});
    c->SetColor(clBlue);
    c->AddXY(2, 8);
    TRecordingCanvas canvas{TSize(200, 200)};
    c->PreDraw(&canvas);
    c->Draw(&canvas, clBlack);
    std::vector<std::pair<Line, TColor>> lines;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::LineTo)
            lines.push_back({{r.Points.at(0), TPoint(r.Args[0], r.Args[1])}, r.Pen.Color});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].second, clRed);
    EXPECT_EQ(lines[1].second, clBlue);
    EXPECT_EQ(lines[1].first.From, TPoint(20, 20));
}

// Ordered X-Y data draw the same min/max reduction a trace does.
TEST_F(XYChannel, OrderedDataDrawTheTracesColumnReduction)
{
    TkXYPlotChannel* xy = AddXYChannel();
    TkPlotChannel* trace = AddChannel();
    constexpr int Count = 20000;
    for (int i = 0; i < Count; ++i)
        for (TkPlotChannelCustom* c : std::initializer_list<TkPlotChannelCustom*>{xy, trace})
            c->AddXY(i * 10.0 / Count, 5 + 4 * std::sin(i * 0.01));
    const std::vector<Line> lines = Paint(xy);
    EXPECT_EQ(lines, Paint(trace));
    EXPECT_LT(lines.size(), 300u);
    EXPECT_GT(xy->GetSummaryMemoryUsed(), 0);
}

TEST_F(XYChannel, ExtentsSpanEveryValidPointWhateverItsPlace)
{
    TkXYPlotChannel* c = AddXYChannel();
    AddPoints(c, {{5, 1}, {-2, 3}});
    c->AddPointCore(100, 100, true, false);
    c->AddPointCore(-50, -50, false, true);
    c->AddXY(3, -4);
    EXPECT_EQ(c->GetXMaxExtent(), 5);
    EXPECT_EQ(c->GetXMinExtent(), -2);
    EXPECT_EQ(c->GetYMaxExtentVisible(), 3);
    EXPECT_EQ(c->GetYMinExtentVisible(), -4);

    // Markers 10 pixels wide reach one unit further on the test axes.
    c->SetMarkersVisible(true);
    c->SetMarkersSize(10);
    EXPECT_DOUBLE_EQ(c->GetXMaxExtent(), 6);
    EXPECT_DOUBLE_EQ(c->GetXMinExtent(), -3);
    EXPECT_DOUBLE_EQ(c->GetYMaxExtentVisible(), 4);
    EXPECT_DOUBLE_EQ(c->GetYMinExtentVisible(), -5);

    c->SetVisible(false);
    EXPECT_EQ(c->GetXMaxExtent(), -1e300);
    EXPECT_EQ(c->GetYMinExtentVisible(), 1e300);
    c->SetVisible(true);
    hasXAxis = false;
    EXPECT_EQ(c->GetXMinExtent(), 1e300);
    EXPECT_EQ(c->GetYMaxExtentVisible(), -1e300);
}

// A data view 100 pixels square over the test axes: one percent of a
// pointer's travel is one pixel and a tenth of a unit.
class XYCursor : public XYChannel {
protected:
    void SetUp() override
    {
        XYChannel::SetUp();
        channel = AddXYChannel();
        AddPoints(channel, {{0, 0}, {10, 10}, {5, 2}});
        master->AddDataView();
        master->DataViewManager()->GetItem(0)->SetDrawRect(TRect(0, 0, 100, 100));
        cursor = master->DataCursorManager()->GetItem(master->AddDataCursor());
        cursor->SetPointer1Position(30);
        cursor->SetPointer2Position(70);
    }
    std::string Readout(TkPlotDataCursorStyle Style)
    {
        cursor->SetStyle(Style);
        cursor->UpdateValues();
        return channel->GetCursorReadout();
    }

    TkXYPlotChannel* channel = nullptr;
    TkPlotDataCursor* cursor = nullptr;
};

TEST_F(XYCursor, XIsReadAtPointerOneAndYAtPointerTwo)
{
    EXPECT_EQ(Readout(kpcsValueXY), "C3, C7");
    EXPECT_EQ(cursor->GetValueStatus(), 0);
    EXPECT_DOUBLE_EQ(cursor->GetValueX(), 3);
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 7);
    EXPECT_EQ(channel->LegendData().CursorXText, "C3");
    EXPECT_EQ(channel->LegendData().CursorYText, "C7");
    EXPECT_EQ(Readout(kpcsValueX), "C3");
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 0);
    EXPECT_EQ(Readout(kpcsValueY), "C7");
    EXPECT_DOUBLE_EQ(cursor->GetValueX(), 0);
    EXPECT_EQ(Readout(kpcsDeltaX), "C4");
    EXPECT_EQ(Readout(kpcsDeltaY), "C4");
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 4);
}

// The frequency takes the X axis' cursor scaler, and no other readout does.
TEST_F(XYCursor, TheFrequencyUsesTheXAxisScaler)
{
    xAxis.Scaler = 2;
    yAxis.Scaler = 5;
    EXPECT_EQ(Readout(kpcsInverseDeltaX), "C" + FloatToStr(0.125));
    EXPECT_DOUBLE_EQ(cursor->GetValueX(), 0.125);
    EXPECT_EQ(Readout(kpcsDeltaX), "C4");
    EXPECT_EQ(Readout(kpcsDeltaY), "C4");
    cursor->SetPointer2Position(30);
    EXPECT_EQ(Readout(kpcsInverseDeltaX), "Infinite");
    EXPECT_TRUE(std::isinf(cursor->GetValueX()));
    xAxis.Scaler = 0;
    cursor->SetPointer2Position(70);
    EXPECT_EQ(Readout(kpcsInverseDeltaX), "Infinite");
}

// Each value comes from the pixel the pointer stands on, through its
// axis: an axis stacked into part of the view, or running against the
// pixels, reads what is drawn there.
TEST_F(XYCursor, ValuesAreReadThroughTheAxesPixels)
{
    yAxis.Pixel0 = 100;  // the lower half of the view
    yAxis.Pixel1 = 50;
    xAxis.Pixel0 = 100;  // growing to the left
    xAxis.Pixel1 = 0;
    cursor->SetPointer2Position(25);
    EXPECT_EQ(Readout(kpcsValueXY), "C7, C5");
}

TEST_F(XYCursor, AMissingAxisIsNamedInTheReadout)
{
    hasYAxis = false;
    EXPECT_EQ(Readout(kpcsValueXY), "C3, No Y-Axis");
    hasXAxis = false;
    plot.translations["No X-Axis"] = "无X轴";
    EXPECT_EQ(Readout(kpcsValueXY), "无X轴, 无X轴");
    EXPECT_EQ(Readout(kpcsInverseDeltaX), "无X轴");
}

TEST_F(XYCursor, TheCursorsHintShowsTheReadout)
{
    cursor->SetVisible(true);
    TRecordingCanvas canvas{TSize(200, 200)};
    cursor->Draw(&canvas, clBlack);
    std::string text;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::TextOut || r.Op == TCanvasOp::TextRect)
            text += r.Text;
    EXPECT_EQ(text, "C3, C7");
}

// The chart control makes X-Y channels beside its trace channels.
TEST(XYPlot, TheChartAddsXYChannelsBesideItsTraces)
{
    Application->Initialize();
    TkPlot chart(nullptr);
    const int index = chart.AddXYChannel();
    EXPECT_EQ(index, 1);
    EXPECT_EQ(chart.GetChannelCount(), 2);
    EXPECT_NE(chart.XYChannel(index), nullptr);
    EXPECT_EQ(chart.Channel(index), nullptr);
    EXPECT_NE(chart.Channel(0), nullptr);
    EXPECT_EQ(chart.XYChannel(0), nullptr);
    EXPECT_EQ(chart.XYChannel(index)->GetName(), "Channel 2");
    EXPECT_EQ(chart.XYChannel(index)->GetXAxisName(), chart.GetXAxis(0)->GetName());
    chart.DeleteChannel(index);
    EXPECT_EQ(chart.GetChannelCount(), 1);
}

// On a painted chart, the axes fitted to it, an X-Y channel's segments
// run between its points' screen places in the order they came.
TEST(XYPlot, APaintedChartDrawsTheSegmentsInTheOrderAdded)
{
    Application->Initialize();
    TkPlot chart(nullptr);
    chart.SetBounds(0, 0, 600, 400);
    chart.DeleteChannel(0);
    TkXYPlotChannel* c = chart.XYChannel(chart.AddXYChannel());
    c->SetXAxisTrackingEnabled(false);
    c->SetYAxisTrackingEnabled(false);
    c->SetColor(0x123456);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 5.0}, {2.0, 8.0}})
        c->AddXY(x, y);
    TkPlotAxis* x = chart.GetXAxis(0);
    TkPlotAxis* y = chart.GetYAxis(0);
    x->SetMinSpan(0, 10);
    y->SetMinSpan(0, 10);
    TRecordingCanvas canvas(TSize(chart.GetWidth(), chart.GetHeight()));
    chart.PaintToCanvas(&canvas);
    // The legend draws a sample in the channel's colour too, outside the
    // view (whose far edges the axes' ends lie on).
    TRect view = static_cast<TkPlotLayoutObject*>(chart.GetDataView(0))->GetDrawRect();
    view = TRect(view.Left, view.Top, view.Right + 1, view.Bottom + 1);
    std::vector<Line> lines;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::LineTo && r.Pen.Color == 0x123456 && PtInRect(view, r.Points.at(0)))
            lines.push_back({r.Points.at(0), TPoint(r.Args[0], r.Args[1])});
    const auto at = [&](double X, double Y) { return TPoint(x->ValueToPixel(X), y->ValueToPixel(Y)); };
    EXPECT_EQ(lines, (std::vector<Line>{{at(0, 0), at(10, 5)}, {at(2, 8), at(10, 5)}}));
}

std::string StreamOf(const TkPlot& Plot)
{
    TMemoryStream stream;
    TWriter(stream).WriteRoot(&Plot);
    return stream.Bytes();
}

void ReadInto(TkPlot& Plot, const std::string& Bytes)
{
    TMemoryStream stream(Bytes);
    TReader(stream).ReadRoot(&Plot);
}

// A saved chart with an X-Y channel beside its trace gets both back, each
// of its own class, the X-Y channel with the settings of its X item.
TEST(XYPlot, AnXYChannelReadsBackFromTheStreamAsOne)
{
    Application->Initialize();
    TkPlot original(nullptr);
    TkXYPlotChannel* xy = original.XYChannel(original.AddXYChannel());
    xy->SetName("Curve");
    xy->SetOPCAutoConnect(false);
    xy->SetOPCItemName("Rig.Pressure");
    xy->SetOPCItem2Name("Rig.Flow");
    xy->SetOPCScalar2(2.5);
    xy->SetOPCOffset2(-4);
    const std::string bytes = StreamOf(original);

    TkPlot copy(nullptr);
    ReadInto(copy, bytes);
    ASSERT_EQ(copy.GetChannelCount(), 2);
    EXPECT_NE(copy.Channel(0), nullptr);
    TkXYPlotChannel* read = copy.XYChannel(1);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetName(), "Curve");
    EXPECT_EQ(read->GetOPCItemName(), "Rig.Pressure");
    EXPECT_EQ(read->GetOPCItem2Name(), "Rig.Flow");
    EXPECT_EQ(read->GetOPCScalar2(), 2.5);
    EXPECT_EQ(read->GetOPCOffset2(), -4);
    EXPECT_EQ(StreamOf(copy), bytes);

    // A class no channel is of: the stream is refused, the chart kept.
    std::string unknown = bytes;
    const auto at = unknown.find("TkXYPlotChannel");
    ASSERT_NE(at, std::string::npos);
    unknown.replace(at, 15, "TkXYPlotChannex");
    const std::string before = StreamOf(original);
    EXPECT_THROW(ReadInto(original, unknown), EReadError);
    EXPECT_EQ(StreamOf(original), before);
}

// The plot's stream as it was before channels said their class there: its
// channels one by one, each a list of its properties alone.
std::string ChannelsWithoutTheirClass(const TkPlot& Plot)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WritePropName("ChannelManager");
    writer.WriteCollection(Plot.GetChannelCount(), [&](int Index) { return Plot.GetChannel(Index); });
    writer.WriteListEnd();
    return stream.Bytes();
}

// Such streams read as they always did: each channel is of the class the
// reading chart makes.
TEST(XYPlot, ChannelsOfAStreamWithoutTheirClassAreOfTheReadersClass)
{
    Application->Initialize();
    TkPlot traces(nullptr);
    traces.Channel(0)->SetName("Flow");
    traces.Channel(0)->SetColor(0x123456);
    TkPlot copy(nullptr);
    copy.AddChannel();
    ReadInto(copy, ChannelsWithoutTheirClass(traces));
    ASSERT_EQ(copy.GetChannelCount(), 1);
    ASSERT_NE(copy.Channel(0), nullptr);
    EXPECT_EQ(copy.Channel(0)->GetName(), "Flow");
    EXPECT_EQ(copy.Channel(0)->GetColor(), TColor(0x123456));

    TkPlot curves(nullptr);
    curves.DeleteChannel(0);
    curves.XYChannel(curves.AddXYChannel())->SetOPCItem2Name("Rig.Flow");
    TkPlot curvesCopy(nullptr);
    curvesCopy.GetMasterManager().SetChannelClass(PlotObjectClassOf<TkXYPlotChannel>());
    ReadInto(curvesCopy, ChannelsWithoutTheirClass(curves));
    ASSERT_EQ(curvesCopy.GetChannelCount(), 1);
    ASSERT_NE(curvesCopy.XYChannel(0), nullptr);
    EXPECT_EQ(curvesCopy.XYChannel(0)->GetOPCItem2Name(), "Rig.Flow");
}

}  // namespace
