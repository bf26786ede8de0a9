// The data-view kind. The plot paints data view 0 itself, under everything
// drawn in it, and lays it out in the middle.
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"

namespace {

// A new data view draws the grids of the first axes.
void GridOfFirstAxes(TkPlotObject& Object, TkPlotMasterManager& Master)
{
    auto& view = static_cast<TkPlotDataView&>(Object);
    if (const TkPlotObject* x = Master.FirstOf(TkPlotObjectKind::XAxis))
        view.SetGridXAxisName(x->GetName());
    if (const TkPlotObject* y = Master.FirstOf(TkPlotObjectKind::YAxis))
        view.SetGridYAxisName(y->GetName());
}

}  // namespace

constinit const TkPlotKind TkPlotObjectKind::DataView{
    .Name = "DataView",
    .DefaultName = "Data View",
    .Order = 700,
    .NewManager = NewPlotKindManager<TkPlotDataView>,
    .NewObject = NewPlotObject<TkPlotDataView>,
    .FirstLinks = GridOfFirstAxes,
    .RelayoutOnChange = true,
    .RequiredToPaint = true,
    .HitLast = true,
    .ConfigRank = 80,
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::DataView);

}  // namespace
