// The plot component: its objects by kind with their events, its
// properties, its paint, and its form data.
#include <algorithm>
#include <gtest/gtest.h>

#include <memory>

#include "PlotComponentSupport.h"
#include "plot/channels/kPlotAnnotation.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotLimit.h"
#include "plot/channels/kPlotTable.h"
#include "plot/core/kPlotDataView.h"
#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "ui/Bitmap.h"
#include "ui/ImageList.h"
#include "ui/RecordingCanvas.h"

namespace {

std::string StreamOf(const TkPlotComponent& Plot)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRoot(&Plot);
    return stream.Bytes();
}

void ReadInto(TkPlotComponent& Plot, const std::string& Bytes)
{
    TMemoryStream stream(Bytes);
    TReader reader(stream);
    reader.ReadRoot(&Plot);
}

TEST(PlotComponent, ANewPlotHasNoObjectsAndItsDefaults)
{
    TestPlot plot;
    EXPECT_EQ(plot.GetWidth(), 500);
    EXPECT_EQ(plot.GetHeight(), 200);
    EXPECT_EQ(plot.GetBackGroundColor(), TColor(0));
    EXPECT_EQ(plot.GetBorderStyle(), kbsLowered);
    EXPECT_TRUE(plot.GetAutoFrameRate());
    for (int count : {plot.GetChannelCount(), plot.GetXAxisCount(), plot.GetYAxisCount(), plot.GetDataViewCount(),
                      plot.GetDataCursorCount(), plot.GetLegendCount(), plot.GetTableCount(), plot.GetToolBarCount(),
                      plot.GetAnnotationCount(), plot.GetLimitCount(), plot.GetLabelCount()})
        EXPECT_EQ(count, 0);
    // The title proxies have no label to read or write yet.
    EXPECT_EQ(plot.GetTitleText(), "");
    EXPECT_FALSE(plot.GetTitleVisible());
    plot.SetTitleText("Pressure");
    EXPECT_EQ(plot.GetTitleText(), "");
    EXPECT_EQ(plot.GetAnnotationDefaultFont()->GetColor(), clWhite);
    EXPECT_EQ(plot.GetImageList(0)->GetWidth(), 24);
}

TEST(PlotComponent, EachKindIsAddedDeletedAndRemovedWithItsEvents)
{
    TestPlot plot;
    std::vector<std::string> events;
    plot.OnAddChannel = [&](int i) { events.push_back("add channel " + std::to_string(i)); };
    plot.OnRemoveChannel = [&](int i) { events.push_back("remove channel " + std::to_string(i)); };
    plot.OnAddXAxis = [&](int i) { events.push_back("add x " + std::to_string(i)); };
    plot.OnRemoveXAxis = [&](int i) { events.push_back("remove x " + std::to_string(i)); };
    plot.OnAddTable = [&](int i) { events.push_back("add table " + std::to_string(i)); };
    plot.OnRemoveTable = [&](int i) { events.push_back("remove table " + std::to_string(i)); };
    plot.OnAddAnnotation = [&](int i) { events.push_back("add annotation " + std::to_string(i)); };

    EXPECT_EQ(plot.AddXAxis(), 0);
    EXPECT_EQ(plot.AddChannel(), 0);
    EXPECT_EQ(plot.AddChannel(), 1);
    EXPECT_EQ(plot.AddChannel(), 2);
    EXPECT_EQ(plot.AddTable(), 0);
    EXPECT_EQ(plot.AddAnnotation(), 0);
    plot.DeleteChannel(1);
    EXPECT_EQ(plot.GetChannelCount(), 2);
    EXPECT_EQ(plot.GetChannel(1)->GetName(), "Channel 3");
    plot.RemoveAllChannels();
    plot.RemoveAllXAxes();
    plot.DeleteTable(0);
    EXPECT_EQ(plot.GetChannelCount(), 0);
    EXPECT_EQ(plot.GetXAxisCount(), 0);
    const std::vector<std::string> expected = {"add x 0",          "add channel 0",    "add channel 1",
                                               "add channel 2",    "add table 0",      "add annotation 0",
                                               "remove channel 1", "remove channel 0", "remove channel 0",
                                               "remove x 0",       "remove table 0"};
    EXPECT_EQ(events, expected);
    EXPECT_THROW(plot.DeleteChannel(0), Exception);
}

