#pragma once
// The stored points as a list's summary reads them. The list owns its
// summary; the summary sees the list only through this, so that it does
// not depend on the list that holds it.
#include <cstdint>

#include "plot/core/kPlotStoredPoint.h"
#include "plot/core/kPlotSummaryNode.h"

class TkPlotStoredPoints {
public:
    // How the points lie in storage, taken once per walk or update.
    struct TShape {
        int Count = 0;
        int Capacity = 0;
        int RingStart = 0;
        bool Ring = false;
        // Points written since the list was made: what the summary has not
        // seen of them is the newest.
        std::int64_t Written = 0;
        // X follows from the index rather than being stored.
        bool ComputesX = false;
        const char* Data = nullptr;
        int ElementSize = 1;
        // Every record begins with its X and its Y as doubles: a walk reads
        // them in place instead of asking for each point.
        bool LeadsWithXY = false;

        double XAt(int Position) const { return Field(Position, 0); }
        double YAt(int Position) const { return Field(Position, 1); }

        // Asks the processor to fetch the records stored at From .. To,
        // which the summary is about to search: fetched all at once rather
        // than one after another as a search reaches them.
        void Prefetch(int From, int To) const
        {
            const char* end = Data + std::int64_t(To) * ElementSize;
            for (const char* p = Data + std::int64_t(From) * ElementSize; p <= end; p += 64)
                __builtin_prefetch(p);
        }

    private:
        double Field(int Position, int Index) const
        {
            double v;
            __builtin_memcpy(&v, Data + std::int64_t(Position) * ElementSize + Index * sizeof(double), sizeof v);
            return v;
        }
    };

    virtual TShape StoredShape() const = 0;
    virtual double GetX(int Index) = 0;
    // A stored point (Logical is its index), the stored points From .. To - 1
    // summarised, and the Y of the points stored at From .. To, all of them
    // valid, folded into a column's range.
    virtual TkPlotStoredPoint StoredPoint(int Logical, int Position) = 0;
    virtual TkPlotSummaryNode SummariseStored(int From, int To) = 0;
    virtual void FoldStoredY(int From, int To, double& MinY, double& MaxY) = 0;

protected:
    ~TkPlotStoredPoints() = default;
};
