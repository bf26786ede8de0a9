#pragma once
// A grid of texts that stands in the plot layout.
#include "plot/core/kPlotObjects.h"

namespace TkPlotObjectKind {
extern const TkPlotKind Table;
}  // namespace TkPlotObjectKind

class TkPlotTable : public TkPlotLayoutObject {
public:
    TkPlotTable(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::Table)
    {
    }

protected:
    ~TkPlotTable() override = default;
};