TEST(PlotComponent, EveryKindHasItsOwnAccess)
{
    TestPlot plot;
    EXPECT_EQ(plot.AddToolBar(), 0);
    EXPECT_EQ(plot.AddLegend(), 0);
    EXPECT_EQ(plot.AddTable(), 0);
    EXPECT_EQ(plot.AddXAxis(), 0);
    EXPECT_EQ(plot.AddYAxis(), 0);
    EXPECT_EQ(plot.AddDataView(), 0);
    EXPECT_EQ(plot.AddChannel(), 0);
    EXPECT_EQ(plot.AddDataCursor(), 0);
    EXPECT_EQ(plot.AddLimit(), 0);
    EXPECT_EQ(plot.AddLabel(), 0);
    EXPECT_EQ(plot.AddAnnotation(), 0);
    EXPECT_EQ(plot.GetToolBar(0)->Kind(), TkPlotObjectKind::ToolBar);
    EXPECT_EQ(plot.GetLegend(0)->Kind(), TkPlotObjectKind::Legend);
    EXPECT_EQ(plot.GetTable(0)->Kind(), TkPlotObjectKind::Table);
    EXPECT_EQ(plot.GetDataView(0)->Kind(), TkPlotObjectKind::DataView);
    EXPECT_EQ(plot.GetDataCursor(0)->Kind(), TkPlotObjectKind::DataCursor);
    EXPECT_EQ(plot.GetLimit(0)->Kind(), TkPlotObjectKind::Limit);
    EXPECT_EQ(plot.GetAnnotation(0)->Kind(), TkPlotObjectKind::Annotation);
    EXPECT_EQ(plot.GetXAxisByName("x-axis 1"), plot.GetXAxis(0));
    EXPECT_EQ(plot.GetYAxisByName("Y-AXIS 1"), plot.GetYAxis(0));
    EXPECT_EQ(plot.GetChannelByName("channel 1"), plot.GetChannel(0));
    EXPECT_EQ(plot.GetChannelIndexByName("CHANNEL 1"), 0);
    EXPECT_EQ(plot.GetChannelIndexByName("Channel 9"), -1);
    EXPECT_EQ(plot.GetXAxisByName("nothing"), nullptr);

    for (auto remove :
         {&TkPlotComponent::RemoveAllToolBars, &TkPlotComponent::RemoveAllLegends, &TkPlotComponent::RemoveAllTables,
          &TkPlotComponent::RemoveAllXAxes, &TkPlotComponent::RemoveAllYAxes, &TkPlotComponent::RemoveAllDataViews,
          &TkPlotComponent::RemoveAllDataCursors, &TkPlotComponent::RemoveAllChannels,
          &TkPlotComponent::RemoveAllAnnotations, &TkPlotComponent::RemoveAllLimits})
        (plot.*remove)();
    EXPECT_EQ(plot.GetObjectManager()->GetCount(), 1 + 2);  // the label and the two placeholders
}

TEST(PlotComponent, TrackingIsSwitchedForEveryAxis)
{
    TestPlot plot;
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddYAxis();
    plot.DisableAllTracking();
    EXPECT_FALSE(plot.GetXAxis(0)->GetTrackingEnabled());
    EXPECT_FALSE(plot.GetYAxis(0)->GetTrackingEnabled());
    EXPECT_FALSE(plot.GetYAxis(1)->GetTrackingEnabled());
    plot.EnableAllTracking();
    EXPECT_TRUE(plot.GetXAxis(0)->GetTrackingEnabled());
    EXPECT_TRUE(plot.GetYAxis(1)->GetTrackingEnabled());
}

TEST(PlotComponent, TheTitleLabelStays)
{
    TestPlot plot;
    plot.AddLabel();
    plot.AddLabel();
    plot.AddLabel();
    EXPECT_THROW(
        {
            try {
                plot.DeleteLabel(0);
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message, "Label Index 0 can not be Deleted (Resevered for Title)");
                throw;
            }
        },
        Exception);
    EXPECT_EQ(plot.GetLabelCount(), 3);
    plot.RemoveAllLabels();
    ASSERT_EQ(plot.GetLabelCount(), 1);
    EXPECT_EQ(plot.GetLabel(0)->GetName(), "Label 1");
    // The title proxies now reach label 0.
    EXPECT_TRUE(plot.GetTitleVisible());
    plot.SetTitleVisible(false);
    EXPECT_FALSE(plot.GetLabel(0)->GetVisible());
    plot.SetTitleText("Pressure");
    EXPECT_EQ(static_cast<TkPlotLabel*>(plot.GetLabel(0))->GetCaption(), "Pressure");
    EXPECT_EQ(plot.GetTitleText(), "Pressure");
}

