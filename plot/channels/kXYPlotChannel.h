#pragma once
// The channel for X-Y data whose X values need not be ordered (a curve of
// one measured value against another): every point is joined to the one
// added before it, wherever its X lies. It shows all of its points, the
// axes fit to all of them, and a data cursor reads its X and Y from the
// two pointers' places on the channel's own axes.
#include "plot/channels/kPlotChannelCustom.h"

class TkXYPlotChannel : public TkPlotChannelCustom {
public:
    TkXYPlotChannel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // All points are visible: 0 .. Count - 1.
    void CalcFirstVisibleIndex() override;
    void CalcLastVisibleIndex() override;
    // Over every valid point, widened by the markers; -1e300 (or 1e300)
    // without axes, points, or when not Visible.
    double GetXMaxExtent() override;
    double GetXMinExtent() override;
    double GetYMaxExtentVisible() override;
    double GetYMinExtentVisible() override;
    // X from pointer 1 and Y from pointer 2 (both from each pointer in the
    // difference styles), each read on its own axis at the pointer's
    // place in the data view.
    void UpdateCursorValues(TkPlotDataCursor* Cursor) override;

    // Ready to draw with both axes, Visible and with points.
    void PreDraw(TCanvas* Canvas) override;
    bool GetReadyToDraw() const { return FReadyToDraw; }
    void Draw(TCanvas* Canvas, TColor BackColor) override;
    // The points in the order added, reduced per screen column where
    // stretches of them run one way along X; segment by segment, each in
    // its point's pen, from a list that keeps pens per point.
    void DrawTrace(TCanvas* Canvas, TColor BackColor) override;

protected:
    ~TkXYPlotChannel() override = default;

private:
    // Folds Extent over the valid points, from None.
    template <class F> double Extent(double None, F Fold);
    // Axis' value at Percent of the cursor's data view along the axis
    // (of the axis' span without a data view).
    double CursorValue(const TkPlotChannelAxis& Axis, bool AlongHeight, const TkPlotDataCursor& Cursor,
                       double Percent) const;

    bool FReadyToDraw = false;
};
