#include "plot/core/kPlotDataListSummary.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plot/core/kPlotMinMaxPoint.h"
#include "plot/core/kPlotPixelScale.h"
#include "plot/core/kPlotStoredPoints.h"

namespace {

// Bytes a summary may take per record byte, and the most the list's
// capacity may exceed its points by (its growth step).
constexpr double MemoryShare = 0.1;
constexpr double CapacitySlack = 1.25;

// The smallest block of 2^Shift records whose share of the summary (about
// two nodes per block over all levels) stays within MemoryShare of the
// records, even for a list whose capacity runs a growth step ahead.
int ShiftFor(int ElementSize)
{
    int shift = 0;
    while (2.0 * sizeof(TkPlotDataListSummary::TNode) * CapacitySlack > MemoryShare * ElementSize * double(1 << shift))
        ++shift;
    return shift;
}

}  // namespace

// One walk over a stretch of points: the run being gathered, and where
// the next point is stored.
class TkPlotDataListSummary::TWalker {
public:
    TWalker(const TkPlotDataListSummary* Summary, TkPlotStoredPoints& List, int Last, TkPlotColumnWalk& Walk)
        : FSummary(Summary),
          FList(List),
          FWalk(Walk),
          FLast(Last),
          FShape(List.StoredShape()),
          FCount(FShape.Count),
          FRingStart(FShape.RingStart),
          FComputesX(FShape.ComputesX),
          FColumns(Walk.ColumnScale())
    {
    }

    void Walk(int First)
    {
        int j = First;
        while (j <= FLast) {
            if (FOpen && FSummary && TakeNode(j))
                continue;
            const int end = FSummary ? LeafEnd(j) : FLast;
            if (FSummary && LeafRunsOneWay(j))
                CleanStretch(j, end);
            else
                EachPoint(j, end);
            j = end + 1;
        }
        Close();
    }

private:
    int Position(int Logical) const
    {
        if (FRingStart == 0)
            return Logical;
        const int p = Logical + FRingStart;
        return p < FCount ? p : p - FCount;
    }
    int ColumnOf(double X) { return FColumns ? FColumns->Pixel(X) : FWalk.Column(X); }
    TkPlotStoredPoint Read(int Logical) const { return FList.StoredPoint(Logical, Position(Logical)); }

    // The last index from J on that is stored in J's block, or FLast.
    int LeafEnd(int J) const
    {
        const int p = Position(J);
        const int shift = FSummary->FShift;
        const int storedEnd = std::min(((p >> shift) + 1) << shift, FCount) - 1;
        return std::min(FLast, J + (storedEnd - p));
    }

    // J's block holds valid points only, whose X run one way.
    bool LeafRunsOneWay(int J) const
    {
        const TNode& n = FSummary->FLevels[0][std::size_t(Position(J) >> FSummary->FShift)];
        return (n.Flags & TNode::fAllValid) && (n.Flags & (TNode::fUp | TNode::fDown));
    }

    // Takes the largest block that starts at J, lies within the stretch and
    // whose valid points all fall into the open run's column; one that
    // holds no valid point is passed over. False when none does.
    bool TakeNode(int& J)
    {
        const int shift = FSummary->FShift;
        const int p = Position(J);
        if (p & ((1 << shift) - 1))
            return false;
        const int leaf = p >> shift;
        const auto storedEnd = [&](int Level) {
            return int(std::min<std::int64_t>(std::int64_t(leaf + (1 << Level)) << shift, FCount)) - 1;
        };
        int top = -1;
        for (int k = 0; k < int(FSummary->FLevels.size()) && (leaf & ((1 << k) - 1)) == 0; ++k) {
            // A block that would hold both the newest and the oldest points
            // of a wrapped ring reaches past the newest, so past FLast.
            if (J + (storedEnd(k) - p) > FLast)
                break;
            top = k;
        }
        // The nodes lie far apart, one per level: fetched together.
        for (int k = top; k >= 0; --k)
            __builtin_prefetch(&FSummary->FLevels[std::size_t(k)][std::size_t(leaf >> k)]);
        for (int k = top; k >= 0; --k) {
            const TNode& n = FSummary->FLevels[std::size_t(k)][std::size_t(leaf >> k)];
            const int length = storedEnd(k) - p + 1;
            if (n.Flags & TNode::fHasNull)
                continue;
            if (!(n.Flags & TNode::fHasValid)) {
                J += length;
                return true;
            }
            if (!(n.Flags & (TNode::fUp | TNode::fDown)))
                continue;
            const double firstX = FComputesX ? FList.GetX(J) : n.FirstX;
            const double lastX = FComputesX ? FList.GetX(J + length - 1) : n.LastX;
            if (InRun(firstX) && InRun(lastX)) {
                FRun.Widen(n.MinY, n.MaxY, n.LastY);
                J += length;
                return true;
            }
        }
        return false;
    }

