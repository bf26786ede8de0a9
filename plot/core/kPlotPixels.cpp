#include "plot/core/kPlotPixels.h"

#include <algorithm>
#include <cmath>

#include "rtl/NumberFormat.h"

// Kept in floating point until clamped: a far value does not fit an integer.
int ClampPixel(double Pixel)
{
    return ClampToInt(std::clamp<double>(Pixel, -PixelLimit, PixelLimit));
}

int RoundPixel(double Pixel)
{
    return ClampPixel(std::nearbyint(Pixel));
}

bool KeepPixel(int& Pixel)
{
    Pixel = ClampPixel(Pixel);
    return true;
}
