#pragma once
#include <cstddef>

#include "plot/core/kPlotDataCustomList.h"

// Everything per point: X, Y, Null, Empty, four extra values and every
// drawing attribute.
class TkPlotDataFullList : public TkPlotDataCustomList {
public:
    TkPlotDataFullList();

    double GetX(int Index) override;
    double GetY(int Index) override;
    bool GetEmpty(int Index) override;
    bool GetNull(int Index) override;
    double GetExtraValue(int Which, int Index) override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    void SetEmpty(int Index, bool Value) override;
    void SetNull(int Index, bool Value) override;
    void SetExtraValue(int Which, int Index, double Value) override;
    int Add(double X, double Y, bool Null, bool Empty) override;
    void GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null) override;

    struct Point {
        double X;
        double Y;
        bool Null;
        bool Empty;
        double Extra[4];
        TkPlotDataAttributes Attributes;
    };

protected:
    bool LeadsWithXY() const override { return offsetof(Point, X) == 0 && offsetof(Point, Y) == sizeof(double); }
    TkPlotDataAttributes* RecordAttributes(int Index) override { return &At(Index).Attributes; }
    const char* DeleteRangeMessage() const override { return "Delete Size Out Of Range"; }
    TkPlotStoredPoint StoredPoint(int Logical, int Position) override;
    TkPlotDataListSummary::TNode SummariseStored(int From, int To) override;
    void FoldStoredY(int From, int To, double& MinY, double& MaxY) override;

private:
    Point& At(int Index) { return *static_cast<Point*>(Record(MapIndex(Index))); }
    static int ExtraSlot(int Which);
};
