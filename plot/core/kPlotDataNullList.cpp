#include "plot/core/kPlotDataNullList.h"

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
}
void TkPlotDataNullList::SetY(int Index, double Value)
{
    At(Index).Y = Value;
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

// Straight over the records (in two stretches where a ring wraps), with no
// early exit, so that the loop stays a few instructions a point: a fast
// trace folds nearly every visible point through here.
bool TkPlotDataNullList::FoldRun(int First, int Last, double& MinY, double& MaxY, double& LastY)
{
    const Point* p = Records<Point>();
    const int first = MapIndex(First), last = MapIndex(Last);
    const bool up = p[last].X >= p[first].X;
    double previous = p[first].X, lo = MinY, hi = MaxY;
    bool bad = false;
    const auto fold = [&](int From, int To) {
        for (int i = From; i <= To; ++i) {
            const Point& q = p[i];
            bad |= (q.Flags & (flNull | flEmpty)) != 0;
            bad |= !(up ? q.X >= previous : q.X <= previous);
            previous = q.X;
            hi = q.Y > hi ? q.Y : hi;
            lo = q.Y < lo ? q.Y : lo;
        }
    };
    if (first <= last)
        fold(first, last);
    else {
        fold(first, Count() - 1);
        fold(0, last);
    }
    if (bad)
        return false;
    MinY = lo;
    MaxY = hi;
    LastY = p[last].Y;
    return true;
}
