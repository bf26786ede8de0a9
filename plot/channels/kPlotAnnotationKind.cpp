// The annotation kind. Annotations keep the names their owners give them
// and are stored in files of their own, not with the plot.
#include "plot/channels/kPlotAnnotation.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotTypedKindManager.h"

constinit const TkPlotKind TkPlotObjectKind::Annotation{
    .Name = "Annotation",
    .DefaultName = "Annotation",
    .Order = 1100,
    .NewManager = NewPlotKindManager<TkPlotAnnotation>,
    .NewObject = NewPlotObject<TkPlotAnnotation>,
    .Link =
        [](TkPlotObject& Object, TkPlotMasterManager& Master) {
            static_cast<TkPlotAnnotation&>(Object).Channels = Master.ChannelManager();
        },
    .NamesObjects = false,
    .Streamed = false,
    .TakeDataView = [](TkPlotObject& Object,
                       TkPlotDataView& View) { static_cast<TkPlotAnnotation&>(Object).SetDataView(&View); },
    .Paint = [](const TkPlotObject&) { return TkPlotPaintPlace{.Stage = TkPlotPaintPlace::InDataView, .Group = 'G'}; },
    .PressAlone = true,
    .DragAlone = true,
    // Annotations keep a file of their own, but a configuration loads
    // without the old ones.
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::Annotation);

}  // namespace
