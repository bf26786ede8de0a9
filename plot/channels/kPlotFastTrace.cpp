#include "plot/channels/kPlotFastTrace.h"

#include "plot/channels/kPlotChannelCustom.h"

TkPlotFastTrace::TkPlotFastTrace(const TkPlotChannelCustom& Channel, const TkPlotChannelAxis& XAxis,
                                 const TkPlotChannelAxis& YAxis)
    : FChannel(Channel),
      FXAxis(XAxis),
      FYAxis(YAxis)
{
}

int TkPlotFastTrace::Column(double X)
{
    return FXAxis.ValueToPixel(X);
}

void TkPlotFastTrace::Run(const TkPlotMinMaxPoint& Points)
{
    // Points go to the first column that is theirs or still free; a third
    // column pushes the first two out.
    if (FFirst.Empty || FFirst.FirstIndex == Points.FirstIndex) {
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
            Line(a->FirstX, a->Max, a->FirstX, a->Min);
    if (!FFirst.Empty && !FSecond.Empty)
        Line(FFirst.FirstX, FFirst.LastValue, FSecond.FirstX, FSecond.FirstValue);
    if (!FSecond.Empty && !FThird.Empty)
        Line(FSecond.FirstX, FSecond.LastValue, FThird.FirstX, FThird.FirstValue);
}

void TkPlotFastTrace::Line(double X1, double Y1, double X2, double Y2)
{
    TPoint a, b;
    if (!FChannel.ClippedLine(FXAxis, FYAxis, X1, Y1, X2, Y2, a, b))
        return;
    FEnds.push_back(a);
    FEnds.push_back(b);
}
