// The text-table kind.
#include "plot/channels/kPlotTable.h"
#include "plot/core/kPlotTypedKindManager.h"

constinit const TkPlotKind TkPlotObjectKind::Table{
    .Name = "Table",
    .DefaultName = "Table",
    .Order = 300,
    .NewManager = NewPlotKindManager<TkPlotTable>,
    .NewObject = NewPlotObject<TkPlotTable>,
    .Span = TkPlotLayoutSpan::DataView,
    // Turning it moves it between the layout's lists.
    .RelayoutOnChange = true,
    .Paint = [](const TkPlotObject&) { return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::OverPlot, .Rank = 60}; },
    .ConfigRank = 60,
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::Table);

}  // namespace