    // J .. End lie in one block of valid points whose X run one way: each
    // column's stretch of them is searched for and its Y folded at once.
    void CleanStretch(int J, int End)
    {
        // Read in place, the records come one after the other, as the
        // processor fetches them ahead on its own. Only on a linear scale,
        // where a column's span is told without converting each point;
        // otherwise searching for the column's end converts fewer.
        if (FShape.LeadsWithXY && FColumns && FColumns->IsLinear()) {
            ReadStretchInPlace(J, End);
            return;
        }
        FShape.Prefetch(Position(J), Position(End));
        while (J <= End) {
            const TkPlotStoredPoint q = Read(J);
            if (!FOpen || !InRun(q.X)) {
                Close();
                Open(J, q);
            }
            const int e = LastInRun(J, End, [this](int I) { return InRun(Read(I).X); });
            FList.FoldStoredY(Position(J), Position(e), FRun.Min, FRun.Max);
            FRun.LastValue = Read(e).Y;
            J = e + 1;
        }
    }

    // The same, the records read in place one after the other. X runs one
    // way here, so the points that fall into the run's column lie together:
    // their end is searched for through the column's span (no conversion,
    // no call), and only their Y are read to fold them.
    void ReadStretchInPlace(int J, int End)
    {
        // One block: stored one after the other.
        const int first = Position(J) - J;
        while (J <= End) {
            const double x = FShape.XAt(first + J);
            if (!FOpen || !InRun(x)) {
                Close();
                Open(J, TkPlotStoredPoint{x, FShape.YAt(first + J), false, false});
                ++J;
                continue;
            }
            // A value on one of the span's marks is left to InRun, which
            // converts it, at the next turn.
            const double low = FLow, high = FHigh;
            const TkPlotPixelScale::TSpan span = FSpan;
            const int in = LastInRun(J, End, [&](int I) {
                const double X = FShape.XAt(first + I);
                return (X >= low && X <= high) || span.Holds(X);
            });
            double minY = FRun.Min, maxY = FRun.Max;
            for (int i = J; i <= in; ++i) {
                const double y = FShape.YAt(first + i);
                maxY = y > maxY ? y : maxY;
                minY = y < minY ? y : minY;
            }
            FRun.Min = minY;
            FRun.Max = maxY;
            FRun.LastValue = FShape.YAt(first + in);
            J = in + 1;
        }
    }

    // The last of J .. End (X running one way) in the run, J being in it;
    // InRunAt(I) tells whether point I is. Evenly spaced points fill their
    // columns about alike: where the run would end if as long as the one
    // before is tried first, then the rest is halved.
    template <class Test> int LastInRun(int J, int End, Test InRunAt)
    {
        int in = J, out = End + 1;
        const auto probe = [&](int I) { (InRunAt(I) ? in : out) = I; };
        const std::int64_t guess = std::int64_t(FRunStart) + FRunLength - 1;
        if (guess > J && guess < End) {
            probe(int(guess));
            probe(in == guess ? in + 1 : out - 1);
        } else {
            probe(End);
        }
        while (out - in > 1)
            probe(in + (out - in) / 2);
        return in;
    }

    void EachPoint(int J, int End)
    {
        for (; J <= End; ++J) {
            const TkPlotStoredPoint q = Read(J);
            if (q.Empty)
                continue;
            if (q.Null) {
                Close();
                FWalk.Break();
            } else if (FOpen && InRun(q.X)) {
                FRun.Add(FRun.FirstIndex, q.X, q.Y);
            } else {
                Close();
                Open(J, q);
            }
        }
    }

    void Open(int J, const TkPlotStoredPoint& Q)
    {
        FRun.Reset();
        // Often the point that ended the run before, whose column is known.
        FRun.Add(Q.X == FConvertedX ? FConvertedColumn : ColumnOf(Q.X), Q.X, Q.Y);
        FOpen = true;
        FPositive = Q.X > 0;
        FLow = FHigh = Q.X;
        FSpan = FColumns ? FColumns->Span(FRun.FirstIndex) : TkPlotPixelScale::TSpan();
        if (J > FRunStart)
            FRunLength = J - FRunStart;
        FRunStart = J;
        // Columns of evenly spaced points hold about as many points each:
        // the blocks this one will likely take are fetched all at once,
        // instead of one after the other as the walk reaches them (a run
        // within a block or two has its records fetched with the block).
        if (FSummary && FRunLength > 2 * FSummary->BlockSize())
            FetchAhead(J, int(std::min<std::int64_t>(FLast, std::int64_t(J) + FRunLength)));
    }

