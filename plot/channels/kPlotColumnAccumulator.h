#pragma once
// The points of a trace that fall into one screen column, reduced to what
// a line through them shows: the first point's X and Y, the smallest and
// largest Y, and the last Y.
class TkPlotColumnAccumulator {
public:
    bool Empty = true;
    int Column = 0;
    double X = 0;
    double FirstY = 0;
    double MaxY = -1e301;
    double MinY = 1e301;
    double LastY = 0;

    void Reset() { *this = TkPlotColumnAccumulator(); }
    void Add(int AColumn, double AX, double Y)
    {
        if (Empty) {
            Empty = false;
            Column = AColumn;
            X = AX;
            FirstY = Y;
        }
        if (Y > MaxY)
            MaxY = Y;
        if (Y < MinY)
            MinY = Y;
        LastY = Y;
    }
};
