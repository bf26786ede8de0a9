#pragma once
// One stored point as a point list hands it to its min/max summary.

struct TkPlotStoredPoint {
    double X;
    double Y;
    bool Null;
    bool Empty;
};