TEST(PlotComponent, TranslationsAreDeletedAndRemoved)
{
    TestPlot plot;
    for (int i = 0; i < 3; ++i)
        plot.GetTranslationManager()->Add();
    plot.GetTranslationManager()->GetItem(0)->SetOriginalString("Edit...");
    plot.GetTranslationManager()->GetItem(0)->SetReplacementString("编辑...");
    EXPECT_EQ(plot.TranslateText("Edit..."), "编辑...");
    plot.DeleteTranslation(0);
    EXPECT_EQ(plot.GetTranslationManager()->GetCount(), 2);
    EXPECT_EQ(plot.TranslateText("Edit..."), "Edit...");
    plot.RemoveAllTranslations();
    EXPECT_EQ(plot.GetTranslationManager()->GetCount(), 0);
}

TEST(PlotComponent, LoggingGuardsItsFileSettings)
{
    TestPlot plot;
    plot.SetLogFileName("a.txt");
    plot.SetDataFileFormat(kpdffCompactInterval);
    plot.SetDataFileColumnSeparator(kpdfcsComma);
    EXPECT_EQ(plot.GetLogFileName(), "a.txt");
    EXPECT_EQ(plot.GetDataFileFormat(), kpdffCompactInterval);
    EXPECT_EQ(plot.GetDataFileColumnSeparator(), kpdfcsComma);
}

TEST(PlotComponent, AxisEventsFireWithTheAxisIndexInItsKind)
{
    TestPlot plot;
    plot.AddXAxis();
    plot.AddXAxis();
    plot.AddYAxis();
    std::vector<std::string> seen;
    plot.OnXAxisMinChange = [&](int i, double o, double n) {
        seen.push_back("x min " + std::to_string(i) + " " + std::to_string(int(o)) + ">" + std::to_string(int(n)));
    };
    plot.OnYAxisSpanChange = [&](int i, double, double n) {
        seen.push_back("y span " + std::to_string(i) + " " + std::to_string(int(n)));
    };
    plot.OnYAxisMinSpanChange = [&](int i, double, double, double m, double s) {
        seen.push_back("y minspan " + std::to_string(i) + " " + std::to_string(int(m)) + "," + std::to_string(int(s)));
    };
    plot.OnXAxisCustomizeLabel = [&](int i, double, std::string& label) { label = "x" + std::to_string(i) + label; };
    plot.DoAxisMinChange(plot.GetXAxis(1), 1, 2);
    plot.DoAxisMinChange(plot.GetYAxis(0), 1, 2);  // no OnYAxisMinChange
    plot.DoAxisSpanChange(plot.GetYAxis(0), 10, 20);
    plot.DoAxisMinSpanChange(plot.GetYAxis(0), 0, 10, 5, 15);
    std::string label = "7";
    plot.DoAxisCustomizeLabel(plot.GetXAxis(1), 7, label);
    EXPECT_EQ(label, "x17");
    const std::vector<std::string> expected = {"x min 1 1>2", "y span 0 20", "y minspan 0 5,15"};
    EXPECT_EQ(seen, expected);
}

TEST(PlotComponent, AClickIsADoubleClickOnlyWhenOnePendsAndItsEventIsAssigned)
{
    TestPlot plot;
    plot.AddYAxis();
    std::vector<std::string> seen;
    plot.OnClickYAxis = [&](int) { seen.push_back("click"); };
    plot.DoObjectClick(plot.GetYAxis(0));
    plot.HandleDblClick();
    plot.DoObjectClick(plot.GetYAxis(0));  // no OnDblClickYAxis: a click
    plot.OnDblClickYAxis = [&](int) { seen.push_back("double"); };
    plot.DoObjectClick(plot.GetYAxis(0));
    plot.DoObjectClick(plot.GetYAxis(0));  // the pending double click was used up
    const std::vector<std::string> expected = {"click", "click", "double", "click"};
    EXPECT_EQ(seen, expected);
}

// ---------------------------------------------------------------- painting

class Painting : public ::testing::Test {
protected:
    void FullPlot()
    {
        plot.AddToolBar();
        plot.AddLegend();
        plot.AddXAxis();
        plot.AddYAxis();
        plot.AddChannel();
        plot.AddDataView();
        plot.AddDataCursor();
        plot.AddLabel();
    }
    std::vector<TCanvasRecord> Paint()
    {
        TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
        plot.PaintToCanvas(&canvas);
        return canvas.Records;
    }
    TestPlot plot;
};

