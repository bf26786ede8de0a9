#include "plot/core/kPlotDataCompactIntervalList.h"

#include "rtl/Exception.h"

TkPlotDataCompactIntervalList::TkPlotDataCompactIntervalList()
{
    SetElementSize(sizeof(float));
}

double TkPlotDataCompactIntervalList::GetX(int Index)
{
    return Index * Interval() + FFirstX;
}
double TkPlotDataCompactIntervalList::GetY(int Index)
{
    return At(Index);
}

void TkPlotDataCompactIntervalList::SetX(int Index, double Value)
{
    if (Count() == 0 || Index != 0)
        throw Exception(
            "Data Style does not support setting individual X-Value with the exception of the first X-Value");
    FFirstX = Value;
}

void TkPlotDataCompactIntervalList::SetY(int Index, double Value)
{
    At(Index) = float(Value);
    PointChanged(Index);
}

int TkPlotDataCompactIntervalList::Add(double X, double Y, bool, bool)
{
    // Past the two points that teach the X axis, a point only stores its Y.
    if (Count() < 2) [[unlikely]]
        LearnX(X);
    bool overwrote;
    const int pos = ReserveSlot(overwrote);
    Records<float>()[pos] = float(Y);
    // The oldest point left the ring: the rest keep their X values, and in
    // a ring of one the new point is the first.
    if (overwrote)
        FFirstX += Interval();
    return pos;
}

void TkPlotDataCompactIntervalList::LearnX(double X)
{
    if (Count() == 0)
        FFirstX = X;
    else if (!FIntervalLearnt) {
        FInterval = X - FFirstX;
        FIntervalLearnt = true;
    }
}

void TkPlotDataCompactIntervalList::Clear()
{
    TkPlotDataCustomList::Clear();
    FInterval = -1.0;
    FIntervalLearnt = false;
}

void TkPlotDataCompactIntervalList::DeleteFirst(int N)
{
    TkPlotDataCustomList::DeleteFirst(N);
    // The remaining points keep their X values.
    if (FIntervalLearnt)
        FFirstX += N * FInterval;
}

void TkPlotDataCompactIntervalList::GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null)
{
    Y = At(Index);
    X = Index * Interval() + FFirstX;
    Empty = false;
    Null = false;
}

TkPlotStoredPoint TkPlotDataCompactIntervalList::StoredPoint(int Logical, int Position)
{
    return {Logical * Interval() + FFirstX, Records<float>()[Position], false, false};
}

// The X values are not summarised: they move with the ring, and the walk
// computes them from the index.
TkPlotDataListSummary::TNode TkPlotDataCompactIntervalList::SummariseStored(int From, int To)
{
    const float* y = Records<float>();
    return TkPlotDataListSummary::Summarise(From, To, [y](int P) { return TkPlotStoredPoint{0, y[P], false, false}; });
}

void TkPlotDataCompactIntervalList::FoldStoredY(int From, int To, double& MinY, double& MaxY)
{
    FoldRecordsY<float>(From, To, MinY, MaxY, [](float Y) { return Y; });
}
