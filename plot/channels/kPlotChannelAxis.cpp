#include "plot/channels/kPlotChannelAxis.h"

TkPlotPixelScale TkPlotChannelAxis::PixelScale() const
{
    return TkPlotPixelScale::Through(this, [](const void* Axis, double Value) {
        return static_cast<const TkPlotChannelAxis*>(Axis)->ValueToPixel(Value);
    });
}
