// The X-axis and Y-axis kinds.
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotTypedKindManager.h"
#include "plot/core/kPlotXAxis.h"
#include "plot/core/kPlotYAxis.h"

namespace {

// A new axis is titled with its name.
void TitleWithName(TkPlotObject& Object, TkPlotMasterManager&)
{
    static_cast<TkPlotAxis&>(Object).SetTitle(Object.GetName());
}

// An axis that crosses the data view is drawn in it, in Group; the others
// first of all over the plot.
TkPlotPaintPlace AxisPlace(const TkPlotObject& Object, char Group)
{
    if (static_cast<const TkPlotAxis&>(Object).GetCartesianStyle() != kpcsNone)
        return {.Stage = TkPlotPaintPlace::InDataView, .Group = Group};
    return {.Stage = TkPlotPaintPlace::OverPlot, .Rank = 10};
}

}  // namespace

constinit const TkPlotKind TkPlotObjectKind::XAxis{
    .Name = "XAxis",
    .DefaultName = "X-Axis",
    .Order = 400,
    .NewManager = NewPlotKindManager<TkPlotXAxis>,
    .NewObject = NewPlotObject<TkPlotXAxis>,
    .FirstLinks = TitleWithName,
    .Span = TkPlotLayoutSpan::DataView,
    .RelayoutOnChange = true,
    .Paint = [](const TkPlotObject& Object) { return AxisPlace(Object, 'E'); },
    .ConfigRank = 20,
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

constinit const TkPlotKind TkPlotObjectKind::YAxis{
    .Name = "YAxis",
    .DefaultName = "Y-Axis",
    .Order = 500,
    .NewManager = NewPlotKindManager<TkPlotYAxis>,
    .NewObject = NewPlotObject<TkPlotYAxis>,
    .FirstLinks = TitleWithName,
    .Span = TkPlotLayoutSpan::DataView,
    .RelayoutOnChange = true,
    .Paint = [](const TkPlotObject& Object) { return AxisPlace(Object, 'D'); },
    .ConfigRank = 30,
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::XAxis) && RegisterPlotKind(TkPlotObjectKind::YAxis);

}  // namespace
