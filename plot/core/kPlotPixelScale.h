#pragma once
// An axis' value-to-pixel conversion as it stands for one paint, taken
// once and then applied to many values without asking the axis again:
// a trace converts every column's values through it. The axis converts
// through the same object, so that both give the same pixel.
#include <cmath>

#include "plot/core/kPlotPixels.h"

class TkPlotPixelScale {
public:
    // Every value at one pixel (no span, or no pixels to spread it over).
    static TkPlotPixelScale Constant(int Pixel);
    // Pixel0 - (Value - Min) * Factor.
    static TkPlotPixelScale Linear(int Pixel0, double Min, double Factor);
    // Pixel0 - (log10(Value) - LogMin) * Pixels / Decades, a value up to
    // zero taken as 1.
    static TkPlotPixelScale Log(int Pixel0, double LogMin, double Pixels, double Decades);
    // Any other conversion, called for each value.
    using TConvert = int (*)(const void* Owner, double Value);
    static TkPlotPixelScale Through(const void* Owner, TConvert Convert);

    int Pixel(double Value) const
    {
        switch (FKind) {
        case kLinear: return Clamp(FPixel0 - std::rint((Value - FMin) * FFactor));
        case kLog: return Clamp(FPixel0 - std::rint((std::log10(Value > 0 ? Value : 1) - FMin) * FFactor / FDecades));
        case kThrough: return FConvert(FOwner, Value);
        default: return FPixel0;
        }
    }
    // The values a linear scale turns into Pixel, Low to High, as the
    // unrounded conversion has them: the rounding may move either end by a
    // little. False for other kinds, which have no such span.
    bool LinearSpan(int Pixel, double& Low, double& High) const
    {
        if (FKind != kLinear || !(FFactor != 0))
            return false;
        const double a = FMin + (FPixel0 - Pixel - 0.5) / FFactor, b = FMin + (FPixel0 - Pixel + 0.5) / FFactor;
        Low = a < b ? a : b;
        High = a < b ? b : a;
        return true;
    }

private:
    enum TKind { kConstant, kLinear, kLog, kThrough };

    // ClampPixel, here so that a conversion makes no call.
    static int Clamp(double Pixel)
    {
        if (Pixel > PixelLimit)
            return PixelLimit;
        if (Pixel < -PixelLimit)
            return -PixelLimit;
        return Pixel == Pixel ? int(Pixel) : 0;
    }

    TKind FKind = kConstant;
    int FPixel0 = 0;
    double FMin = 0;
    double FFactor = 0;
    double FDecades = 1;
    const void* FOwner = nullptr;
    TConvert FConvert = nullptr;
};
