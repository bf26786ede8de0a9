#include "plot/core/kPlotDataCompactList.h"

#include <utility>

static_assert(sizeof(TkPlotDataCompactList::Point) == 8);

TkPlotDataCompactList::TkPlotDataCompactList()
{
    SetElementSize(sizeof(Point));
}

double TkPlotDataCompactList::GetX(int Index)
{
    return At(Index).X;
}
double TkPlotDataCompactList::GetY(int Index)
{
    return At(Index).Y;
}
void TkPlotDataCompactList::SetX(int Index, double Value)
{
    At(Index).X = float(Value);
    PointChanged(Index);
}
void TkPlotDataCompactList::SetY(int Index, double Value)
{
    At(Index).Y = float(Value);
    PointChanged(Index);
}

int TkPlotDataCompactList::Add(double X, double Y, bool, bool)
{
    bool overwrote;
    const int pos = ReserveSlot(overwrote);
    Records<Point>()[pos] = Point{float(X), float(Y)};
    return pos;
}

void TkPlotDataCompactList::GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null)
{
    const Point& p = At(Index);
    X = p.X;
    Y = p.Y;
    Empty = false;
    Null = false;
}

TkPlotStoredPoint TkPlotDataCompactList::StoredPoint(int, int Position)
{
    const Point& p = Records<Point>()[Position];
    return {p.X, p.Y, false, false};
}

TkPlotDataListSummary::TNode TkPlotDataCompactList::SummariseStored(int From, int To)
{
    return SummariseRecords<Point>(From, To, [](const Point&) { return std::pair<bool, bool>(false, false); });
}

void TkPlotDataCompactList::FoldStoredY(int From, int To, double& MinY, double& MaxY)
{
    FoldRecordsY<Point>(From, To, MinY, MaxY, [](const Point& P) { return P.Y; });
}
