#include "plot/channels/kPlotCharMargins.h"

#include "plot/core/kPlotPixels.h"

TkPlotCharMargins::TPixels TkPlotCharMargins::InPixels(int CharWidth, int CharHeight) const
{
    return TPixels{RoundPixel(Left * CharWidth), RoundPixel(Top * CharHeight), RoundPixel(Right * CharWidth),
                   RoundPixel(Bottom * CharHeight)};
}
