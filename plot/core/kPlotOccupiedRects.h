#pragma once
// Areas already drawn on in one paint by axes that cross the data view, so
// that their labels do not overwrite each other.
#include <vector>

#include "rtl/Types.h"

class TkPlotOccupiedRects {
public:
    void Clear() { FRects.clear(); }
    // Records the area unconditionally.
    void Add(const TRect& R) { FRects.push_back(R); }
    // The first area of a paint is always taken; later ones only when
    // they lie wholly inside Bounds (the data view) and overlap no recorded
    // area. Answers whether the area was taken.
    bool TryOccupy(const TRect& R, const TRect& Bounds);
    int Count() const { return static_cast<int>(FRects.size()); }

private:
    std::vector<TRect> FRects;
};
