#include "plot/core/kPlotYAxis.h"

#include "rtl/PublishedProperties.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotYAxis, TkPlotAxis>("TkPlotYAxis", {});
    return true;
}();

}  // namespace

TkPlotYAxis::TkPlotYAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotAxis(AOwner, Callbacks, TkPlotObjectKind::YAxis)
{
}
