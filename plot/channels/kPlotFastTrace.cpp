#include "plot/channels/kPlotFastTrace.h"

#include <utility>

TkPlotFastTrace::TkPlotFastTrace(const TkPlotChannelCustom& Channel, const TkPlotChannelAxis& XAxis,
                                 const TkPlotChannelAxis& YAxis, bool InAddedOrder)
    : FChannel(Channel),
      FXAxis(XAxis),
      FYAxis(YAxis),
      FXScale(XAxis.PixelScale()),
      FYScale(YAxis.PixelScale()),
      FUncut(Channel.UncutBox(XAxis, YAxis)),
      FReverse(Channel.GetXYAxesReverse()),
      FInAddedOrder(InAddedOrder)
{
}

int TkPlotFastTrace::Column(double X)
{
    return FXScale.Pixel(X);
}

void TkPlotFastTrace::Run(const TkPlotMinMaxPoint& Points)
{
    // Points go to the first column that is theirs or still free; a third
    // column pushes the first two out.
    const bool backToFirst = FFirst.FirstIndex == Points.FirstIndex && !(FInAddedOrder && !FSecond.Empty);
    if (FFirst.Empty || backToFirst) {
        FFirst.Merge(Points);
    } else if (FSecond.Empty || FSecond.FirstIndex == Points.FirstIndex) {
        FSecond.Merge(Points);
    } else {
        FThird.CopyFrom(Points);
        Flush();
        FFirst.CopyFrom(FThird);
        FSecond.Reset();
        FThird.Reset();
    }
}

void TkPlotFastTrace::Break()
{
    Flush();
    FFirst.Reset();
    FSecond.Reset();
    FThird.Reset();
}

const std::vector<TPoint>& TkPlotFastTrace::Lines()
{
    Flush();
    FFirst.Reset();
    FSecond.Reset();
    return FEnds;
}

void TkPlotFastTrace::Flush()
{
    // The ends' pixels do not depend on one another: converted together
    // first, the processor works on them side by side.
    const int firstMax = FYScale.Pixel(FFirst.Max), firstMin = FYScale.Pixel(FFirst.Min);
    const int firstLast = FYScale.Pixel(FFirst.LastValue);
    const int secondMax = FYScale.Pixel(FSecond.Max), secondMin = FYScale.Pixel(FSecond.Min);
    const int secondFirst = FYScale.Pixel(FSecond.FirstValue), secondLast = FYScale.Pixel(FSecond.LastValue);
    const int thirdFirst = FYScale.Pixel(FThird.FirstValue);
    if (!FFirst.Empty && FFirst.Min != FFirst.Max)
        Line(FFirst, FFirst.Max, firstMax, FFirst, FFirst.Min, firstMin);
    if (!FSecond.Empty && FSecond.Min != FSecond.Max)
        Line(FSecond, FSecond.Max, secondMax, FSecond, FSecond.Min, secondMin);
    if (!FFirst.Empty && !FSecond.Empty)
        Line(FFirst, FFirst.LastValue, firstLast, FSecond, FSecond.FirstValue, secondFirst);
    if (!FSecond.Empty && !FThird.Empty)
        Line(FSecond, FSecond.LastValue, secondLast, FThird, FThird.FirstValue, thirdFirst);
}

void TkPlotFastTrace::Line(const TkPlotMinMaxPoint& A, double Y1, int Pixel1, const TkPlotMinMaxPoint& B, double Y2,
                           int Pixel2)
{
    TPoint a, b;
    if (FUncut.Holds(A.FirstX, Y1) && FUncut.Holds(B.FirstX, Y2)) {
        // Nothing to cut: the ends are the points themselves, in X order
        // as ClippedLine takes them.
        a = TPoint(A.FirstIndex, Pixel1);
        b = TPoint(B.FirstIndex, Pixel2);
        if (A.FirstX > B.FirstX)
            std::swap(a, b);
        if (FReverse) {
            a = TPoint(a.Y, a.X);
            b = TPoint(b.Y, b.X);
        }
    } else if (!FChannel.ClippedLine(FXAxis, FYAxis, A.FirstX, Y1, B.FirstX, Y2, a, b)) {
        return;
    }
    FEnds.push_back(a);
    FEnds.push_back(b);
}
