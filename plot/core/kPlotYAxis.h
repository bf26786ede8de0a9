#pragma once
// An axis that runs vertically unless the plot reverses the axes.
#include "plot/core/kPlotAxis.h"

class TkPlotYAxis : public TkPlotAxis {
public:
    TkPlotYAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotYAxis() override = default;
};
