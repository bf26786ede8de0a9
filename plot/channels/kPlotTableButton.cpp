#include "plot/channels/kPlotTableButton.h"

TkPlotTableButton::TkPlotTableButton(TkPlotObjectOwner* AOwner, bool AUp)
    : TkPlotLegendButton(AOwner, TkPlotObjectCallbacks(), AUp)
{
    SetName(AUp ? "PlotTableUpButton" : "PlotTableDownButton");
}
