#pragma once
// The channel for X-Y data whose X values need not be ordered (a curve of
// one measured value against another): every point is joined to the one
// added before it, wherever its X lies. It shows all of its points, the
// axes fit to all of them, and a data cursor reads its X and Y from the
// two pointers' places on the channel's own axes.
#include "plot/channels/kPlotChannelCustom.h"
#include "plot/channels/kPlotChannelOPC.h"
#include "plot/core/kOPCItem.h"

class TkXYPlotChannel : public TkPlotChannelCustom {
    PUBLISHED_CLASS(TkXYPlotChannel);

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

    // ---- published properties: the OPC settings live in the two items,
    // item 0 giving Y and item 1 giving X.
    PUBLISHED_VIA(std::string, OPCComputerName, FOPC.Item(0)->GetComputerName(), FOPC.Item(0)->SetComputerName(Value));
    PUBLISHED_VIA(std::string, OPCServerName, FOPC.Item(0)->GetServerName(), FOPC.Item(0)->SetServerName(Value));
    PUBLISHED_VIA(std::string, OPCItemName, FOPC.Item(0)->GetItemName(), FOPC.Item(0)->SetItemName(Value));
    PUBLISHED_VIA(int, OPCUpdateRate, FOPC.Item(0)->GetUpdateRate(), FOPC.Item(0)->SetUpdateRate(Value), 500);
    PUBLISHED_VIA(double, OPCScalar, FOPC.Item(0)->GetScalar(), FOPC.Item(0)->SetScalar(Value));
    PUBLISHED_VIA(double, OPCOffset, FOPC.Item(0)->GetOffset(), FOPC.Item(0)->SetOffset(Value));
    PUBLISHED_VIA(double, OPCScalar2, FOPC.Item(1)->GetScalar(), FOPC.Item(1)->SetScalar(Value));
    PUBLISHED_VIA(double, OPCOffset2, FOPC.Item(1)->GetOffset(), FOPC.Item(1)->SetOffset(Value));
    PUBLISHED_VIA(bool, OPCAutoConnect, FOPC.Item(0)->GetAutoConnect(), FOPC.Item(0)->SetAutoConnect(Value), true);
    PUBLISHED_VIA(std::string, OPCItem2Name, FOPC.Item(1)->GetItemName(), FOPC.Item(1)->SetItemName(Value));

    // (Re)connects both items in one new group of the channel's own, so
    // that each update of the group gives one point; nothing while the
    // plot is being designed.
    void OPCConnect();
    const TkPlotChannelOPC& GetOPC() const { return FOPC; }
    // Connects as soon as the channel is in its plot, when item 0 connects
    // by itself.
    void DoInsert() override;

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
    TkPlotChannelOPC FOPC;
};
