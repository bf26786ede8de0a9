#pragma once
// Growable arrays of point records behind every plot channel, with an
// optional ring-buffer mode. Indexes passed in are logical (0 = oldest).
#include <cstdint>
#include <memory>

#include "plot/core/kPlotColumnWalk.h"
#include "plot/core/kPlotDataListSummary.h"
#include "plot/core/kPlotStoredPoint.h"
#include "plot/core/kPlotStoredPoints.h"

#include "rtl/PublishedEnum.h"

PUBLISHED_ENUM(TkPlotDataStyle, kpdsStandard, kpdsCompact, kpdsCompactInterval, kpdsFullFeature);

// Drawing attributes that new points inherit (full-feature list) or that
// stand for every point (the other lists). Colours and styles are stored as
// the channel gives them; the field order is the on-record order.
struct TkPlotDataAttributes {
    std::int32_t Color = 0;
    std::int32_t TraceLineWidth = 0;
    std::uint8_t TraceLineStyle = 0;
    bool MarkersVisible = false;
    std::int32_t MarkersSize = 0;
    std::uint8_t MarkersStyle = 0;
    std::int32_t MarkersPenColor = 0;
    std::int32_t MarkersPenWidth = 0;
    std::uint8_t MarkersPenStyle = 0;
    std::int32_t MarkersBrushColor = 0;
    std::uint8_t MarkersBrushStyle = 0;
    char MarkerChar = 0;
    bool Spare = true;
    double BarReference = 0.0;
    double BarWidth = 0.0;
    std::int32_t BarPenColor = 0;
    std::int32_t BarPenWidth = 0;
    std::uint8_t BarPenStyle = 0;
    std::int32_t BarBrushColor = 0;
    std::uint8_t BarBrushStyle = 0;
};

class TkPlotDataCustomList : private TkPlotStoredPoints {
public:
    TkPlotDataCustomList() = default;
    TkPlotDataCustomList(const TkPlotDataCustomList&) = delete;
    TkPlotDataCustomList& operator=(const TkPlotDataCustomList&) = delete;
    virtual ~TkPlotDataCustomList();

    double GetX(int Index) override = 0;
    virtual double GetY(int Index) = 0;
    virtual bool GetEmpty(int Index);
    virtual bool GetNull(int Index);
    virtual double GetExtraValue(int Which, int Index);  // Which 1..4
    virtual void SetX(int Index, double Value) = 0;
    virtual void SetY(int Index, double Value) = 0;
    virtual void SetEmpty(int Index, bool Value);
    virtual void SetNull(int Index, bool Value);
    virtual void SetExtraValue(int Which, int Index, double Value);

    // Per-point attributes: the list-wide value where the list keeps none.
    virtual bool GetMarkersVisible(int Index);
    virtual void SetMarkersVisible(int Index, bool Value);
    virtual std::uint8_t GetMarkersStyle(int Index);
    virtual void SetMarkersStyle(int Index, std::uint8_t Value);
    // Every attribute of one point as a block; those the list keeps no
    // value of per point read as the list-wide value and are not written.
    TkPlotDataAttributes GetPointAttributes(int Index);
    void SetPointAttributes(int Index, const TkPlotDataAttributes& Value);

    // Appends a point; returns the storage position written.
    virtual int Add(double X, double Y, bool Null, bool Empty) = 0;
    virtual void Clear();
    virtual void SetCapacity(int NewCapacity);
    virtual void DeleteFirst(int N);
    virtual void GetPoint(int Index, double& X, double& Y, bool& Empty, bool& Null) = 0;
    // Hands Walk the runs of valid points of First .. Last that share a
    // screen column, and the null points between them; a long stretch is
    // walked through the list's summary (TkPlotDataListSummary).
    void WalkColumns(int First, int Last, TkPlotColumnWalk& Walk);
    // Bytes the summary holds; none until a long stretch was walked.
    std::int64_t GetSummaryMemorySize() const { return FSummary ? FSummary->GetMemorySize() : 0; }

