#include "plot/core/kPlotDataView.h"

#include "plot/core/kPlotObjectNames.h"

void TkPlotDataView::SetGridXAxisName(const std::string& Value)
{
    SetProperty(Value, FGridXAxisName, &TkPlotObject::DoChange);
}

void TkPlotDataView::SetGridYAxisName(const std::string& Value)
{
    SetProperty(Value, FGridYAxisName, &TkPlotObject::DoChange);
}

void TkPlotDataView::ObjectRenamed(TkPlotObject* Object)
{
    FollowRename(Object, TkPlotObjectKind::XAxis, FGridXAxisName);
    FollowRename(Object, TkPlotObjectKind::YAxis, FGridYAxisName);
}
