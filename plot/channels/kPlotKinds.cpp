#include "plot/channels/kPlotKinds.h"

#include <algorithm>
#include <iterator>

#include "plot/channels/kPlotAnnotation.h"
#include "plot/channels/kPlotAxisLink.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/channels/kPlotLimit.h"
#include "plot/channels/kPlotTable.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotMasterManager.h"
#include "rtl/StrUtils.h"

namespace {

// The first palette colour that the fewest channels use (the new one
// included, with the colour it has so far); red while there is one channel.
TColor NextChannelColor(const TkPlotChannelManager& Channels)
{
    static constexpr TColor Palette[] = {
        0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080, 0x008000, 0x008080,
        0x800000, 0x800080, 0x808000, 0x808080, 0x0000C0, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000,
        0xC0C0C0, 0x0080FF, 0x8000FF, 0x8080FF, 0xFF0080, 0xFF8000, 0xFF8080, 0x00FF80, 0x80FF00, 0x80FF80,
    };
    if (Channels.GetCount() < 2)
        return Palette[0];
    int counts[std::size(Palette)] = {};
    for (int i = 0; i < Channels.GetCount(); ++i) {
        const TColor c = Channels.GetItem(i)->GetColor();
        for (std::size_t p = 0; p < std::size(Palette); ++p)
            if (Palette[p] == c)
                ++counts[p];
    }
    const std::size_t best = std::min_element(std::begin(counts), std::end(counts)) - std::begin(counts);
    return Palette[best];
}

TPenStyle PenStyleOf(TkPlotLineStyle Style)
{
    switch (Style) {
    case kplsDash: return psDash;
    case kplsDot: return psDot;
    case kplsDashDot: return psDashDot;
    case kplsDashDotDot: return psDashDotDot;
    default: return psSolid;
    }
}

TkPlotLegendChannelData LegendData(TkPlotChannelCustom& Channel)
{
    TkPlotLegendChannelData d;
    d.VisibleInLegend = Channel.GetVisibleInLegend();
    d.Count = Channel.GetCount();
    d.LastX = Channel.GetLastX();
    d.LastY = Channel.GetLastY();
    d.YMax = Channel.GetYMax();
    d.YMin = Channel.GetYMin();
    d.YMean = Channel.GetYMean();
    d.TraceLineStyle = PenStyleOf(Channel.GetTraceLineStyle());
    if (auto* trace = dynamic_cast<TkPlotChannel*>(&Channel)) {
        d.CursorXText = trace->GetCursorXText();
        d.CursorYText = trace->GetCursorYText();
    }
    return d;
}

TkPlotLegendChannelLink LegendChannelLink()
{
    TkPlotLegendChannelLink link;
    link.Data = LegendData;
    // A channel drawn without markers leaves its marker cell empty.
    link.DrawMarker = [](TkPlotChannelCustom& Channel, TCanvas* Canvas, const TRect& Cell) {
        if (Channel.GetMarkersVisible())
            Channel.DrawLegendMarker(Canvas, Cell);
    };
    link.SetLegendRect = [](TkPlotChannelCustom& Channel, const TRect& Cell) { Channel.SetLegendRect(Cell); };
    return link;
}

void BindLegends(TkPlotMasterManager& Master)
{
    TkPlotChannelManager* channels = Master.ChannelManager();
    Master.LegendManager()->SetObjectClass(
        [channels](TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks) {
            auto* legend = new TkPlotLegend(Owner, Callbacks);
            legend->Channels = channels;
            legend->ChannelLink = LegendChannelLink();
            return static_cast<TkPlotObject*>(legend);
        });
    Master.LegendManager()->SetCursorValuesModeSetter(
        [](TkPlotObject* Legend, bool On) { static_cast<TkPlotLegend*>(Legend)->SetCursorValuesMode(On); });
}

void BindDataCursors(TkPlotMasterManager& Master)
{
    TkPlotDataCursorManager* cursors = Master.DataCursorManager();
    cursors->SetObjectClass([cursors](TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks) {
        auto* cursor = new TkPlotDataCursor(Owner, Callbacks);
        cursor->Channels = cursors->ChannelManager;
        return static_cast<TkPlotObject*>(cursor);
    });
    cursors->SetFirstLinks([cursors](TkPlotObject* Object) {
        auto* cursor = static_cast<TkPlotDataCursor*>(Object);
        if (cursors->DataViewManager && cursors->DataViewManager->HasObjects())
            cursor->SetDataView(cursors->DataViewManager->GetItem(0));
        if (cursors->ChannelManager && cursors->ChannelManager->HasObjects())
            cursor->SetChannelName(cursors->ChannelManager->GetObject(0)->GetName());
    });
    cursors->SetReadoutUpdate([](TkPlotObject* Object) {
        auto* cursor = static_cast<TkPlotDataCursor*>(Object);
        cursor->UpdateValues();
        return cursor->GetVisible() && SameText(cursor->GetChannelName(), TkPlotDataCursor::AllChannels) &&
               cursor->GetChannelShowAllInLegend();
    });
    cursors->SetViewBinder(
        [](TkPlotObject* Cursor, TkPlotDataView* View) { static_cast<TkPlotDataCursor*>(Cursor)->SetDataView(View); });
}

}  // namespace

