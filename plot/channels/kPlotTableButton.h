#pragma once
// A scroll button of a table: it paints and repeats as the legend's do.
#include "plot/channels/kPlotLegendButton.h"
#include "plot/core/kPlotObjectOwner.h"

class TkPlotTableButton : public TkPlotLegendButton {
public:
    TkPlotTableButton(TkPlotObjectOwner* AOwner, bool AUp);

protected:
    ~TkPlotTableButton() override = default;
};
