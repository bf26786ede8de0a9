#pragma once
// An axis that runs horizontally unless the plot reverses the axes.
#include "plot/core/kPlotAxis.h"

class TkPlotXAxis : public TkPlotAxis {
    PUBLISHED_CLASS(TkPlotXAxis);

public:
    TkPlotXAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // An X axis scrolls by default only on the published plot, so its
    // tracking style has no fixed default and is always stored.
    PUBLISHED_ACCESSORS(TkPlotTrackingStyle, TrackingStyle);
    PUBLISHED_ACCESSORS(TkPlotAlignFirstStyle, TrackingAlignFirstStyle, kpafsAuto);

protected:
    ~TkPlotXAxis() override = default;
};
