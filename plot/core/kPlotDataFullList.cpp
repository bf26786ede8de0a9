#include "plot/core/kPlotDataFullList.h"

#include <utility>

#include "rtl/Exception.h"

static_assert(sizeof(TkPlotDataFullList::Point) == 136);

TkPlotDataFullList::TkPlotDataFullList()
{
    SetElementSize(sizeof(Point));
}

double TkPlotDataFullList::GetX(int Index)
{
    return At(Index).X;
}
double TkPlotDataFullList::GetY(int Index)
{
    return At(Index).Y;
}
bool TkPlotDataFullList::GetEmpty(int Index)
{
    return At(Index).Empty;
}
bool TkPlotDataFullList::GetNull(int Index)
{
    return At(Index).Null;
}
void TkPlotDataFullList::SetX(int Index, double Value)
{
    At(Index).X = Value;
    PointChanged(Index);
}
void TkPlotDataFullList::SetY(int Index, double Value)
{
    At(Index).Y = Value;
    PointChanged(Index);
}
void TkPlotDataFullList::SetEmpty(int Index, bool Value)
{
    At(Index).Empty = Value;
    PointChanged(Index);
}
void TkPlotDataFullList::SetNull(int Index, bool Value)
{
    At(Index).Null = Value;
    PointChanged(Index);
}

int TkPlotDataFullList::ExtraSlot(int Which)
{
    if (Which < 1 || Which > 4)
        throw Exception("Index out of Bounds");
    return Which - 1;
}

double TkPlotDataFullList::GetExtraValue(int Which, int Index)
{
    return At(Index).Extra[ExtraSlot(Which)];
}

void TkPlotDataFullList::SetExtraValue(int Which, int Index, double Value)
{
    At(Index).Extra[ExtraSlot(Which)] = Value;
}

int TkPlotDataFullList::Add(double X, double Y, bool Null, bool Empty)
{
    bool overwrote;
    const int pos = ReserveSlot(overwrote);
    Point& p = Records<Point>()[pos];
    p = Point{X, Y, Null, Empty, {0.0, 0.0, 0.0, 0.0}, Attributes};
    p.Attributes.MarkerChar = 0;
    return pos;
}

void TkPlotDataFullList::GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null)
{
    const Point& p = At(Index);
    X = p.X;
    Y = p.Y;
    Empty = p.Empty;
    Null = p.Null;
}

TkPlotStoredPoint TkPlotDataFullList::StoredPoint(int, int Position)
{
    const Point& p = Records<Point>()[Position];
    return {p.X, p.Y, p.Null, p.Empty};
}

TkPlotDataListSummary::TNode TkPlotDataFullList::SummariseStored(int From, int To)
{
    return SummariseRecords<Point>(From, To, [](const Point& P) { return std::pair<bool, bool>(P.Null, P.Empty); });
}

void TkPlotDataFullList::FoldStoredY(int From, int To, double& MinY, double& MaxY)
{
    FoldRecordsY<Point>(From, To, MinY, MaxY, [](const Point& P) { return P.Y; });
}