TEST_F(Painting, ADefaultPlotPaintsItsBackgroundLaysOutAndReportsThePaint)
{
    FullPlot();
    int after = 0;
    plot.OnAfterPaint = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &plot);
        ++after;
    };
    const std::vector<TCanvasRecord> records = Paint();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().Op, TCanvasOp::FillRect);
    EXPECT_EQ(records.front().Args, (std::vector<int>{0, 0, 500, 200}));
    EXPECT_EQ(records.front().Brush.Color, TColor(0));
    EXPECT_EQ(after, 1);
    // The paint laid the objects out.
    EXPECT_FALSE(IsRectEmpty(plot.View(0)->GetDrawRect()));

    // And on a real bitmap, offscreen (without the grid, whose lines may
    // cross the centre).
    static_cast<TkPlotDataView*>(plot.GetDataView(0))->SetGridShow(false);
    TBitmap bitmap(500, 200);
    plot.PaintBuffered(bitmap.Canvas);
    EXPECT_EQ(bitmap.Canvas->GetPixel(250, 100), TColor(0));
    EXPECT_EQ(after, 2);
}

TEST_F(Painting, ObjectsInsideTheDataViewAreClippedToItOneByOne)
{
    FullPlot();
    const std::vector<TCanvasRecord> records = Paint();
    const TRect view = plot.View(0)->GetDrawRect();
    int clips = 0;
    for (const TCanvasRecord& r : records)
        if (r.Op == TCanvasOp::SetClip &&
            r.Args == std::vector<int>{view.Left, view.Top, view.Right + 1, view.Bottom + 1})
            ++clips;
    EXPECT_GE(clips, 1);  // at least the data view itself
}

// A plot that lost its toolbar, legend or data view has no chart to draw,
// but its face is still painted rather than left as whatever was there.
TEST_F(Painting, APlotMissingAToolBarALegendOrADataViewStillPaintsItsBackground)
{
    FullPlot();
    plot.DeleteToolBar(0);
    int after = 0;
    plot.OnAfterPaint = [&](TObject*) { ++after; };
    std::vector<TCanvasRecord> records = Paint();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().Op, TCanvasOp::FillRect);
    EXPECT_EQ(records.front().Args, (std::vector<int>{0, 0, 500, 200}));
    EXPECT_EQ(after, 0);

    plot.AddToolBar();
    plot.RemoveAllDataViews();
    records = Paint();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().Op, TCanvasOp::FillRect);
}

TEST_F(Painting, AGradientBackgroundIsClippedToTheClient)
{
    FullPlot();
    plot.SetBackGroundGradientEnabled(true);
    const std::vector<TCanvasRecord> records = Paint();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().Op, TCanvasOp::SetClip);
    EXPECT_EQ(records.front().Args, (std::vector<int>{0, 0, 500, 200}));
}

// Each paint lets the data cursors read their channels afresh and draw in
// the plot's first data view, and tells the first legend whether a cursor
// wants every channel's readout in it.
TEST_F(Painting, DataCursorsReadAndDrawInTheFirstViewAndMayFillTheLegendsValues)
{
    plot.AddToolBar();
    plot.AddLegend();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddChannel();
    plot.AddDataCursor();  // before any data view
    plot.AddDataView();
    auto* cursor = static_cast<TkPlotDataCursor*>(plot.GetDataCursor(0));
    ASSERT_EQ(cursor->GetDataView(), nullptr);
    std::vector<int> updates;
    plot.OnBeforeDataCursorUpdate = [&](int i) { updates.push_back(i); };
    Paint();
    EXPECT_EQ(cursor->GetDataView(), plot.GetDataView(0));
    EXPECT_EQ(updates, std::vector<int>{0});
    EXPECT_FALSE(plot.Legend(0)->GetCursorValuesMode());

    cursor->SetChannelAllowAll(true);
    cursor->SetChannelName("<all>");
    cursor->SetChannelShowAllInLegend(true);
    Paint();
    EXPECT_FALSE(plot.Legend(0)->GetCursorValuesMode());  // the cursor is hidden
    cursor->SetVisible(true);
    Paint();
    EXPECT_TRUE(plot.Legend(0)->GetCursorValuesMode());
    cursor->SetChannelShowAllInLegend(false);
    updates.clear();
    Paint();
    EXPECT_FALSE(plot.Legend(0)->GetCursorValuesMode());
    // A shown cursor reads again as it draws, now in its view.
    ASSERT_FALSE(updates.empty());
    EXPECT_EQ(std::count(updates.begin(), updates.end(), 0), static_cast<long>(updates.size()));
}

// ---------------------------------------------------------------- form data

