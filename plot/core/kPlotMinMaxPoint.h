#pragma once
// Minimum and maximum of the points that fall into one pixel column.
#include "rtl/Persistent.h"

class TkPlotMinMaxPoint final : public TPersistent {
public:
    TkPlotMinMaxPoint() { Reset(); }

    // Inline: the trace drawing calls these for every point it draws.
    void Reset()
    {
        Empty = true;
        Max = -1e301;
        Min = 1e301;
    }
    void Add(int Index, double X, double Value)
    {
        if (Empty) {
            Empty = false;
            FirstIndex = Index;
            FirstX = X;
            FirstValue = Value;
        }
        if (Value > Max)
            Max = Value;
        if (Value < Min)
            Min = Value;
        LastValue = Value;
    }
    // Takes in points that follow in the same column, given by the range
    // and the last of their values.
    void Widen(double AMin, double AMax, double Last)
    {
        if (AMax > Max)
            Max = AMax;
        if (AMin < Min)
            Min = AMin;
        LastValue = Last;
    }
    // Takes in the points of Later, which follow in the same column.
    void Merge(const TkPlotMinMaxPoint& Later)
    {
        if (Empty)
            CopyFrom(Later);
        else
            Widen(Later.Min, Later.Max, Later.LastValue);
    }
    void CopyFrom(const TkPlotMinMaxPoint& Other);

    bool Empty = true;
    int FirstIndex = 0;
    double FirstX = 0;
    double Max = -1e301;
    double Min = 1e301;
    double FirstValue = 0;
    double LastValue = 0;
};
