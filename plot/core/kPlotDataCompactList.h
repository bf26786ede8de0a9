#pragma once
#include "plot/core/kPlotDataCustomList.h"

// X and Y in single precision: 8 bytes a point; Null and Empty are dropped.
class TkPlotDataCompactList : public TkPlotDataCustomList {
public:
    TkPlotDataCompactList();

    double GetX(int Index) override;
    double GetY(int Index) override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    int Add(double X, double Y, bool Null, bool Empty) override;
    void GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null) override;

    struct Point {
        float X;
        float Y;
    };

protected:
    TkPlotStoredPoint StoredPoint(int Logical, int Position) override;
    TkPlotDataListSummary::TNode SummariseStored(int From, int To) override;
    void FoldStoredY(int From, int To, double& MinY, double& MaxY) override;

private:
    Point& At(int Index) { return *static_cast<Point*>(Record(MapIndex(Index))); }
};
