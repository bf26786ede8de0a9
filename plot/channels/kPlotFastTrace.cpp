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
    for (const TkPlotMinMaxPoint* a : {&FFirst, &FSecond})
        if (!a->Empty && a->Min != a->Max)
            Line(*a, a->Max, *a, a->Min);
    if (!FFirst.Empty && !FSecond.Empty)
        Line(FFirst, FFirst.LastValue, FSecond, FSecond.FirstValue);
    if (!FSecond.Empty && !FThird.Empty)
        Line(FSecond, FSecond.LastValue, FThird, FThird.FirstValue);
}

void TkPlotFastTrace::Line(const TkPlotMinMaxPoint& A, double Y1, const TkPlotMinMaxPoint& B, double Y2)
{
    TPoint a, b;
    if (FUncut.Holds(A.FirstX, Y1) && FUncut.Holds(B.FirstX, Y2)) {
        // Nothing to cut: the ends are the points themselves, in X order
        // as ClippedLine takes them.
        a = TPoint(A.FirstIndex, FYScale.Pixel(Y1));
        b = TPoint(B.FirstIndex, FYScale.Pixel(Y2));
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
