// Limits and annotations in a plot: where the plot paints them, the
// plot's events by index, and the settings a new annotation takes from
// the plot.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "PlotComponentSupport.h"
#include "plot/channels/kPlotAnnotation.h"
#include "plot/channels/kPlotLimit.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/core/kPlotDataView.h"
#include "rtl/NumberFormat.h"
#include "ui/Bitmap.h"
#include "ui/RecordingCanvas.h"

namespace {

TEST(PlotLimitAnnotationEvents, ALimitsLineMovesReachThePlotWithItsIndexAndBothValues)
{
    TestPlot plot;
    std::vector<std::string> events;
    plot.OnLimitLine1PositionChange = [&](int i, double Old, double New) {
        events.push_back("1 of " + IntToStr(i) + ": " + FloatToStr(Old) + " > " + FloatToStr(New));
    };
    plot.OnLimitLine2PositionChange = [&](int i, double Old, double New) {
        events.push_back("2 of " + IntToStr(i) + ": " + FloatToStr(Old) + " > " + FloatToStr(New));
    };
    plot.AddLimit();
    auto* limit = static_cast<TkPlotLimit*>(plot.GetLimit(plot.AddLimit()));
    limit->SetLine1Position(7);
    limit->SetLine2Position(-1.5);
    limit->SetLine2Position(-1.5);
    EXPECT_EQ(events, (std::vector<std::string>{"1 of 1: 50 > 7", "2 of 1: 50 > -1.5"}));
}

TEST(PlotLimitAnnotationEvents, ANewAnnotationTakesThePlotsDefaultsAndReportsItsCoordinates)
{
    TestPlot plot;
    plot.SetAnnotationDefaultPenColor(clRed);
    plot.SetAnnotationDefaultPenWidth(3);
    plot.SetAnnotationDefaultBrushStlye(bsCross);
    plot.SetAnnotationDefaultReference(kprtXChannelYDataView);
    plot.SetAnnotationDefaultReferenceIndividual(3, kpriChannel);
    plot.GetAnnotationDefaultFont()->SetColor(clLime);
    std::vector<int> changes;
    plot.OnAnnotationCoordinatesChange = [&](int i) { changes.push_back(i); };

    plot.AddAnnotation();
    auto* annotation = static_cast<TkPlotAnnotation*>(plot.GetAnnotation(plot.AddAnnotation()));
    EXPECT_EQ(annotation->GetPenColor(), clRed);
    EXPECT_EQ(annotation->GetPenWidth(), 3);
    EXPECT_EQ(annotation->GetBrushStyle(), bsCross);
    EXPECT_EQ(annotation->GetReference(), kprtXChannelYDataView);
    EXPECT_EQ(annotation->GetReferenceSizeY(), kpriChannel);
    EXPECT_EQ(annotation->GetReferenceSizeX(), kpriAuto);
    EXPECT_EQ(annotation->GetFont()->GetColor(), clLime);
    annotation->SetX(3);
    annotation->SetHeight(2);
    annotation->SetHeight(2);
    EXPECT_EQ(changes, (std::vector<int>{1, 1}));
}

TEST(PlotLimitAnnotationEvents, AFilledBandLiesUnderTheTracesAndAnAnnotationOverThemAtTheViewsCentre)
{
    TestPlot plot;
    // The plot paints once it has a toolbar, a legend and a data view.
    plot.AddToolBar();
    plot.AddLegend();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddDataView();
    auto* channel = static_cast<TkPlotChannel*>(plot.GetChannel(plot.AddChannel()));
    channel->SetColor(clBlue);
    channel->AddXY(10, 20);
    channel->AddXY(60, 80);
    // A new limit is drawn against the first axes.
    auto* band = static_cast<TkPlotLimit*>(plot.GetLimit(plot.AddLimit()));
    band->SetStyle(kplsBandY);
    band->SetColor(clMaroon);
    band->SetLine1Position(30);
    band->SetLine2Position(40);
    auto* note = static_cast<TkPlotAnnotation*>(plot.GetAnnotation(plot.AddAnnotation()));
    note->SetStyle(kpasRectangle);
    note->SetPenColor(clFuchsia);
    note->SetX(50);
    note->SetY(50);
    note->SetWidth(10);
    note->SetHeight(10);

    TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
    plot.PaintToCanvas(&canvas);
    auto first = [&](auto Match) {
        return std::find_if(canvas.Records.begin(), canvas.Records.end(), Match) - canvas.Records.begin();
    };
    const auto count = static_cast<long>(canvas.Records.size());
    const long bandAt = first([](const TCanvasRecord& r) { return r.Brush.Color == clMaroon; });
    const long traceAt = first([](const TCanvasRecord& r) { return r.Pen.Color == clBlue; });
    const long noteAt = first([](const TCanvasRecord& r) { return r.Pen.Color == clFuchsia; });
    ASSERT_LT(bandAt, count);
    ASSERT_LT(traceAt, count);
    ASSERT_LT(noteAt, count);
    EXPECT_LT(bandAt, traceAt);
    EXPECT_LT(traceAt, noteAt);
    const TRect view = static_cast<TkPlotDataView*>(plot.GetDataView(0))->GetDrawRect();
    const std::vector<int>& box = canvas.Records[noteAt].Args;
    EXPECT_NEAR((box[0] + box[2]) / 2.0, (view.Left + view.Right) / 2.0, 1);
    EXPECT_NEAR((box[1] + box[3]) / 2.0, (view.Top + view.Bottom) / 2.0, 1);
}

// A hatched rectangle over the middle of the view hides what lies beneath
// it: its gaps show the plot's background, not the trace or the grid.
TEST(PlotLimitAnnotationEvents, AHatchedAnnotationFillsItsGapsWithTheBackground)
{
    TestPlot plot;
    plot.AddToolBar();
    plot.AddLegend();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddDataView();
    plot.SetBackGroundColor(clWhite);
    auto* channel = static_cast<TkPlotChannel*>(plot.GetChannel(plot.AddChannel()));
    channel->SetColor(clBlue);
    channel->SetTraceLineWidth(3);
    for (int i = 0; i <= 100; ++i)
        channel->AddXY(i, i % 2 ? 90 : 10);
    auto* note = static_cast<TkPlotAnnotation*>(plot.GetAnnotation(plot.AddAnnotation()));
    note->SetStyle(kpasRectangle);
    note->SetPenStyle(psClear);
    note->SetBrushColor(clRed);
    note->SetBrushStyle(bsClear);
    note->SetX(50);
    note->SetY(50);
    note->SetWidth(60);
    note->SetHeight(60);

    // The colours inside the box (its edges left out), by count.
    auto inside = [&] {
        TBitmap bitmap(plot.GetWidth(), plot.GetHeight());
        plot.PaintToCanvas(bitmap.Canvas);
        const TRect box = note->GetDrawnRect();
        std::map<TColor, int> colours;
        for (int y = box.Top + 1; y < box.Bottom - 1; ++y)
            for (int x = box.Left + 1; x < box.Right - 1; ++x)
                ++colours[bitmap.Canvas->Pixels[x][y]];
        return colours;
    };
    // Unfilled, the trace shows.
    ASSERT_GT(inside()[clBlue], 100);
    note->SetBrushStyle(bsDiagCross);
    std::map<TColor, int> colours = inside();
    EXPECT_GT(colours[clRed], 100);
    EXPECT_GT(colours[clWhite], 100);
    colours.erase(clRed);
    colours.erase(clWhite);
    EXPECT_TRUE(colours.empty()) << colours.size() << " other colours, " << colours[clBlue] << " pixels of the trace";
}

// A line at no value (NaN, as a file or a program may set it) is drawn
// nowhere, and a press in select mode where a drawn line's grip would lie,
// at the plot's left or top edge, neither takes it nor moves it.
TEST(PlotLimitAnnotationEvents, ALineAtNoValueCannotBeGrabbed)
{
    TestPlot plot;
    plot.AddToolBar();
    plot.AddLegend();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddDataView();
    plot.SetSelectMode(true);
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        TkPlotLimitStyle Style;
        double Line1, Line2;
    } cases[] = {{kplsLineX, NaN, NaN}, {kplsLineY, NaN, NaN}, {kplsBandX, NaN, 60}, {kplsBandY, 30, NaN}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Style);
        auto* limit = static_cast<TkPlotLimit*>(plot.GetLimit(plot.AddLimit()));
        limit->SetStyle(c.Style);
        limit->SetFillStyle(bsClear);
        limit->SetLine1Position(c.Line1);
        limit->SetLine2Position(c.Line2);
        limit->SetUserCanMove(true);
        TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
        plot.PaintToCanvas(&canvas);
        const TRect view = static_cast<TkPlotDataView*>(plot.GetDataView(0))->GetDrawRect();
        const bool x = c.Style == kplsLineX || c.Style == kplsBandX;
        for (TPoint p : {Point(0, 0), Point(3, 3),
                         x ? Point(3, (view.Top + view.Bottom) / 2) : Point((view.Left + view.Right) / 2, 3)}) {
            SCOPED_TRACE(testing::Message() << "at " << p.X << ", " << p.Y);
            EXPECT_NE(plot.ObjectAt(p), limit);
            plot.HandleMouseDown(mbLeft, ssLeft, p.X, p.Y);
            plot.HandleMouseMove(ssLeft, p.X + 40, p.Y + 40);
            plot.HandleMouseUp(mbLeft, 0, p.X + 40, p.Y + 40);
            EXPECT_FALSE(limit->GetFocused());
            EXPECT_EQ(std::isnan(limit->GetLine1Position()), std::isnan(c.Line1));
            EXPECT_EQ(std::isnan(limit->GetLine2Position()), std::isnan(c.Line2));
        }
        plot.DeleteLimit(0);
    }
}

}  // namespace
