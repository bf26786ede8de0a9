// The limit kind: lines and bands drawn in the data view.
#include "plot/channels/kPlotLimit.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"

namespace {

// A new limit is drawn against the first axes.
void OnFirstAxes(TkPlotObject& Object, TkPlotMasterManager& Master)
{
    auto& limit = static_cast<TkPlotLimit&>(Object);
    if (const TkPlotObject* x = Master.FirstOf(TkPlotObjectKind::XAxis))
        limit.SetXAxisName(x->GetName());
    if (const TkPlotObject* y = Master.FirstOf(TkPlotObjectKind::YAxis))
        limit.SetYAxisName(y->GetName());
}

}  // namespace

constinit const TkPlotKind TkPlotObjectKind::Limit{
    .Name = "Limit",
    .DefaultName = "Limit",
    .Order = 900,
    .NewManager = NewPlotKindManager<TkPlotLimit>,
    .NewObject = NewPlotObject<TkPlotLimit>,
    .FirstLinks = OnFirstAxes,
    .Paint = [](const TkPlotObject&) { return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::InDataView, .Group = 'C'}; },
    .PressAlone = true,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::Limit);

}  // namespace
