// The toolbar kind: a strip across the top of the plot that works on the
// whole plot.
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotTypedKindManager.h"

constinit const TkPlotKind TkPlotObjectKind::ToolBar{
    .Name = "ToolBar",
    .DefaultName = "Toolbar",
    .Order = 100,
    .NewManager = NewPlotKindManager<TkPlotToolBar>,
    .NewObject = NewPlotObject<TkPlotToolBar>,
    .Link = [](TkPlotObject& Object,
               TkPlotMasterManager& Master) { static_cast<TkPlotToolBar&>(Object).Master = &Master; },
    .Span = TkPlotLayoutSpan::WholePlot,
    .RelayoutOnChange = true,
    .RequiredToPaint = true,
    .Paint = [](const TkPlotObject&) { return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::OverPlot, .Rank = 30}; },
    .Unselectable = true,
    .DragAlone = true,
    .ConfigRank = 40,
    .ConfigLoad = TkPlotConfigLoad::IntoFirst,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::ToolBar);

}  // namespace
