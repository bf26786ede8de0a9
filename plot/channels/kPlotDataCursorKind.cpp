// The data-cursor kind.
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/core/kPlotMasterManager.h"
#include "rtl/StrUtils.h"

namespace {

// A new cursor lies in data view 0 and reads channel 0.
void FirstLinks(TkPlotObject& Object, TkPlotMasterManager& Master)
{
    auto& cursor = static_cast<TkPlotDataCursor&>(Object);
    if (TkPlotObject* view = Master.FirstOf(TkPlotObjectKind::DataView))
        cursor.SetDataView(static_cast<TkPlotDataView*>(view));
    if (const TkPlotObject* channel = Master.FirstOf(TkPlotObjectKind::Channel))
        cursor.SetChannelName(channel->GetName());
}

// Every cursor reads its values before the layout, so that the first
// legend can size its columns for the readouts; the legend lists every
// channel's readout while a shown cursor asks for it.
void UpdateReadouts(TkPlotKindManager& Cursors, TkPlotMasterManager& Master)
{
    auto* legend = static_cast<TkPlotLegend*>(Master.FirstOf(TkPlotObjectKind::Legend));
    if (legend)
        legend->SetCursorValuesMode(false);
    bool all = false;
    for (int i = 0; i < Cursors.GetCount(); ++i) {
        auto* cursor = static_cast<TkPlotDataCursor*>(Cursors.GetObject(i));
        cursor->UpdateValues();
        all = all || (cursor->GetVisible() && SameText(cursor->GetChannelName(), TkPlotDataCursor::AllChannels) &&
                      cursor->GetChannelShowAllInLegend());
    }
    if (all && legend)
        legend->SetCursorValuesMode(true);
}

}  // namespace

constinit const TkPlotKind TkPlotObjectKind::DataCursor{
    .Name = "DataCursor",
    .DefaultName = "Cursor",
    .Order = 800,
    .NewManager = NewPlotKindManager<TkPlotDataCursor>,
    .NewObject = NewPlotObject<TkPlotDataCursor>,
    .Link =
        [](TkPlotObject& Object, TkPlotMasterManager& Master) {
            static_cast<TkPlotDataCursor&>(Object).Channels = Master.ChannelManager();
        },
    .FirstLinks = FirstLinks,
    .BeforeLayout = UpdateReadouts,
    .TakeDataView = [](TkPlotObject& Object,
                       TkPlotDataView& View) { static_cast<TkPlotDataCursor&>(Object).SetDataView(&View); },
    .Paint =
        [](const TkPlotObject&) {
            return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::OverPlot, .Rank = 40, .OnViewBackground = true};
        },
    .ConfigRank = 90,
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::DataCursor);

}  // namespace
