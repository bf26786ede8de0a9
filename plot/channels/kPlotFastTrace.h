#pragma once
// The fast trace of a channel, a min/max reduction per screen column: it
// takes the runs of points a walk over the channel's point list hands on
// and keeps the screen lines they make, to be drawn in one go. Per column
// one vertical line from the largest to the smallest Y at the X of its
// first point, and lines joining each column's last Y to the next one's
// first; no line crosses a null point.
#include <vector>

#include "plot/channels/kPlotChannelCustom.h"
#include "plot/core/kPlotColumnWalk.h"
#include "plot/core/kPlotDataListSummary.h"
#include "plot/core/kPlotMinMaxPoint.h"
#include "rtl/Types.h"

class TkPlotFastTrace final : public TkPlotColumnWalk {
public:
    // A trace whose X may run back and forth (InAddedOrder) joins its points
    // in the order they come: a run that returns to the column before the
    // last one starts a column of its own. Otherwise points out of X order
    // are counted into their column as long as it is held.
    TkPlotFastTrace(const TkPlotChannelCustom& Channel, const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis,
                    bool InAddedOrder = false);

    int Column(double X) override;
    const TkPlotPixelScale* ColumnScale() const override { return &FXScale; }
    void Run(const TkPlotMinMaxPoint& Points) override;
    void Break() override;
    // The lines' screen ends in pairs, once the walk is over.
    const std::vector<TPoint>& Lines();

private:
    // Draws what the first two columns hold, and the line from the second
    // to the third; the columns are held back until then so that each
    // vertical line is drawn once its range is whole.
    void Flush();
    // The line from Y1 at the first X of column A to Y2 at that of B; the
    // pixels are those of Y1 and Y2, for a line that needs no cutting.
    void Line(const TkPlotMinMaxPoint& A, double Y1, int Pixel1, const TkPlotMinMaxPoint& B, double Y2, int Pixel2);

    const TkPlotChannelCustom& FChannel;
    const TkPlotChannelAxis& FXAxis;
    const TkPlotChannelAxis& FYAxis;
    // The axes' conversions, taken once for the whole walk.
    const TkPlotPixelScale FXScale;
    const TkPlotPixelScale FYScale;
    // Lines with both ends in here are drawn as they are; their screen X is
    // their column's.
    const TkPlotChannelCustom::TUncut FUncut;
    const bool FReverse;
    const bool FInAddedOrder;
    TkPlotMinMaxPoint FFirst, FSecond, FThird;
    std::vector<TPoint> FEnds;
};
