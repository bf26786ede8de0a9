#pragma once
// A min/max summary of a point list at several resolutions: per block of
// 2^k stored points, the X of its first and last valid point, the smallest,
// the largest and the last Y of its valid points, and whether it holds null
// or empty points and whether its X values run one way. A walk over the
// points that a trace shows then takes whole blocks that fall into one
// screen column at once, so that it costs in proportion to the columns and
// the levels, not to the points.
//
// The summary follows its list lazily: the list tells it which stored
// points changed (or that everything did), and counts the points it wrote;
// the next walk first summarises those again. Points added are summarised
// once each, in blocks.
#include <cstdint>
#include <vector>

#include "plot/core/kPlotColumnWalk.h"
#include "plot/core/kPlotStoredPoint.h"
#include "plot/core/kPlotSummaryNode.h"

class TkPlotStoredPoints;

class TkPlotDataListSummary {
public:
    // The block size follows from the list's record size, so that the
    // summary stays within a tenth of the records' memory.
    explicit TkPlotDataListSummary(int ElementSize);

    // Everything stored may have moved or changed.
    void Invalidate() { FStale = true; }
    // The point at this storage position changed.
    void PointChanged(int Position);
    // Hands Walk the runs of the points First .. Last (logical indexes),
    // after bringing the summary up to date with List.
    void WalkColumns(TkPlotStoredPoints& List, int First, int Last, TkPlotColumnWalk& Walk);
    // The points of First .. Last one by one, without a summary: for a
    // stretch too short for one to pay.
    static void WalkPoints(TkPlotStoredPoints& List, int First, int Last, TkPlotColumnWalk& Walk);

    int BlockSize() const { return 1 << FShift; }
    std::int64_t GetMemorySize() const;

    using TNode = TkPlotSummaryNode;
    // The stored points From .. To - 1, read by Read(Position).
    template <class Read> static TNode Summarise(int From, int To, Read ReadPoint)
    {
        TNode n;
        for (int p = From; p < To; ++p) {
            const TkPlotStoredPoint q = ReadPoint(p);
            if (q.Null || q.Empty) {
                n.Flags &= ~TNode::fAllValid;
                n.Flags |= q.Null ? TNode::fHasNull : 0;
                continue;
            }
            if (n.Flags & TNode::fHasValid) {
                n.Flags &= ~((q.X >= n.LastX ? 0 : TNode::fUp) | (q.X <= n.LastX ? 0 : TNode::fDown));
            } else {
                n.Flags |= TNode::fHasValid;
                n.FirstX = q.X;
            }
            n.LastX = q.X;
            n.LastY = q.Y;
            if (q.Y > n.MaxY)
                n.MaxY = q.Y;
            if (q.Y < n.MinY)
                n.MinY = q.Y;
        }
        return n;
    }

private:
    class TWalker;

    void Update(TkPlotStoredPoints& List);
    void Resize(int Leaves);
    TNode SummariseLeaf(TkPlotStoredPoints& List, int Count, int Leaf) const;
    // Leaves and every level above them summarised again.
    void Rebuild(TkPlotStoredPoints& List, int Count);
    // The given leaves summarised again, and the nodes above them (or all
    // nodes above the leaves).
    void Refresh(TkPlotStoredPoints& List, int Count, std::vector<int>& Leaves, bool AllAbove);
    void CombineAll();
    static TNode Combine(const TNode& A, const TNode& B);
    void CombineInto(int Level, int Index);

    int FShift;
    // Level 0 holds one node per block of stored points; each level above
    // one node per two of the level below, up to a single node.
    std::vector<std::vector<TNode>> FLevels;
    bool FStale = true;
    std::vector<int> FChangedLeaves;
    // The list's count of points written, as last summarised.
    std::int64_t FWritten = 0;
};
