#pragma once
// The plot's toolbar of buttons.
#include "plot/core/kPlotObjects.h"

class TkPlotToolBar : public TkPlotLayoutObject {
public:
    TkPlotToolBar(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::ToolBar)
    {
    }

protected:
    ~TkPlotToolBar() override = default;
};
