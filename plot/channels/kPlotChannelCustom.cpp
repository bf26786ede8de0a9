#include "plot/channels/kPlotChannelCustom.h"

#include "plot/core/kPlotObjectNames.h"

void TkPlotChannelCustom::SetTitleText(const std::string& Value)
{
    SetProperty(Value, FTitleText, &TkPlotObject::DoChange);
}

void TkPlotChannelCustom::SetColor(TColor Value) { SetProperty(Value, FColor, &TkPlotObject::DoChange); }

void TkPlotChannelCustom::SetXAxisName(const std::string& Value)
{
    SetProperty(Value, FXAxisName, &TkPlotObject::DoChange);
}

void TkPlotChannelCustom::SetYAxisName(const std::string& Value)
{
    SetProperty(Value, FYAxisName, &TkPlotObject::DoChange);
}

void TkPlotChannelCustom::ObjectRenamed(TkPlotObject* Object)
{
    FollowRename(Object, TkPlotObjectKind::XAxis, FXAxisName);
    FollowRename(Object, TkPlotObjectKind::YAxis, FYAxisName);
}
