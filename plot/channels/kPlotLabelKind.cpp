// The caption-label kind.
#include "plot/channels/kPlotLabel.h"
#include "plot/core/kPlotTypedKindManager.h"

constinit const TkPlotKind TkPlotObjectKind::Label{
    .Name = "Label",
    .DefaultName = "Label",
    .Order = 1000,
    .NewManager = NewPlotKindManager<TkPlotLabel>,
    .NewObject = NewPlotObject<TkPlotLabel>,
    // A new label shows its name.
    .FirstLinks = [](TkPlotObject& Object,
                     TkPlotMasterManager&) { static_cast<TkPlotLabel&>(Object).SetCaption(Object.GetName()); },
    .Span = TkPlotLayoutSpan::OuterMargins,
    .RelayoutOnChange = true,
    .Paint = [](const TkPlotObject&) { return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::OverPlot, .Rank = 20}; },
    .ConfigRank = 70,
    .ConfigLoad = TkPlotConfigLoad::KeepFirst,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::Label);

}  // namespace