    // Asks for the nodes that would cover From .. To, and the records of
    // the block where To lies.
    void FetchAhead(int From, int To) const
    {
        const int shift = FSummary->FShift;
        const int levels = int(FSummary->FLevels.size());
        int j = From;
        while (j <= To) {
            const int p = Position(j);
            const int leaf = p >> shift;
            int k = 0;
            if ((p & ((1 << shift) - 1)) == 0)
                while (k + 1 < levels && (leaf & ((2 << k) - 1)) == 0 &&
                       j + (std::int64_t(2) << (k + shift)) - 1 <= To && p + (std::int64_t(2) << (k + shift)) <= FCount)
                    ++k;
            __builtin_prefetch(&FSummary->FLevels[std::size_t(k)][std::size_t(leaf >> k)]);
            j += std::max(1, std::min(((leaf + (1 << k)) << shift) - p, FCount - p));
        }
        const int p = Position(To);
        FShape.Prefetch(p & ~((1 << shift) - 1), std::min(p | ((1 << shift) - 1), FCount - 1));
    }

    void Close()
    {
        if (FOpen)
            FWalk.Run(FRun);
        FOpen = false;
    }

    // X falls into the open run's column, on the same side of zero. Every
    // X between two that do does too, so those need no conversion.
    bool InRun(double X)
    {
        if ((X >= FLow && X <= FHigh) || FSpan.Holds(X))
            return true;
        if ((X > 0) != FPositive)
            return false;
        if (X != FConvertedX) {
            FConvertedX = X;
            FConvertedColumn = ColumnOf(X);
        }
        if (FConvertedColumn != FRun.FirstIndex)
            return false;
        if (X < FLow)
            FLow = X;
        if (X > FHigh)
            FHigh = X;
        return true;
    }

    const TkPlotDataListSummary* FSummary;
    TkPlotStoredPoints& FList;
    TkPlotColumnWalk& FWalk;
    const int FLast;
    const TkPlotStoredPoints::TShape FShape;
    const int FCount;
    const int FRingStart;
    const bool FComputesX;
    const TkPlotPixelScale* const FColumns;
    bool FOpen = false;
    TkPlotMinMaxPoint FRun;
    // Where the open run began, and how many points the one before took.
    int FRunStart = std::numeric_limits<int>::max();
    int FRunLength = 0;
    // The last X converted to a column: the walk often asks again.
    double FConvertedX = std::numeric_limits<double>::quiet_NaN();
    int FConvertedColumn = 0;
    bool FPositive = false;
    // X values known to lie in the run's column; none to begin with.
    double FLow = std::numeric_limits<double>::infinity();
    double FHigh = -std::numeric_limits<double>::infinity();
    // On a linear scale, the X that fall into the run's column.
    TkPlotPixelScale::TSpan FSpan;
};

TkPlotDataListSummary::TkPlotDataListSummary(int ElementSize) : FShift(ShiftFor(ElementSize)) {}

void TkPlotDataListSummary::PointChanged(int Position)
{
    if (FStale)
        return;
    // Past a few, everything is summarised again anyway.
    if (FChangedLeaves.size() >= 64) {
        FStale = true;
        FChangedLeaves.clear();
        return;
    }
    FChangedLeaves.push_back(Position >> FShift);
}

void TkPlotDataListSummary::WalkColumns(TkPlotStoredPoints& List, int First, int Last, TkPlotColumnWalk& Walk)
{
    Update(List);
    TWalker(this, List, Last, Walk).Walk(First);
}

void TkPlotDataListSummary::WalkPoints(TkPlotStoredPoints& List, int First, int Last, TkPlotColumnWalk& Walk)
{
    TWalker(nullptr, List, Last, Walk).Walk(First);
}

std::int64_t TkPlotDataListSummary::GetMemorySize() const
{
    std::int64_t bytes = 0;
    for (const std::vector<TNode>& level : FLevels)
        bytes += std::int64_t(level.capacity() * sizeof(TNode));
    return bytes;
}

void TkPlotDataListSummary::Update(TkPlotStoredPoints& List)
{
    const TkPlotStoredPoints::TShape shape = List.StoredShape();
    const int capacity = shape.Capacity;
    const int leaves = (capacity >> FShift) + ((capacity & ((1 << FShift) - 1)) ? 1 : 0);
    const bool resized = FLevels.empty() || int(FLevels[0].size()) != leaves;
    if (resized)
        Resize(leaves);
    const std::int64_t written = shape.Written;
    const std::int64_t fresh = written - FWritten;
    const int count = shape.Count;
    if (FStale || fresh >= count) {
        Rebuild(List, count);
    } else {
        std::vector<int> leavesToDo;
        leavesToDo.swap(FChangedLeaves);
        if (fresh > 0) {
            // Points are written one storage position after another, round
            // the ring when it is full: the fresh ones end before the next.
            const int next = shape.Ring && count == capacity ? shape.RingStart : count;
            int from = next - int(fresh);
            if (from < 0)
                from += capacity;
            const int to = from + int(fresh) - 1;
            for (int leaf = from >> FShift; leaf <= std::min(to, capacity - 1) >> FShift; ++leaf)
                leavesToDo.push_back(leaf);
            if (to >= capacity)
                for (int leaf = 0; leaf <= (to - capacity) >> FShift; ++leaf)
                    leavesToDo.push_back(leaf);
        }
        Refresh(List, count, leavesToDo, resized);
    }
    FStale = false;
    FChangedLeaves.clear();
    FWritten = written;
}

