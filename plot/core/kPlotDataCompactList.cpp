#include "plot/core/kPlotDataCompactList.h"

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
}
void TkPlotDataCompactList::SetY(int Index, double Value)
{
    At(Index).Y = float(Value);
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
