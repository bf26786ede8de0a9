#include "plot/channels/kPlotCharMargins.h"

#include <cmath>

#include "rtl/NumberFormat.h"

namespace {

int Nearest(double Value)
{
    return ClampToInt(std::nearbyint(Value));
}

}  // namespace

TkPlotCharMargins::TPixels TkPlotCharMargins::InPixels(int CharWidth, int CharHeight) const
{
    return TPixels{Nearest(Left * CharWidth), Nearest(Top * CharHeight), Nearest(Right * CharWidth),
                   Nearest(Bottom * CharHeight)};
}