void TkPlotDataListSummary::Resize(int Leaves)
{
    // The leaves of stored points keep their places (a list grows in
    // place); the levels above are combined again. Exact sizes: a vector's
    // own growth would double the summary's memory.
    std::vector<std::vector<TNode>> levels;
    int size = Leaves;
    do {
        levels.emplace_back();
        levels.back().reserve(std::size_t(size));
        if (levels.size() == 1 && !FLevels.empty())
            levels.back().assign(FLevels[0].begin(),
                                 FLevels[0].begin() + std::ptrdiff_t(std::min(FLevels[0].size(), std::size_t(size))));
        levels.back().resize(std::size_t(size));
        size = (size + 1) / 2;
    } while (levels.back().size() > 1);
    FLevels.swap(levels);
}

TkPlotDataListSummary::TNode TkPlotDataListSummary::SummariseLeaf(TkPlotStoredPoints& List, int Count, int Leaf) const
{
    const int from = Leaf << FShift;
    const int to = std::min(from + (1 << FShift), Count);
    return from < to ? List.SummariseStored(from, to) : TNode();
}

void TkPlotDataListSummary::Rebuild(TkPlotStoredPoints& List, int Count)
{
    std::vector<TNode>& leaves = FLevels[0];
    for (std::size_t i = 0; i < leaves.size(); ++i)
        leaves[i] = SummariseLeaf(List, Count, int(i));
    CombineAll();
}

void TkPlotDataListSummary::CombineAll()
{
    for (std::size_t k = 1; k < FLevels.size(); ++k)
        for (std::size_t i = 0; i < FLevels[k].size(); ++i)
            CombineInto(int(k), int(i));
}

void TkPlotDataListSummary::Refresh(TkPlotStoredPoints& List, int Count, std::vector<int>& Leaves, bool AllAbove)
{
    std::sort(Leaves.begin(), Leaves.end());
    Leaves.erase(std::unique(Leaves.begin(), Leaves.end()), Leaves.end());
    std::vector<int> indexes;
    for (int leaf : Leaves)
        if (leaf < int(FLevels[0].size())) {
            FLevels[0][std::size_t(leaf)] = SummariseLeaf(List, Count, leaf);
            indexes.push_back(leaf);
        }
    // Past a quarter of the nodes, combining them all costs no more.
    if (AllAbove || indexes.size() * 4 > FLevels[0].size()) {
        CombineAll();
        return;
    }
    for (std::size_t k = 1; k < FLevels.size(); ++k) {
        for (int& i : indexes)
            i /= 2;
        indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
        for (int i : indexes)
            CombineInto(int(k), i);
    }
}

void TkPlotDataListSummary::CombineInto(int Level, int Index)
{
    const std::vector<TNode>& below = FLevels[std::size_t(Level - 1)];
    const std::size_t left = std::size_t(Index) * 2;
    FLevels[std::size_t(Level)][std::size_t(Index)] = left + 1 < below.size() ? Combine(below[left], below[left + 1])
                                                                              : below[left];
}

TkPlotDataListSummary::TNode TkPlotDataListSummary::Combine(const TNode& A, const TNode& B)
{
    const bool a = A.Flags & TNode::fHasValid, b = B.Flags & TNode::fHasValid;
    TNode n;
    n.Flags = std::uint8_t((A.Flags | B.Flags) & (TNode::fHasValid | TNode::fHasNull));
    n.Flags |= std::uint8_t(A.Flags & B.Flags & (TNode::fAllValid | TNode::fUp | TNode::fDown));
    if (a && b) {
        if (!(B.FirstX >= A.LastX))
            n.Flags &= std::uint8_t(~TNode::fUp);
        if (!(B.FirstX <= A.LastX))
            n.Flags &= std::uint8_t(~TNode::fDown);
    }
    n.FirstX = a ? A.FirstX : B.FirstX;
    n.LastX = b ? B.LastX : A.LastX;
    n.LastY = b ? B.LastY : A.LastY;
    n.MinY = B.MinY < A.MinY ? B.MinY : A.MinY;
    n.MaxY = B.MaxY > A.MaxY ? B.MaxY : A.MaxY;
    return n;
}
