#include "plot/channels/kPlotCharMargins.h"

#include <algorithm>

#include "rtl/NumberFormat.h"

namespace {

// A stored margin may be any number. In pixels it is kept within what the
// drawing layer can take, so that the few margins, sizes and coordinates
// added to it stay far from the integer's ends.
constexpr double PixelLimit = 32000;

int MarginPixels(double Chars, int CharSize)
{
    return RoundToInt(std::clamp(Chars * CharSize, -PixelLimit, PixelLimit));
}

}  // namespace

TkPlotCharMargins::TPixels TkPlotCharMargins::InPixels(int CharWidth, int CharHeight) const
{
    return TPixels{MarginPixels(Left, CharWidth), MarginPixels(Top, CharHeight), MarginPixels(Right, CharWidth),
                   MarginPixels(Bottom, CharHeight)};
}
