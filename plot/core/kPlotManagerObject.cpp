#include "plot/core/kPlotManagerObject.h"

TkPlotManagerObject::TkPlotManagerObject(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& ACallbacks,
                                         const TkPlotKind& AKind)
    : TkPlotObject(AOwner, CheckPlotCallbacks(AOwner, ACallbacks, "Owner must be assigned"), AKind)
{
}
