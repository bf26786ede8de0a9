#include "plot/core/kPlotPixelScale.h"

TkPlotPixelScale TkPlotPixelScale::Constant(int Pixel)
{
    TkPlotPixelScale s;
    s.FPixel0 = Pixel;
    return s;
}

TkPlotPixelScale TkPlotPixelScale::Linear(int Pixel0, double Min, double Factor)
{
    TkPlotPixelScale s;
    s.FKind = kLinear;
    s.FPixel0 = Pixel0;
    s.FMin = Min;
    s.FFactor = Factor;
    return s;
}

TkPlotPixelScale TkPlotPixelScale::Log(int Pixel0, double LogMin, double Pixels, double Decades)
{
    TkPlotPixelScale s;
    s.FKind = kLog;
    s.FPixel0 = Pixel0;
    s.FMin = LogMin;
    s.FFactor = Pixels;
    s.FDecades = Decades;
    return s;
}

TkPlotPixelScale TkPlotPixelScale::Through(const void* Owner, TConvert Convert)
{
    TkPlotPixelScale s;
    s.FKind = kThrough;
    s.FOwner = Owner;
    s.FConvert = Convert;
    return s;
}
