#include "plot/core/kLimitDataList.h"

#include "rtl/Exception.h"

void TkLimitDataList::Add(double Position, double Line1, double Line2)
{
    FItems.push_back({Position, Line1, Line2});
}

const TkLimitDataList::TItem& TkLimitDataList::GetItem(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw Exception("Index out of Bounds");
    return FItems[static_cast<std::size_t>(Index)];
}
