#include "plot/core/kPlotMinMaxPoint.h"

void TkPlotMinMaxPoint::CopyFrom(const TkPlotMinMaxPoint& Other)
{
    Empty = Other.Empty;
    FirstIndex = Other.FirstIndex;
    FirstX = Other.FirstX;
    Max = Other.Max;
    Min = Other.Min;
    FirstValue = Other.FirstValue;
    LastValue = Other.LastValue;
}
