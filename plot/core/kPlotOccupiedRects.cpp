#include "plot/core/kPlotOccupiedRects.h"

namespace {

bool Inside(const TRect& R, const TRect& Bounds)
{
    return R.Left >= Bounds.Left && R.Top >= Bounds.Top && R.Right <= Bounds.Right && R.Bottom <= Bounds.Bottom;
}

}  // namespace

bool TkPlotOccupiedRects::TryOccupy(const TRect& R, const TRect& Bounds)
{
    for (const TRect& taken : FRects) {
        TRect common;
        if (IntersectRect(common, R, taken) || !Inside(R, Bounds))
            return false;
    }
    FRects.push_back(R);
    return true;
}
