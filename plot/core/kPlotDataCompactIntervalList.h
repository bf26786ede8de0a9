#pragma once
#include "plot/core/kPlotDataCustomList.h"

// Y in single precision only: the X of point i is i * Interval + FirstX,
// learnt from the first two points added.
class TkPlotDataCompactIntervalList : public TkPlotDataCustomList {
public:
    TkPlotDataCompactIntervalList();

    double GetX(int Index) override;
    double GetY(int Index) override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    int Add(double X, double Y, bool Null, bool Empty) override;
    void Clear() override;
    void DeleteFirst(int N) override;
    void GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null) override;

    double Interval() const { return FIntervalLearnt ? FInterval : -1.0; }
    bool IntervalLearnt() const { return FIntervalLearnt; }
    double FirstX() const { return FFirstX; }

protected:
    int MaxDeleteCount() const override { return Count(); }
    TkPlotStoredPoint StoredPoint(int Logical, int Position) override;
    TkPlotDataListSummary::TNode SummariseStored(int From, int To) override;
    void FoldStoredY(int From, int To, double& MinY, double& MaxY) override;
    bool ComputesX() const override { return true; }

private:
    // The first point gives the first X, the second the interval.
    void LearnX(double X);
    float& At(int Index) { return *static_cast<float*>(Record(MapIndex(Index))); }

    double FInterval = -1.0;
    bool FIntervalLearnt = false;  // kept apart so that a learnt -1.0 stays learnt
    double FFirstX = 0.0;
};
