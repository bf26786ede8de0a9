#pragma once
// Elements of a limit's poly-band: a position and two line values.
#include <vector>

#include "rtl/Component.h"

class TkLimitDataList final : public TObject {
public:
    struct TItem {
        double Position;
        double Line1;
        double Line2;
    };

    void Add(double Position, double Line1, double Line2);
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }

    // Raises "Index out of Bounds" unless 0 <= Index < Count.
    const TItem& GetItem(int Index) const;
    double GetPosition(int Index) const { return GetItem(Index).Position; }
    double GetLine1(int Index) const { return GetItem(Index).Line1; }
    double GetLine2(int Index) const { return GetItem(Index).Line2; }

private:
    std::vector<TItem> FItems;
};