class FormData : public ::testing::Test {
protected:
    void EveryKind(TestPlot& p)
    {
        p.AddToolBar();
        p.AddLegend();
        p.AddTable();
        p.AddXAxis();
        p.AddYAxis();
        p.AddYAxis();
        p.AddChannel();
        p.AddChannel();
        p.AddDataView();
        p.AddDataCursor();
        p.AddLimit();
        p.AddLabel();
        p.AddAnnotation();
        p.Y(1)->SetStartStopPercent(50, 100);
        p.Y(1)->SetLayer(7);
        p.GetChannel(1)->SetName("Flow");
        for (const char* text : {"A", "B", "C"}) {
            TkPlotTranslationObject* pair = p.GetTranslationManager()->Add();
            pair->SetOriginalString(text);
            pair->SetReplacementString(std::string(text) + "!");
        }
        TBitmap image(24, 24);
        image.Canvas->Brush->SetColor(clRed);
        image.Canvas->FillRect(TRect(0, 0, 24, 24));
        p.GetImageList(1)->Add(&image, nullptr);
        p.SetDataViewZHorz(4);
        p.SetHintsPause(800);
        p.SetOuterMarginLeft(9);
    }
};

TEST_F(FormData, APlotWithEveryKindReadsBackIntoAnEqualPlot)
{
    TestPlot original;
    EveryKind(original);
    const std::string bytes = StreamOf(original);

    TestPlot copy;
    copy.AddChannel();  // replaced by what the stream holds
    ReadInto(copy, bytes);
    EXPECT_EQ(StreamOf(copy), bytes);
    EXPECT_EQ(copy.GetChannelCount(), 2);
    EXPECT_EQ(copy.GetChannel(1)->GetName(), "Flow");
    EXPECT_EQ(copy.GetYAxisCount(), 2);
    EXPECT_EQ(copy.GetYAxis(1)->GetLayer(), 7);
    EXPECT_EQ(copy.GetYAxis(1)->GetZOrder(), original.GetYAxis(1)->GetZOrder());
    EXPECT_EQ(copy.GetDataViewZHorz(), 4);
    EXPECT_EQ(copy.GetHintsPause(), 800);
    EXPECT_EQ(copy.GetOuterMarginLeft(), 9);
    EXPECT_EQ(copy.GetImageList(1)->GetCount(), 1);
    EXPECT_EQ(copy.GetImageList(0)->GetCount(), 0);
    EXPECT_EQ(copy.GetAnnotationCount(), 0);  // annotations are not form data
    // The translation pairs keep their order, so the same one wins.
    ASSERT_EQ(copy.GetTranslationManager()->GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(copy.GetTranslationManager()->GetItem(i)->GetOriginalString(),
                  original.GetTranslationManager()->GetItem(i)->GetOriginalString());
}

TEST_F(FormData, ATruncatedOrCorruptStreamRaisesAReadErrorAndLeavesThePlotAsItWas)
{
    TestPlot source;
    EveryKind(source);
    const std::string bytes = StreamOf(source);

    TestPlot target;
    target.AddXAxis();
    target.AddChannel();
    target.SetHintsPause(300);
    const std::string before = StreamOf(target);

    EXPECT_THROW(ReadInto(target, bytes.substr(0, bytes.size() / 2)), EReadError);
    EXPECT_EQ(StreamOf(target), before);

    // Whole in structure, but an object's property that no object has: the
    // read gets part way, then everything is put back.
    std::string corrupt = bytes;
    const std::string name = "Layer";
    const auto at = corrupt.rfind(name);
    ASSERT_NE(at, std::string::npos);
    corrupt.replace(at, name.size(), "Lxyer");
    EXPECT_THROW(ReadInto(target, corrupt), EReadError);
    EXPECT_EQ(StreamOf(target), before);
    EXPECT_EQ(target.GetChannelCount(), 1);
    EXPECT_EQ(target.GetHintsPause(), 300);
}

TEST_F(FormData, BadImageListDataIsAReadError)
{
    TestPlot source;
    EveryKind(source);
    std::string bytes = StreamOf(source);
    const std::string signature = std::string("KIL") + char(1);
    const auto at = bytes.find(signature);
    ASSERT_NE(at, std::string::npos);
    bytes[at] = 'X';
    TestPlot target;
    const std::string before = StreamOf(target);
    try {
        ReadInto(target, bytes);
        ADD_FAILURE() << "no read error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "Failed to read ImageList data from stream");
    }
    EXPECT_EQ(StreamOf(target), before);
}

}  // namespace
