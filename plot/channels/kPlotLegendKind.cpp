// The legend kind.
#include "plot/channels/kPlotLegend.h"
#include "plot/core/kPlotTypedKindManager.h"

constinit const TkPlotKind TkPlotObjectKind::Legend{
    .Name = "Legend",
    .DefaultName = "Legend",
    .Order = 200,
    .NewManager = NewPlotKindManager<TkPlotLegend>,
    .NewObject = NewPlotObject<TkPlotLegend>,
    .Link = [](TkPlotObject& Object,
               TkPlotMasterManager& Master) { static_cast<TkPlotLegend&>(Object).Master = &Master; },
    .Span = TkPlotLayoutSpan::DataView,
    .RelayoutOnChange = true,
    .RequiredToPaint = true,
    .Paint = [](const TkPlotObject&) { return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::OverPlot, .Rank = 50}; },
    // Its rows lead to their channels, which lie in the data view.
    .HitLast = true,
    .ConfigRank = 50,
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::Legend);

}  // namespace
