#include "plot/channels/kXYPlotChannel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotFastTrace.h"
#include "plot/core/kOPCManager.h"
#include "rtl/PublishedProperties.h"
#include "ui/Canvas.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkXYPlotChannel, TkPlotChannelCustom>("TkXYPlotChannel");
    return true;
}();

}  // namespace

TkXYPlotChannel::TkXYPlotChannel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotChannelCustom(AOwner, Callbacks),
      FOPC(*this, {.ValueReceived = nullptr, .GroupUpdated = [this](double X, double Y) { AddXY(X, Y); }})
{
    (void)Registered;
}

void TkXYPlotChannel::CalcFirstVisibleIndex()
{
    SetVisibleIndexes(0, GetLastVisibleIndex());
}

void TkXYPlotChannel::CalcLastVisibleIndex()
{
    SetVisibleIndexes(GetFirstVisibleIndex(), GetCount() - 1);
}

template <class F> double TkXYPlotChannel::Extent(double None, F Fold)
{
    CalcFirstVisibleIndex();
    CalcLastVisibleIndex();
    double result = None;
    if (!AxesAssigned() || !GetVisible())
        return result;
    for (int i = GetFirstVisibleIndex(); i <= GetLastVisibleIndex(); ++i)
        if (GetDataValid(i))
            result = Fold(result, i);
    return result;
}

double TkXYPlotChannel::GetXMaxExtent()
{
    return Extent(-1e300, [this](double Max, int Index) { return std::max(Max, XPlusMarkerMargin(Index)); });
}

double TkXYPlotChannel::GetXMinExtent()
{
    return Extent(1e300, [this](double Min, int Index) { return std::min(Min, XMinusMarkerMargin(Index)); });
}

double TkXYPlotChannel::GetYMaxExtentVisible()
{
    return Extent(-1e300, [this](double Max, int Index) { return std::max(Max, YPlusMarkerMargin(Index)); });
}

double TkXYPlotChannel::GetYMinExtentVisible()
{
    return Extent(1e300, [this](double Min, int Index) { return std::min(Min, YMinusMarkerMargin(Index)); });
}

// ---- data cursor readout

double TkXYPlotChannel::CursorValue(const TkPlotChannelAxis& Axis, bool AlongHeight, const TkPlotDataCursor& Cursor,
                                    double Percent) const
{
    // Through the pixel the pointer stands on: an axis may cover only part
    // of the view (stacked axes) or run against the pixels, and its own
    // conversion knows both.
    if (Cursor.GetDataView())
        return Axis.PixelToValue(Cursor.PercentPixel(Percent, AlongHeight));
    return Axis.GetMin() + Axis.GetSpan() * Percent / 100;
}

void TkXYPlotChannel::UpdateCursorValues(TkPlotDataCursor* Cursor)
{
    const TkPlotChannelAxis* xAxis = GetXAxis();
    const TkPlotChannelAxis* yAxis = GetYAxis();
    // With the axes reversed the X axis runs up the view.
    const bool reverse = GetXYAxesReverse();
    const double p1 = Cursor->GetPointer1Position(), p2 = Cursor->GetPointer2Position();
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    if (xAxis) {
        x1 = CursorValue(*xAxis, reverse, *Cursor, p1);
        x2 = CursorValue(*xAxis, reverse, *Cursor, p2);
    }
    if (yAxis) {
        y1 = CursorValue(*yAxis, !reverse, *Cursor, p1);
        y2 = CursorValue(*yAxis, !reverse, *Cursor, p2);
    }
    double x = 0, y = 0;
    switch (Cursor->GetStyle()) {
    case kpcsValueXY:
        x = x1;
        y = y2;
        break;
    case kpcsValueX: x = x1; break;
    case kpcsValueY: y = y2; break;
    case kpcsDeltaX: x = std::fabs(x1 - x2); break;
    case kpcsDeltaY: y = std::fabs(y1 - y2); break;
    case kpcsInverseDeltaX: {
        const double scaler = xAxis ? xAxis->GetCursorScaler() : 0;
        const double d = x1 - x2;
        x = d == 0 || scaler == 0 ? std::numeric_limits<double>::infinity() : std::fabs(1 / (d * scaler));
        break;
    }
    }
    Cursor->SetValues(0, x, y);
    const std::string xText = GetXValueText(x);
    if (!xAxis) {
        KeepCursorTexts(*Cursor, xText, xText, xText);
        return;
    }
    KeepCursorTexts(*Cursor, xText, GetYValueText(y), x >= 1e301 ? Word("Infinite") : xText);
}

// ---- drawing

void TkXYPlotChannel::PreDraw(TCanvas* Canvas)
{
    TkPlotChannelCustom::PreDraw(Canvas);
    CalcFirstVisibleIndex();
    CalcLastVisibleIndex();
    FReadyToDraw = AxesAssigned() && GetVisible() && GetCount() > 0;
}

void TkXYPlotChannel::Draw(TCanvas* Canvas, TColor BackColor)
{
    if (!FReadyToDraw)
        return;
    std::optional<TkPlotClipKeeper> clip;
    KeepWithinAxes(Canvas, clip);
    DrawTrace(Canvas, BackColor);
    DrawMarkers(Canvas, BackColor);
}

void TkXYPlotChannel::DrawTrace(TCanvas* Canvas, TColor BackColor)
{
    if (!GetTraceVisible() || !AxesAssigned())
        return;
    // Only the full-feature list keeps a pen per point, which a column's
    // reduction to one line cannot show: each segment is drawn with its own.
    if (GetDataStyle() == kpdsFullFeature) {
        TkPlotChannelCustom::DrawTrace(Canvas, BackColor);
        return;
    }
    UseChannelPen(Canvas);
    const int first = GetFirstVisibleIndex(), last = GetLastVisibleIndex();
    if (first < 0 || last <= first || last >= GetCount())
        return;
    // The walk takes a stretch of points whose X run one way into a screen
    // column through the list's summary, and goes point by point where X
    // turns; the trace keeps the columns in the order the points visit them.
    TkPlotFastTrace trace(*this, *GetXAxis(), *GetYAxis(), true);
    List().WalkColumns(first, last, trace);
    Canvas->LineSegments(trace.Lines());
}

// ---- OPC

void TkXYPlotChannel::DoInsert()
{
    TkPlotChannelCustom::DoInsert();
    if (FOPC.Item(0)->GetAutoConnect())
        OPCConnect();
}

void TkXYPlotChannel::OPCConnect()
{
    // Without the library (or while designed) no group is made either.
    if (FOPC.Inert())
        return;
    FOPC.DisconnectBoth();
    FOPC.Groups()->ClearGroups();
    const std::string group = FOPC.AddOwnGroup();
    for (int i = 0; i < 2; ++i)
        FOPC.Item(i)->SetGroupName(group);
    FOPC.Item(0)->Connect();
    FOPC.Item(1)->Connect();
}
