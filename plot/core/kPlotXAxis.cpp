#include "plot/core/kPlotXAxis.h"

#include "rtl/PublishedProperties.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotXAxis, TkPlotAxis>("TkPlotXAxis");
    return true;
}();

}  // namespace

TkPlotXAxis::TkPlotXAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotAxis(AOwner, Callbacks, TkPlotObjectKind::XAxis)
{
    SetTrackingStyle(AOwner && AOwner->IsPublishedPlot() ? kptsScrollSmooth : kptsScaleMinMax);
    SetTrackingAlignFirstStyle(kpafsAuto);
}