void RegisterPlotKinds(TkPlotMasterManager& Master)
{
    TkPlotMasterManager* master = &Master;
    Master.ToolBarManager()->SetObjectClass([master](TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks) {
        auto* toolbar = new TkPlotToolBar(Owner, Callbacks);
        toolbar->Master = master;
        return static_cast<TkPlotObject*>(toolbar);
    });
    BindLegends(Master);
    Master.ToolBarManager()->SetModes(
        {[](const TkPlotObject* Bar) { return static_cast<const TkPlotToolBar*>(Bar)->GetZoomBoxDown(); },
         [](const TkPlotObject* Bar) { return static_cast<const TkPlotToolBar*>(Bar)->GetSelectDown(); },
         [](TkPlotObject* Bar) { static_cast<TkPlotToolBar*>(Bar)->ClickSelect(); }});
    Master.TableManager()->SetObjectClass(PlotObjectClassOf<TkPlotTable>());
    Master.AnnotationManager()->SetObjectClass(PlotObjectClassOf<TkPlotAnnotation>());

    TkPlotChannelManager* channels = Master.ChannelManager();
    channels->SetObjectClass([&Master](TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks) {
        auto* channel = new TkPlotChannel(Owner, Callbacks);
        channel->AxisFinder = PlotAxisFinder(Master);
        return static_cast<TkPlotObject*>(channel);
    });
    channels->SetDataClearer([](TkPlotObject* Object) { static_cast<TkPlotChannelCustom*>(Object)->Clear(); });
    channels->SetDataExtent(
        [](TkPlotObject* Object, const TkPlotObject* Axis, bool Running, double& Minimum, double& Maximum) {
            static_cast<TkPlotChannelCustom*>(Object)->NarrowToAxisExtent(Axis->Kind(), Axis->GetName(), Running,
                                                                          Minimum, Maximum);
        });
    channels->SetFirstLinks([channels](TkPlotObject* Object) {
        auto* channel = static_cast<TkPlotChannelCustom*>(Object);
        channel->SetTitleText(channel->GetName());
        channel->SetColor(NextChannelColor(*channels));
        if (channels->HasXAxis())
            channel->SetXAxisName(channels->FirstXAxisName());
        if (channels->HasYAxis())
            channel->SetYAxisName(channels->FirstYAxisName());
    });

    BindDataCursors(Master);

    TkPlotLimitManager* limits = Master.LimitManager();
    limits->SetObjectClass(PlotObjectClassOf<TkPlotLimit>());
    limits->SetFirstLinks([limits](TkPlotObject* Object) {
        auto* limit = static_cast<TkPlotLimit*>(Object);
        if (limits->HasXAxis())
            limit->SetXAxisName(limits->FirstXAxisName());
        if (limits->HasYAxis())
            limit->SetYAxisName(limits->FirstYAxisName());
    });

    TkPlotLabelManager* labels = Master.LabelManager();
    labels->SetObjectClass(PlotObjectClassOf<TkPlotLabel>());
    labels->SetFirstLinks(
        [](TkPlotObject* Object) { static_cast<TkPlotLabel*>(Object)->SetCaption(Object->GetName()); });
}
