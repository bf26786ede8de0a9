#include "plot/channels/kPlotCharMargins.h"

#include <cmath>

#include "rtl/NumberFormat.h"

TkPlotCharMargins::TPixels TkPlotCharMargins::InPixels(int CharWidth, int CharHeight) const
{
    return TPixels{RoundToInt(Left * CharWidth), RoundToInt(Top * CharHeight), RoundToInt(Right * CharWidth),
                   RoundToInt(Bottom * CharHeight)};
}
