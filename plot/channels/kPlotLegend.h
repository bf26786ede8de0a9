#pragma once
// The list of channels with their colours and values.
#include "plot/core/kPlotObjects.h"

class TkPlotLegend : public TkPlotLayoutObject {
public:
    TkPlotLegend(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::Legend)
    {
    }

protected:
    ~TkPlotLegend() override = default;
};
