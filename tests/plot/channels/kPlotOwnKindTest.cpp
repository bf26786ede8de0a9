// A kind of plot object described in this file alone, one class and one
// description, as a new kind is added: every plot takes it in, and its
// description alone decides how its objects are made, laid out, painted
// and stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlotComponentSupport.h"
#include "plot/core/kPlotDataView.h"
#include "rtl/MemoryStream.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedProperties.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "ui/Canvas.h"
#include "ui/RecordingCanvas.h"

namespace {

extern const TkPlotKind MarkerKind;

// A band along the data view, filled in one colour.
class TestMarker : public TkPlotLayoutObject {
public:
    TestMarker(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotLayoutObject(AOwner, Callbacks, MarkerKind)
    {
    }

    TkPlotMasterManager* Master = nullptr;
    int GetSize() const { return FSize; }
    void SetSize(int Value) { FSize = Value; }

    int GetRequiredSize(TCanvas*) override { return 12; }
    void Draw(TCanvas* Canvas, TColor) override
    {
        Canvas->Brush->SetColor(clFuchsia);
        Canvas->FillRect(GetDrawRect());
    }

protected:
    ~TestMarker() override = default;

private:
    int FSize = 0;
};

const bool Published = [] {
    RegisterPublishedClass<TestMarker, TkPlotLayoutObject>(
        "TestMarker",
        TPropertyListBuilder<TestMarker>().Integer("Size", &TestMarker::GetSize, &TestMarker::SetSize, 0).Take());
    return true;
}();

constinit const TkPlotKind MarkerKind{
    .Name = "Marker",
    .DefaultName = "Marker",
    .Order = 650,
    .NewManager = NewPlotKindManager<TestMarker>,
    .NewObject = NewPlotObject<TestMarker>,
    .Link = [](TkPlotObject& Object,
               TkPlotMasterManager& Master) { static_cast<TestMarker&>(Object).Master = &Master; },
    // A new marker is as large as the plot has channels.
    .FirstLinks =
        [](TkPlotObject& Object, TkPlotMasterManager& Master) {
            static_cast<TestMarker&>(Object).SetSize(Master.ChannelManager()->GetCount());
        },
    .Span = TkPlotLayoutSpan::DataView,
    .RelayoutOnChange = true,
    .Paint = [](const TkPlotObject&) { return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::InDataView, .Group = 'H'}; },
};

const bool Registered = RegisterPlotKind(MarkerKind);

std::string StreamOf(const TkPlotComponent& Plot)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRoot(&Plot);
    return stream.Bytes();
}

class OwnKind : public ::testing::Test {
protected:
    TestMarker* Marker(TkPlotComponent& Plot, int Index)
    {
        return static_cast<TestMarker*>(Plot.GetMasterManager().KindManager(MarkerKind)->GetObject(Index));
    }
    TestPlot plot;
};

TEST_F(OwnKind, EveryPlotTakesItInAtItsPlaceAmongTheKinds)
{
    std::vector<std::string> kinds;
    for (const TkPlotKindManager* m : plot.GetMasterManager().KindManagers())
        kinds.push_back(m->Kind().Name);
    EXPECT_EQ(kinds, (std::vector<std::string>{"ToolBar", "Legend", "Table", "XAxis", "YAxis", "Channel", "Marker",
                                               "DataView", "DataCursor", "Limit", "Label", "Annotation"}));

    std::vector<int> added;
    plot.KindEvents(MarkerKind).OnAdd = [&](int Index) { added.push_back(Index); };
    plot.AddChannel();
    plot.AddChannel();
    EXPECT_EQ(plot.GetMasterManager().Add(MarkerKind), 0);
    EXPECT_EQ(plot.GetMasterManager().Add(MarkerKind), 1);
    EXPECT_EQ(added, (std::vector<int>{0, 1}));
    TestMarker* marker = Marker(plot, 1);
    EXPECT_EQ(marker->GetName(), "Marker 2");
    EXPECT_EQ(marker->Master, &plot.GetMasterManager());
    EXPECT_EQ(marker->GetSize(), 2);
    EXPECT_GE(plot.GetMasterManager().LayoutManager()->IndexOf(marker), 0);
}

TEST_F(OwnKind, ItsDescriptionLaysItOutPaintsItAndStoresIt)
{
    plot.AddToolBar();
    plot.AddLegend();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddChannel();
    plot.AddDataView();
    plot.GetMasterManager().Add(MarkerKind);
    TestMarker* marker = Marker(plot, 0);
    marker->SetStartStopPercent(25, 75);
    marker->SetSize(7);
    plot.Y(0)->Required = 30;
    plot.X(0)->Required = 20;

    TRecordingCanvas canvas(TSize(plot.GetWidth(), plot.GetHeight()));
    plot.PaintToCanvas(&canvas);

    // Standing beside the data view, along the middle half of its height,
    // as the Y axis stands along all of it.
    const TRect y = plot.Y(0)->GetDrawRect();
    const TRect r = marker->GetDrawRect();
    EXPECT_EQ(r.Width(), 12);
    EXPECT_EQ(r.Top, y.Bottom - RoundToInt((y.Bottom - y.Top) * 0.75));
    EXPECT_EQ(r.Bottom, y.Bottom - RoundToInt((y.Bottom - y.Top) * 0.25));

    // Painted inside the data view, clipped to it.
    const TRect view = plot.View(0)->GetDrawRect();
    const std::vector<int> viewClip{view.Left, view.Top, view.Right + 1, view.Bottom + 1};
    std::vector<int> clip;
    int fills = 0;
    for (const TCanvasRecord& record : canvas.Records) {
        if (record.Op == TCanvasOp::SetClip)
            clip = record.Args;
        else if (record.Op == TCanvasOp::RemoveClip)
            clip.clear();
        else if (record.Op == TCanvasOp::FillRect && record.Brush.Color == clFuchsia) {
            ++fills;
            EXPECT_EQ(record.Args, (std::vector<int>{r.Left, r.Top, r.Right, r.Bottom}));
            EXPECT_EQ(clip, viewClip);
        }
    }
    EXPECT_EQ(fills, 1);

    // Stored with the plot under the name of its kind, and read back.
    const std::string bytes = StreamOf(plot);
    EXPECT_NE(bytes.find("MarkerManager"), std::string::npos);
    TestPlot copy;
    TMemoryStream stream(bytes);
    TReader reader(stream);
    reader.ReadRoot(&copy);
    ASSERT_EQ(copy.GetMasterManager().KindManager(MarkerKind)->GetCount(), 1);
    EXPECT_EQ(Marker(copy, 0)->GetName(), "Marker 1");
    EXPECT_EQ(Marker(copy, 0)->GetSize(), 7);
    EXPECT_EQ(StreamOf(copy), bytes);
}

}  // namespace