    int MapIndex(int Index) const;
    int GetRingBufferSize() const { return FRingBufferEnabled ? FCapacity : 0; }
    void SetRingBufferSize(int Value);
    std::int64_t GetMemorySize() const { return std::int64_t(FCapacity) * FElementSize; }

    int Count() const { return FCount; }
    int Capacity() const { return FCapacity; }
    int RingStart() const { return FRingStart; }
    bool RingBufferEnabled() const { return FRingBufferEnabled; }
    int ElementSize() const { return FElementSize; }
    int MaxCapacity() const { return FMaxCapacity; }

    // List-wide attributes.
    TkPlotDataAttributes Attributes;

protected:
    void SetElementSize(int Size);
    void Grow();
    // Reserves the storage position for a new point following the ring and
    // growth rules, and returns it; Overwrote tells that the oldest point of
    // a full ring was replaced. Appending below the capacity, ring or not,
    // is every Add but a few: it is taken inline, and growing and a full
    // ring out of line.
    int ReserveSlot(bool& Overwrote)
    {
        Overwrote = false;
        if (FCount < FCapacity) [[likely]]
            return FCount++;
        return ReserveSlotWhenFull(Overwrote);
    }
    void* Record(int Position) const { return FData + std::int64_t(Position) * FElementSize; }
    template <class T> T* Records() const { return reinterpret_cast<T*>(FData); }
    virtual TkPlotDataAttributes* RecordAttributes(int) { return nullptr; }
    // The setters of X, Y, Null and Empty tell the summary.
    void PointChanged(int Index)
    {
        if (FSummary)
            FSummary->PointChanged(MapIndex(Index));
    }

    // What the summary reads (see TkPlotStoredPoints).
    TShape StoredShape() const override;
    // X follows from the index rather than being stored.
    virtual bool ComputesX() const { return false; }
    // Each record begins with its X and Y as doubles (see TShape).
    virtual bool LeadsWithXY() const { return false; }
    // The same over records of type R: X and Y are their fields, NullAndEmpty
    // reads the two flags of one, YOf its Y.
    template <class R, class Flags>
    TkPlotDataListSummary::TNode SummariseRecords(int From, int To, Flags NullAndEmpty) const
    {
        const R* r = Records<R>();
        return TkPlotDataListSummary::Summarise(From, To, [&](int P) {
            const auto [null, empty] = NullAndEmpty(r[P]);
            return TkPlotStoredPoint{double(r[P].X), double(r[P].Y), null, empty};
        });
    }
    template <class R, class Y> void FoldRecordsY(int From, int To, double& MinY, double& MaxY, Y YOf) const
    {
        const R* r = Records<R>();
        double lo = MinY, hi = MaxY;
        for (int p = From; p <= To; ++p) {
            const double y = YOf(r[p]);
            hi = y > hi ? y : hi;
            lo = y < lo ? y : lo;
        }
        MinY = lo;
        MaxY = hi;
    }
    virtual const char* DeleteRangeMessage() const { return "Delete size out of Range"; }
    virtual int MaxDeleteCount() const { return FCount - 1; }
    void FreeData();

private:
    // Puts the records of a wrapped ring back into logical order.
    void Unwrap();

    int FCount = 0;
    int FCapacity = 0;
    int FRingStart = 0;
    bool FRingBufferEnabled = false;
    int FElementSize = 1;
    int FMaxCapacity = 0;
    char* FData = nullptr;
    bool FPaged = false;  // FData is pages of its own, not a heap block

    int ReserveSlotWhenFull(bool& Overwrote);
    // Everything stored may have moved: the summary starts again.
    void DataMoved()
    {
        if (FSummary)
            FSummary->Invalidate();
    }
    std::unique_ptr<TkPlotDataListSummary> FSummary;
    std::int64_t FOverwritten = 0;  // points a full ring wrote over older ones

    friend class TkPlotDataCompactIntervalList;
};
