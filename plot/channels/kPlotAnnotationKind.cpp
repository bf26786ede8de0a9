// The annotation kind. Annotations keep the names their owners give them
// and are stored in files of their own, not with the plot.
#include "plot/channels/kPlotAnnotation.h"
#include "plot/core/kPlotObjectManager.h"

constinit const TkPlotKind TkPlotObjectKind::Annotation{
    .Name = "Annotation",
    .DefaultName = "Annotation",
    .Order = 1100,
    .NewManager = NewPlotKindManager<TkPlotAnnotation>,
    .NewObject = NewPlotObject<TkPlotAnnotation>,
    .NamesObjects = false,
    .Streamed = false,
    .Paint = [](const TkPlotObject&) { return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::InDataView, .Group = 'G'}; },
    .PressAlone = true,
    .DragAlone = true,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::Annotation);

}  // namespace
