// The limit kind: lines and bands drawn in the data view.
#include "plot/channels/kPlotAxisLink.h"
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
    .Link = [](TkPlotObject& Object,
               TkPlotMasterManager& Master) { static_cast<TkPlotLimit&>(Object).AxisFinder = PlotAxisFinder(Master); },
    .FirstLinks = OnFirstAxes,
    // Filled bands lie under the data view's traces, lines over them.
    .Paint =
        [](const TkPlotObject& Object) {
            const bool fill = static_cast<const TkPlotLimit&>(Object).HasFill();
            return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::InDataView, .Group = fill ? 'A' : 'C'};
        },
    .PressAlone = true,
    .ConfigRank = 100,
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::Limit);

}  // namespace
