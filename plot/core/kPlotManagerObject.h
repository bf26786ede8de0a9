#pragma once
#include "plot/core/kPlotObject.h"

// An object registered with the plot's managers: it must have all four
// manager callbacks.
class TkPlotManagerObject : public TkPlotObject {
public:
    TkPlotManagerObject(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks,
                        const TkPlotKind& AKind = TkPlotObjectKind::Other);

protected:
    ~TkPlotManagerObject() override = default;
};
