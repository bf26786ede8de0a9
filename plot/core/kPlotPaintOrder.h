#pragma once
// The order in which the plot draws the objects inside its data view: by
// layer, then by group letter ('A' filled limits, 'B' the data view, 'C'
// other limits, 'D' crossing Y axes, 'E' crossing X axes, 'F' channels,
// 'G' annotations). Layers compare as numbers, so negative layers and
// layers of seven digits or more sort where they belong. Among equal keys
// the object added last is drawn first, so the one added first ends on top.
#include <vector>

class TkPlotObject;

class TkPlotPaintOrder {
public:
    void Clear() { FEntries.clear(); }
    void Add(int Layer, char Group, TkPlotObject* Object);
    int Count() const { return static_cast<int>(FEntries.size()); }
    TkPlotObject* Item(int Index) const { return FEntries.at(static_cast<std::size_t>(Index)).Object; }

private:
    struct TEntry {
        int Layer;
        char Group;
        TkPlotObject* Object;
    };
    std::vector<TEntry> FEntries;
};
