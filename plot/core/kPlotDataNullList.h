#pragma once
#include <cstddef>

#include "plot/core/kPlotDataCustomList.h"

// X, Y and a flag word per point (Null, Empty, marker visibility and style).
class TkPlotDataNullList : public TkPlotDataCustomList {
public:
    TkPlotDataNullList();

    double GetX(int Index) override;
    double GetY(int Index) override;
    bool GetEmpty(int Index) override;
    bool GetNull(int Index) override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    void SetEmpty(int Index, bool Value) override;
    void SetNull(int Index, bool Value) override;
    bool GetMarkersVisible(int Index) override;
    void SetMarkersVisible(int Index, bool Value) override;
    std::uint8_t GetMarkersStyle(int Index) override;
    void SetMarkersStyle(int Index, std::uint8_t Value) override;
    int Add(double X, double Y, bool Null, bool Empty) override;
    void GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null) override;

    struct Point {
        double X;
        double Y;
        std::uint16_t Flags;
    };
    enum : std::uint16_t { flNull = 1, flEmpty = 2, flMarkersVisible = 4, flStyleShift = 3, flStyleMask = 0x78 };

protected:
    bool LeadsWithXY() const override { return offsetof(Point, X) == 0 && offsetof(Point, Y) == sizeof(double); }
    TkPlotStoredPoint StoredPoint(int Logical, int Position) override;
    TkPlotDataListSummary::TNode SummariseStored(int From, int To) override;
    void FoldStoredY(int From, int To, double& MinY, double& MaxY) override;

private:
    Point& At(int Index) { return *static_cast<Point*>(Record(MapIndex(Index))); }
    void SetFlag(int Index, std::uint16_t Flag, bool Value);
};
