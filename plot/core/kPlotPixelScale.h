#pragma once
// An axis' value-to-pixel conversion as it stands for one paint, taken
// once and then applied to many values without asking the axis again:
// a trace converts every column's values through it. The axis converts
// through the same object, so that both give the same pixel.
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
        case kLinear: return Linear((Value - FMin) * FFactor);
        case kLog: return Clamp(FPixel0 - std::rint((std::log10(Value > 0 ? Value : 1) - FMin) * FFactor / FDecades));
        case kThrough: return FConvert(FOwner, Value);
        default: return FPixel0;
        }
    }
    bool IsLinear() const { return FKind == kLinear; }
    // On a linear scale, the values that turn into one pixel, told without
    // rounding: Pixel rounds (Value - Min) * Factor, so every value whose
    // product lies strictly between the pixel's two half-way marks turns
    // into it (the marks themselves may round either way and are left out).
    class TSpan {
    public:
        bool Holds(double Value) const
        {
            const double t = (Value - FMin) * FFactor;
            return t > FLow && t < FHigh;
        }

    private:
        friend class TkPlotPixelScale;
        double FMin = 0, FFactor = 0;
        // Nothing lies between them until set.
        double FLow = 0, FHigh = 0;
    };
    // Pixel's span; one that holds nothing for other kinds and for pixels
    // at the limits, where the rounded value is clamped.
    TSpan Span(int Pixel) const
    {
        TSpan s;
        if (FKind == kLinear && Pixel > -PixelLimit && Pixel < PixelLimit) {
            s.FMin = FMin;
            s.FFactor = FFactor;
            s.FLow = FPixel0 - Pixel - 0.5;
            s.FHigh = FPixel0 - Pixel + 0.5;
        }
        return s;
    }

private:
    enum TKind { kConstant, kLinear, kLog, kThrough };

    // Clamp(FPixel0 - rint(T)). A trace converts several values per
    // column, one after another: where T is well within an int, the
    // processor's own conversion rounds it as rint does (both to nearest,
    // ties to even, as the rounding mode stands), a shorter chain of
    // dependent steps than rounding in floating point first.
    int Linear(double T) const
    {
#if defined(__SSE2__)
        constexpr double Safe = 1 << 30;
        if (T >= -Safe && T <= Safe) {
            const int p = FPixel0 - _mm_cvtsd_si32(_mm_set_sd(T));
            return p > PixelLimit ? PixelLimit : p < -PixelLimit ? -PixelLimit : p;
        }
#endif
        return Clamp(FPixel0 - std::rint(T));
    }

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
