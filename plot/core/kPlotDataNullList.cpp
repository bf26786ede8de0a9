#include "plot/core/kPlotDataNullList.h"

#include <utility>

static_assert(sizeof(TkPlotDataNullList::Point) == 24);

TkPlotDataNullList::TkPlotDataNullList()
{
    SetElementSize(sizeof(Point));
}

double TkPlotDataNullList::GetX(int Index)
{
    return At(Index).X;
}
double TkPlotDataNullList::GetY(int Index)
{
    return At(Index).Y;
}
bool TkPlotDataNullList::GetEmpty(int Index)
{
    return At(Index).Flags & flEmpty;
}
bool TkPlotDataNullList::GetNull(int Index)
{
    return At(Index).Flags & flNull;
}
void TkPlotDataNullList::SetX(int Index, double Value)
{
    At(Index).X = Value;
    PointChanged(Index);
}
void TkPlotDataNullList::SetY(int Index, double Value)
{
    At(Index).Y = Value;
    PointChanged(Index);
}
void TkPlotDataNullList::SetEmpty(int Index, bool Value)
{
    SetFlag(Index, flEmpty, Value);
}
void TkPlotDataNullList::SetNull(int Index, bool Value)
{
    SetFlag(Index, flNull, Value);
}
bool TkPlotDataNullList::GetMarkersVisible(int Index)
{
    return At(Index).Flags & flMarkersVisible;
}
void TkPlotDataNullList::SetMarkersVisible(int Index, bool Value)
{
    SetFlag(Index, flMarkersVisible, Value);
}

std::uint8_t TkPlotDataNullList::GetMarkersStyle(int Index)
{
    return std::uint8_t((At(Index).Flags & flStyleMask) >> flStyleShift);
}

void TkPlotDataNullList::SetMarkersStyle(int Index, std::uint8_t Value)
{
    Point& p = At(Index);
    p.Flags = std::uint16_t((p.Flags & ~flStyleMask) | ((Value & 15) << flStyleShift));
}

void TkPlotDataNullList::SetFlag(int Index, std::uint16_t Flag, bool Value)
{
    Point& p = At(Index);
    p.Flags = Value ? std::uint16_t(p.Flags | Flag) : std::uint16_t(p.Flags & ~Flag);
    PointChanged(Index);
}

int TkPlotDataNullList::Add(double X, double Y, bool Null, bool Empty)
{
    const std::uint16_t flags = (Null ? flNull : 0) | (Empty ? flEmpty : 0) |
                                (Attributes.MarkersVisible ? flMarkersVisible : 0) |
                                ((Attributes.MarkersStyle & 15) << flStyleShift);
    bool overwrote;
    const int pos = ReserveSlot(overwrote);
    Records<Point>()[pos] = Point{X, Y, flags};
    return pos;
}

void TkPlotDataNullList::GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null)
{
    const Point& p = At(Index);
    X = p.X;
    Y = p.Y;
    Empty = p.Flags & flEmpty;
    Null = p.Flags & flNull;
}

TkPlotStoredPoint TkPlotDataNullList::StoredPoint(int, int Position)
{
    const Point& p = Records<Point>()[Position];
    return {p.X, p.Y, (p.Flags & flNull) != 0, (p.Flags & flEmpty) != 0};
}

TkPlotDataListSummary::TNode TkPlotDataNullList::SummariseStored(int From, int To)
{
    return SummariseRecords<Point>(From, To, [](const Point& P) {
        return std::pair<bool, bool>((P.Flags & flNull) != 0, (P.Flags & flEmpty) != 0);
    });
}

void TkPlotDataNullList::FoldStoredY(int From, int To, double& MinY, double& MaxY)
{
    FoldRecordsY<Point>(From, To, MinY, MaxY, [](const Point& P) { return P.Y; });
}
