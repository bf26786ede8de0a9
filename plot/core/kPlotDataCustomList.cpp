#include "plot/core/kPlotDataCustomList.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>
#include <unistd.h>

#include "rtl/Exception.h"

namespace {

// Record blocks from this size on are pages of their own instead of heap
// blocks. A large heap block that has to move when it grows leaves its
// old place behind as a hole that stays resident, and with dozens of
// channels growing side by side that cost a fifth more memory than the
// points; pages grow in place or are moved without a copy, and go back
// to the system when freed.
constexpr std::size_t PagedFrom = 256 * 1024;

std::size_t PageRounded(std::size_t Bytes)
{
    static const std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
    return (Bytes + page - 1) / page * page;
}

char* MapPages(std::size_t Bytes)
{
    void* p = ::mmap(nullptr, PageRounded(Bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    return static_cast<char*>(p);
}

void FreeBlock(char* Data, std::size_t Bytes, bool Paged)
{
    if (!Data)
        return;
    if (Paged)
        ::munmap(Data, PageRounded(Bytes));
    else
        std::free(Data);
}

// Data (OldBytes long, paged or not) resized to NewBytes (> 0), keeping
// what fits; on failure nothing has changed.
char* ResizeBlock(char* Data, std::size_t OldBytes, std::size_t NewBytes, bool& Paged)
{
    const bool paged = NewBytes >= PagedFrom;
    if (Data && Paged && paged) {
        void* p = ::mremap(Data, PageRounded(OldBytes), PageRounded(NewBytes), MREMAP_MAYMOVE);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        return static_cast<char*>(p);
    }
    if (!paged && (!Data || !Paged)) {
        void* p = std::realloc(Data, NewBytes);
        if (!p)
            throw std::bad_alloc();
        Paged = false;
        return static_cast<char*>(p);
    }
    char* p = paged ? MapPages(NewBytes) : static_cast<char*>(std::malloc(NewBytes));
    if (!p)
        throw std::bad_alloc();
    if (Data)
        std::memcpy(p, Data, std::min(OldBytes, NewBytes));
    FreeBlock(Data, OldBytes, Paged);
    Paged = paged;
    return p;
}

}  // namespace

TkPlotStoredPoints::TShape TkPlotDataCustomList::StoredShape() const
{
    return {FCount,      FCapacity, FRingStart,   FRingBufferEnabled, FCount + FOverwritten,
            ComputesX(), FData,     FElementSize, LeadsWithXY()};
}

TkPlotDataCustomList::~TkPlotDataCustomList()
{
    FreeData();
}

bool TkPlotDataCustomList::GetEmpty(int)
{
    return false;
}
bool TkPlotDataCustomList::GetNull(int)
{
    return false;
}
double TkPlotDataCustomList::GetExtraValue(int, int)
{
    return 0.0;
}
void TkPlotDataCustomList::SetEmpty(int, bool) {}
void TkPlotDataCustomList::SetNull(int, bool) {}
void TkPlotDataCustomList::SetExtraValue(int, int, double) {}

bool TkPlotDataCustomList::GetMarkersVisible(int Index)
{
    const TkPlotDataAttributes* a = RecordAttributes(Index);
    return (a ? *a : Attributes).MarkersVisible;
}

void TkPlotDataCustomList::SetMarkersVisible(int Index, bool Value)
{
    if (TkPlotDataAttributes* a = RecordAttributes(Index))
        a->MarkersVisible = Value;
}

std::uint8_t TkPlotDataCustomList::GetMarkersStyle(int Index)
{
    const TkPlotDataAttributes* a = RecordAttributes(Index);
    return (a ? *a : Attributes).MarkersStyle;
}

void TkPlotDataCustomList::SetMarkersStyle(int Index, std::uint8_t Value)
{
    if (TkPlotDataAttributes* a = RecordAttributes(Index))
        a->MarkersStyle = Value;
}

TkPlotDataAttributes TkPlotDataCustomList::GetPointAttributes(int Index)
{
    if (const TkPlotDataAttributes* a = RecordAttributes(Index))
        return *a;
    // A list may keep the markers per point without a whole block.
    TkPlotDataAttributes result = Attributes;
    result.MarkersVisible = GetMarkersVisible(Index);
    result.MarkersStyle = GetMarkersStyle(Index);
    return result;
}

void TkPlotDataCustomList::SetPointAttributes(int Index, const TkPlotDataAttributes& Value)
{
    if (TkPlotDataAttributes* a = RecordAttributes(Index)) {
        *a = Value;
        return;
    }
    SetMarkersVisible(Index, Value.MarkersVisible);
    SetMarkersStyle(Index, Value.MarkersStyle);
}

void TkPlotDataCustomList::SetElementSize(int Size)
{
    FElementSize = Size;
    FMaxCapacity = INT_MAX / Size;
}

void TkPlotDataCustomList::WalkColumns(int First, int Last, TkPlotColumnWalk& Walk)
{
    MapIndex(First);
    MapIndex(Last);
    // A stretch this long is where a summary starts to pay: below it the
    // points are fewer than a chart's columns.
    constexpr int SummaryFrom = 4096;
    if (!FSummary && Last - First < SummaryFrom) {
        TkPlotDataListSummary::WalkPoints(*this, First, Last, Walk);
        return;
    }
    if (!FSummary)
        FSummary = std::make_unique<TkPlotDataListSummary>(FElementSize);
    FSummary->WalkColumns(*this, First, Last, Walk);
}

int TkPlotDataCustomList::MapIndex(int Index) const
{
    if (Index < 0 || Index >= FCount)
        throw Exception("Index out of Bounds");
    if (FRingStart == 0)
        return Index;
    const int p = Index + FRingStart;  // cannot overflow: both below Count
    return p <= FCount - 1 ? p : p - FCount;
}

void TkPlotDataCustomList::Grow()
{
    int delta = 4;
    if (FCapacity > 64)
        delta = FCapacity / 4;
    else if (FCapacity > 8)
        delta = 16;
    // Near the limit, take what is left rather than overflow.
    if (FCapacity > FMaxCapacity - delta)
        delta = FCapacity < FMaxCapacity ? FMaxCapacity - FCapacity : 1;
    SetCapacity(FCapacity + delta);
}

void TkPlotDataCustomList::SetCapacity(int NewCapacity)
{
    if (NewCapacity > FMaxCapacity)
        throw Exception("Exceed Maximum List Size");
    if (NewCapacity < 0)
        throw Exception("Index out of Bounds");
    if (NewCapacity == FCapacity)
        return;
    // Records keep their places only in logical order: a wrapped ring would
    // otherwise be cut in the middle, or new points land amid old ones.
    Unwrap();
    if (NewCapacity < FCount)
        DataMoved();
    if (NewCapacity == 0) {
        FreeData();
    } else {
        FData = ResizeBlock(FData, std::size_t(FCapacity) * std::size_t(FElementSize),
                            std::size_t(NewCapacity) * std::size_t(FElementSize), FPaged);
    }
    FCapacity = NewCapacity;
    if (NewCapacity < FCount)
        FCount = NewCapacity;
}

void TkPlotDataCustomList::FreeData()
{
    FreeBlock(FData, std::size_t(FCapacity) * std::size_t(FElementSize), FPaged);
    FData = nullptr;
    FPaged = false;
    FCapacity = 0;
    // The summary's memory goes with the records': a list emptied for good
    // keeps nothing of its points.
    FSummary.reset();
}

int TkPlotDataCustomList::ReserveSlotWhenFull(bool& Overwrote)
{
    if (FRingBufferEnabled && FCount >= FCapacity) {
        if (FCapacity == 0)
            throw Exception("Exceed Maximum List Size");
        ++FRingStart;
        if (FRingStart == FCount)
            FRingStart = 0;
        ++FOverwritten;
        Overwrote = true;
        return FRingStart == 0 ? FCount - 1 : FRingStart - 1;
    }
    if (!FRingBufferEnabled && FCount == FCapacity)
        Grow();
    return FCount++;
}

void TkPlotDataCustomList::Clear()
{
    DataMoved();
    FCount = 0;
    FRingStart = 0;
    if (!FRingBufferEnabled)
        SetCapacity(0);
}

void TkPlotDataCustomList::DeleteFirst(int N)
{
    if (N < 0 || N > MaxDeleteCount())
        throw Exception(DeleteRangeMessage());
    // The oldest points are the ones dropped, also from a wrapped ring.
    Unwrap();
    if (N > 0)
        DataMoved();
    FCount -= N;
    if (FCount > 0 && N > 0)
        std::memmove(FData, Record(N), std::size_t(FCount) * std::size_t(FElementSize));
}

void TkPlotDataCustomList::Unwrap()
{
    if (FRingStart == 0)
        return;
    DataMoved();
    std::rotate(FData, static_cast<char*>(Record(FRingStart)), static_cast<char*>(Record(FCount)));
    FRingStart = 0;
}

void TkPlotDataCustomList::SetRingBufferSize(int Value)
{
    if (Value < 0 || Value > FMaxCapacity)
        throw Exception("Exceed Maximum List Size");
    if (Value == 0) {
        if (!FRingBufferEnabled)
            return;
        FRingBufferEnabled = false;
        if (FRingStart != 0)
            Clear();
        return;
    }
    FRingBufferEnabled = true;
    if (Value == FCapacity)
        return;
    if (FRingStart != 0)
        Clear();
    if (Value > FCapacity) {
        SetCapacity(Value);
    } else {
        if (Value < FCount)
            DeleteFirst(FCount - Value);
        SetCapacity(Value);
    }
}
