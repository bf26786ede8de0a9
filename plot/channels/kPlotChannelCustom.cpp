#include "plot/channels/kPlotChannelCustom.h"
#include "plot/channels/kPlotChannelPropertyFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/core/kPlotDataCompactIntervalList.h"
#include "plot/core/kPlotDataCompactList.h"
#include "plot/core/kPlotDataFullList.h"
#include "plot/core/kPlotDataNullList.h"
#include "plot/core/kPlotObjectNames.h"
#include "plot/core/kGraphicsProperties.h"
#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"
#include "ui/Canvas.h"
#include "ui/Font.h"

namespace {

std::unique_ptr<TkPlotDataCustomList> NewList(TkPlotDataStyle Style)
{
    switch (Style) {
    case kpdsCompact: return std::make_unique<TkPlotDataCompactList>();
    case kpdsCompactInterval: return std::make_unique<TkPlotDataCompactIntervalList>();
    case kpdsFullFeature: return std::make_unique<TkPlotDataFullList>();
    case kpdsStandard: break;
    }
    return std::make_unique<TkPlotDataNullList>();
}

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TkPlotChannelCustom, TkPlotObject>("TkPlotChannelCustom");
    return true;
}();

}  // namespace

TkPlotChannelCustom::TkPlotChannelCustom(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotReadoutChannel(AOwner, Callbacks),
      FList(NewList(kpdsStandard))
{
    TkPlotDataAttributes& a = FList->Attributes;
    a.Color = clRed;
    a.TraceLineWidth = 1;
    a.TraceLineStyle = kplsSolid;
    a.MarkersSize = 3;
    a.MarkersPenColor = clRed;
    a.MarkersBrushColor = clRed;
    FLogFile.OnNotice = [this](const std::string& Text) {
        if (TkPlotObjectOwner* owner = GetOwner())
            owner->DoLogNotice(Text);
    };
}

TkPlotChannelCustom::~TkPlotChannelCustom() = default;

// ---- points

namespace {

// The changes of one point added, for the plot's frame rate.
class TPointChanges {
public:
    explicit TPointChanges(TkPlotObjectOwner* Owner) : FOwner(Owner)
    {
        if (FOwner)
            FOwner->BeginPointChanges();
    }
    ~TPointChanges()
    {
        if (FOwner)
            FOwner->EndPointChanges();
    }
    TPointChanges(const TPointChanges&) = delete;
    TPointChanges& operator=(const TPointChanges&) = delete;

private:
    TkPlotObjectOwner* FOwner;
};

}  // namespace

int TkPlotChannelCustom::AddPointCore(double X, double Y, bool Null, bool Empty)
{
    TkPlotObjectOwner* owner = GetOwner();
    const TPointChanges changes(owner);
    const bool shifts = FList->RingBufferEnabled() && FList->Count() >= FList->Capacity() && FList->Count() > 0;
    const int result = FList->Add(X, Y, Null, Empty);
    if (shifts)
        CancelDrag();  // the dragged index now names another point
    if (!Null && !Empty)
        FStats.Add(X, Y);
    TrackAxes(X, Y, Null, Empty);
    if (FLoggingActive) {
        FPendingLog.push_back(DataPoint(GetCount() - 1));
        // A disk that refuses the points must not stop them coming.
        if (static_cast<int>(FPendingLog.size()) >= std::max(FLogBufferSize, 1)) {
            if (!FlushLog())
                FLogFile.TellKeptBack();
            if (owner)
                owner->ChangesTookTime();
        }
    }
    if (owner)
        owner->DataPointAdded(this);
    DoContentChange();
    return result;
}

int TkPlotChannelCustom::AddXY(double X, double Y)
{
    return AddPointCore(X, Y, false, false);
}

void TkPlotChannelCustom::AppendDataPoint(const TkPlotDataPoint& Point)
{
    if (Point.Null || Point.Empty)
        AddPointCore(Point.X, 0, Point.Null, Point.Empty);
    else
        AddXY(Point.X, Point.Y);
}

void TkPlotChannelCustom::TrackAxes(double X, double Y, bool Null, bool Empty)
{
    if (!FXAxisTrackingEnabled && !FYAxisTrackingEnabled)
        return;
    TkPlotChannelAxis* xAxis = FXAxisTrackingEnabled ? GetXAxis() : nullptr;
    TkPlotChannelAxis* yAxis = FYAxisTrackingEnabled ? GetYAxis() : nullptr;
    if (!GetMarkersVisible()) {
        if (xAxis)
            xAxis->TrackNewValue(X);
        if (yAxis && !Null && !Empty)
            yAxis->TrackNewValue(Y);
        return;
    }
    // Whole markers stay in view: the axes hear of both marker edges.
    const int last = GetCount() - 1;
    if (GetDataNull(last))
        return;
    if (xAxis) {
        xAxis->TrackNewValue(XPlusMarkerMargin(last));
        xAxis->TrackNewValue(XMinusMarkerMargin(last));
    }
    if (yAxis) {
        yAxis->TrackNewValue(YPlusMarkerMargin(last));
        yAxis->TrackNewValue(YMinusMarkerMargin(last));
    }
}

void TkPlotChannelCustom::Clear()
{
    FStats.Reset();
    FFirstVisibleIndex = -1;
    FLastVisibleIndex = -1;
    CancelDrag();
    if (FLoggingActive)
        LogDeactivate();
    FList->Clear();
    DoChange();
}

void TkPlotChannelCustom::SetDataX(int Index, double Value)
{
    FList->SetX(Index, Value);
    DoChange();
}

void TkPlotChannelCustom::SetDataY(int Index, double Value)
{
    FList->SetY(Index, Value);
    DoChange();
}

void TkPlotChannelCustom::SetDataNull(int Index, bool Value)
{
    FList->SetNull(Index, Value);
    DoChange();
}

void TkPlotChannelCustom::SetDataEmpty(int Index, bool Value)
{
    FList->SetEmpty(Index, Value);
    DoChange();
}

void TkPlotChannelCustom::GetDataPoint(int Index, double& X, double& Y, bool& Empty, bool& Null) const
{
    FList->GetPoint(Index, X, Y, Empty, Null);
}

void TkPlotChannelCustom::CancelDrag()
{
    FDragging = false;
    FDragPointIndex = -1;
}

// ---- statistics

void TkPlotChannelStats::Fold() const
{
    // Local copies keep the sums in registers over the loop.
    TkPlotChannelStat x = FX, y = FY;
    for (int i = 0; i < FPendingCount; ++i) {
        x.Add(FPendingX[i]);
        y.Add(FPendingY[i]);
    }
    FX = x;
    FY = y;
    FCount += FPendingCount;
    FPendingCount = 0;
}

void TkPlotChannelCustom::CalcStats()
{
    FStats.Reset();
    for (int i = 0; i < GetCount(); ++i)
        if (GetDataValid(i))
            FStats.Add(GetDataX(i), GetDataY(i));
}

// ---- axes

TkPlotChannelAxis* TkPlotChannelCustom::GetXAxis() const
{
    return AxisFinder ? AxisFinder(TkPlotObjectKind::XAxis, FXAxisName) : nullptr;
}

TkPlotChannelAxis* TkPlotChannelCustom::GetYAxis() const
{
    return AxisFinder ? AxisFinder(TkPlotObjectKind::YAxis, FYAxisName) : nullptr;
}

std::string TkPlotChannelCustom::GetXValueText(double Value) const
{
    TkPlotChannelAxis* axis = GetXAxis();
    return axis ? axis->GetCursorText(Value) : Word("No X-Axis");
}

std::string TkPlotChannelCustom::GetYValueText(double Value) const
{
    TkPlotChannelAxis* axis = GetYAxis();
    return axis ? axis->GetCursorText(Value) : Word("No Y-Axis");
}

double TkPlotChannelCustom::MarkerMargin(int Index, bool OnX, double Sign) const
{
    const auto value = [&] { return OnX ? GetDataX(Index) : GetDataY(Index); };
    if (!GetMarkersVisible())
        return value();
    if (GetDataNull(Index))
        throw Exception("Data Point Null");
    const TkPlotChannelAxis* axis = OnX ? GetXAxis() : GetYAxis();
    if (!axis)
        throw Exception(OnX ? "X-Axis not assigned" : "Y-Axis not assigned");
    // The distance a marker's size in pixels covers from the axis' start.
    const int origin = axis->ValueToPixel(axis->GetMin());
    return value() + Sign * std::fabs(axis->PixelToValue(origin + GetMarkersSize()) - axis->GetMin());
}

double TkPlotChannelCustom::XPlusMarkerMargin(int Index) const
{
    return MarkerMargin(Index, true, 1);
}

double TkPlotChannelCustom::XMinusMarkerMargin(int Index) const
{
    return MarkerMargin(Index, true, -1);
}

double TkPlotChannelCustom::YPlusMarkerMargin(int Index) const
{
    return MarkerMargin(Index, false, 1);
}

double TkPlotChannelCustom::YMinusMarkerMargin(int Index) const
{
    return MarkerMargin(Index, false, -1);
}

double TkPlotChannelCustom::LineYAtX(double X, double X1, double Y1, double X2, double Y2)
{
    if (X1 == X2)
        return 0;
    return Y1 + (Y2 - Y1) * (X - X1) / (X2 - X1);
}

double TkPlotChannelCustom::LineXAtY(double Y, double X1, double Y1, double X2, double Y2)
{
    if (X1 == X2)
        return X2;
    if (Y1 == Y2)
        return X1;
    return X1 + (X2 - X1) * (Y - Y1) / (Y2 - Y1);
}

void TkPlotChannelCustom::NarrowToAxisExtent(const TkPlotObject& Axis, bool Running, double& Minimum, double& Maximum)
{
    const bool x = Axis.Kind() == TkPlotObjectKind::XAxis;
    if (!x && Axis.Kind() != TkPlotObjectKind::YAxis)
        return;
    if (!SameText(x ? FXAxisName : FYAxisName, Axis.GetName()))
        return;
    double lo, hi;
    if (Running) {
        lo = x ? GetXMin() : GetYMin();
        hi = x ? GetXMax() : GetYMax();
    } else {
        lo = x ? GetXMinExtent() : GetYMinExtentVisible();
        hi = x ? GetXMaxExtent() : GetYMaxExtentVisible();
    }
    Minimum = std::min(Minimum, lo);
    Maximum = std::max(Maximum, hi);
}

TkPlotLegendChannelData TkPlotChannelCustom::LegendData() const
{
    TkPlotLegendChannelData d;
    d.VisibleInLegend = FVisibleInLegend;
    d.Count = GetCount();
    d.LastX = GetLastX();
    d.LastY = GetLastY();
    d.YMax = GetYMax();
    d.YMin = GetYMin();
    d.YMean = GetYMean();
    switch (GetTraceLineStyle()) {
    case kplsDash: d.TraceLineStyle = psDash; break;
    case kplsDot: d.TraceLineStyle = psDot; break;
    case kplsDashDot: d.TraceLineStyle = psDashDot; break;
    case kplsDashDotDot: d.TraceLineStyle = psDashDotDot; break;
    default: d.TraceLineStyle = psSolid; break;
    }
    d.CursorXText = FCursorXText;
    d.CursorYText = FCursorYText;
    return d;
}

void TkPlotChannelCustom::KeepCursorTexts(const TkPlotDataCursor& Cursor, std::string XText, std::string YText,
                                          const std::string& Inverse)
{
    FCursorXText = std::move(XText);
    FCursorYText = std::move(YText);
    switch (Cursor.GetStyle()) {
    case kpcsValueXY: FCursorReadout = FCursorXText + ", " + FCursorYText; break;
    case kpcsValueX:
    case kpcsDeltaX: FCursorReadout = FCursorXText; break;
    case kpcsValueY:
    case kpcsDeltaY: FCursorReadout = FCursorYText; break;
    case kpcsInverseDeltaX: FCursorReadout = Inverse; break;
    }
}

// ---- drawing

void TkPlotChannelCustom::KeepWithinAxes(TCanvas* Canvas, std::optional<TkPlotClipKeeper>& Keeper) const
{
    if (!FClipToAxes)
        return;
    Keeper.emplace(Canvas);
    Canvas->IntersectClipRect(AxesRect(*GetXAxis(), *GetYAxis(), GetXYAxesReverse()));
}

TPoint TkPlotChannelCustom::ScreenPoint(double X, double Y) const
{
    return ScreenPoint(*GetXAxis(), *GetYAxis(), X, Y);
}

TPoint TkPlotChannelCustom::ScreenPoint(const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis, double X,
                                        double Y) const
{
    const int x = XAxis.ValueToPixel(X);
    const int y = YAxis.ValueToPixel(Y);
    return GetXYAxesReverse() ? TPoint(y, x) : TPoint(x, y);
}

TkPlotChannelCustom::TFarRange TkPlotChannelCustom::FarRange(const TkPlotChannelAxis& Axis)
{
    const double far = FarSpans * std::fabs(Axis.GetSpan());
    return TFarRange{Axis.GetMin() - far, Axis.GetMax() + far};
}

bool TkPlotChannelCustom::WithinFarRange(double X, double Y) const
{
    const TFarRange x = FarRange(*GetXAxis()), y = FarRange(*GetYAxis());
    return X >= x.Lo && X <= x.Hi && Y >= y.Lo && Y <= y.Hi;
}

double TkPlotChannelCustom::FarX(double X) const
{
    const TFarRange range = FarRange(*GetXAxis());
    return std::clamp(X, range.Lo, range.Hi);
}

double TkPlotChannelCustom::FarY(double Y) const
{
    const TFarRange range = FarRange(*GetYAxis());
    return std::clamp(Y, range.Lo, range.Hi);
}

std::vector<TPoint> TkPlotChannelCustom::ScreenPolygon(std::vector<std::pair<double, double>> Corners) const
{
    // Cut by each of the four edges of the far range in turn; a corner
    // pulled in along its edges keeps the polygon's shape where it shows.
    const TFarRange x = FarRange(*GetXAxis()), y = FarRange(*GetYAxis());
    const double bounds[4] = {x.Lo, x.Hi, y.Lo, y.Hi};
    for (int edge = 0; edge < 4 && !Corners.empty(); ++edge) {
        const bool onX = edge < 2, low = edge % 2 == 0;
        const double bound = bounds[edge];
        const auto inside = [&](const std::pair<double, double>& P) {
            const double v = onX ? P.first : P.second;
            return low ? v >= bound : v <= bound;
        };
        std::vector<std::pair<double, double>> cut;
        for (std::size_t i = 0; i < Corners.size(); ++i) {
            const auto& a = Corners[i];
            const auto& b = Corners[(i + 1) % Corners.size()];
            if (inside(a))
                cut.push_back(a);
            if (inside(a) != inside(b)) {
                if (onX)
                    cut.emplace_back(bound, LineYAtX(bound, a.first, a.second, b.first, b.second));
                else
                    cut.emplace_back(LineXAtY(bound, a.first, a.second, b.first, b.second), bound);
            }
        }
        Corners = std::move(cut);
    }
    std::vector<TPoint> points;
    for (const auto& [x, y] : Corners)
        points.push_back(ScreenPoint(x, y));
    return points;
}

void TkPlotChannelCustom::DrawClippedLine(TCanvas* Canvas, double X1, double Y1, double X2, double Y2)
{
    const TkPlotChannelAxis* xAxis = GetXAxis();
    const TkPlotChannelAxis* yAxis = GetYAxis();
    if (xAxis && yAxis)
        DrawClippedLine(Canvas, *xAxis, *yAxis, X1, Y1, X2, Y2);
}

void TkPlotChannelCustom::DrawClippedLine(TCanvas* Canvas, const TkPlotChannelAxis& XAxis,
                                          const TkPlotChannelAxis& YAxis, double X1, double Y1, double X2, double Y2)
{
    TPoint a, b;
    if (!ClippedLine(XAxis, YAxis, X1, Y1, X2, Y2, a, b))
        return;
    Canvas->MoveTo(a.X, a.Y);
    Canvas->LineTo(b.X, b.Y);
}

bool TkPlotChannelCustom::ClippedLine(const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis, double X1,
                                      double Y1, double X2, double Y2, TPoint& A, TPoint& B) const
{
    if (X1 > X2) {
        std::swap(X1, X2);
        std::swap(Y1, Y2);
    }
    const TUncut box = UncutBox(XAxis, YAxis);
    const double xMin = box.XLo, xMax = box.XHi, yLo = box.YLo, yHi = box.YHi;
    const auto within = [](double V, double Lo, double Hi) { return V >= Lo && V <= Hi; };
    if (!((X1 < xMin && X2 > xMax) || within(X1, xMin, xMax) || within(X2, xMin, xMax)))
        return false;
    if (FClipToAxes) {
        const bool meetsY = within(Y1, yLo, yHi) || within(Y2, yLo, yHi) || (Y1 < yLo && Y2 > yHi) ||
                            (Y2 < yLo && Y1 > yHi);
        if (!meetsY)
            return false;
    } else if ((Y1 < yLo && Y2 < yLo) || (Y1 > yHi && Y2 > yHi)) {
        return false;  // wholly beyond the top or the bottom
    }
    if (X1 < xMin) {
        Y1 = LineYAtX(xMin, X1, Y1, X2, Y2);
        X1 = xMin;
    }
    if (X2 > xMax) {
        Y2 = LineYAtX(xMax, X1, Y1, X2, Y2);
        X2 = xMax;
    }
    const auto clipY = [&](double& X, double& Y) {
        if (Y < yLo) {
            X = LineXAtY(yLo, X1, Y1, X2, Y2);
            Y = yLo;
        } else if (Y > yHi) {
            X = LineXAtY(yHi, X1, Y1, X2, Y2);
            Y = yHi;
        }
    };
    double cx1 = X1, cy1 = Y1, cx2 = X2, cy2 = Y2;
    clipY(cx1, cy1);
    clipY(cx2, cy2);
    if (FClipToAxes && !(within(cx1, xMin, xMax) && within(cx2, xMin, xMax)))
        return false;
    A = ScreenPoint(XAxis, YAxis, cx1, cy1);
    B = ScreenPoint(XAxis, YAxis, cx2, cy2);
    return true;
}

TkPlotChannelCustom::TUncut TkPlotChannelCustom::UncutBox(const TkPlotChannelAxis& XAxis,
                                                          const TkPlotChannelAxis& YAxis) const
{
    const TFarRange y = FClipToAxes ? TFarRange{YAxis.GetMin(), YAxis.GetMax()} : FarRange(YAxis);
    return TUncut{XAxis.GetMin(), XAxis.GetMax(), y.Lo, y.Hi};
}

void TkPlotChannelCustom::UseTracePen(TCanvas* Canvas, TColor Color, TkPlotLineStyle Style, int Width) const
{
    Canvas->Pen->SetColor(Color);
    Canvas->Pen->SetStyle(TPenStyle(Style));
    Canvas->Pen->SetWidth(Width == 1 ? 0 : Width);
}

void TkPlotChannelCustom::UseChannelPen(TCanvas* Canvas) const
{
    UseTracePen(Canvas, GetColor(), GetTraceLineStyle(), GetTraceLineWidth());
    Canvas->Brush->SetStyle(bsClear);
}

void TkPlotChannelCustom::DrawTrace(TCanvas* Canvas, TColor BackColor)
{
    if (!FTraceVisible || !AxesAssigned())
        return;
    UseChannelPen(Canvas);
    if (FFirstVisibleIndex < 0 || FFirstVisibleIndex == FLastVisibleIndex)
        return;
    ForEachSegment(FFirstVisibleIndex, FLastVisibleIndex, [&](int Index, double X1, double Y1, double X2, double Y2) {
        const TkPlotDataAttributes a = FList->GetPointAttributes(Index);
        UseTracePen(Canvas, a.Color, TkPlotLineStyle(a.TraceLineStyle), a.TraceLineWidth);
        // The gaps of a dashed line show the plot's background.
        Canvas->Brush->SetColor(BackColor);
        DrawClippedLine(Canvas, X1, Y1, X2, Y2);
    });
}

bool TkPlotChannelCustom::MarkerShown(int Index) const
{
    if (!GetMarkersVisible() || !GetDataValid(Index) || !AxesAssigned())
        return false;
    if (FMarkersAllowIndividual && !FList->GetMarkersVisible(Index))
        return false;
    const double x = GetDataX(Index), y = MarkerY(Index);
    if (FClipToAxes) {
        const TkPlotChannelAxis* xAxis = GetXAxis();
        const TkPlotChannelAxis* yAxis = GetYAxis();
        if (x < xAxis->GetMin() || x > xAxis->GetMax() || y < yAxis->GetMin() || y > yAxis->GetMax())
            return false;
    }
    return WithinFarRange(x, y);
}

TRect TkPlotChannelCustom::MarkerRect(int Index) const
{
    const TPoint c = ScreenPoint(GetDataX(Index), MarkerY(Index));
    const int s = FMarkersAllowIndividual ? FList->GetPointAttributes(Index).MarkersSize : GetMarkersSize();
    return TRect(c.X - s, c.Y - s, c.X + s, c.Y + s);
}

void TkPlotChannelCustom::DrawMarkers(TCanvas* Canvas, TColor)
{
    if (!GetMarkersVisible())
        return;
    Canvas->Font->Assign(FMarkersFont.get());
    if (FFirstVisibleIndex < 0)
        return;
    if (FMarkersTurnOffLimit > 0 && FLastVisibleIndex - FFirstVisibleIndex > FMarkersTurnOffLimit)
        return;
    for (int i = FFirstVisibleIndex; i <= FLastVisibleIndex; ++i)
        if (MarkerShown(i))
            DrawMarker(Canvas, i, ScreenPoint(GetDataX(i), MarkerY(i)));
}

void TkPlotChannelCustom::DrawMarker(TCanvas* Canvas, int Index, TPoint Centre)
{
    DrawMarkerShape(Canvas, FMarkersAllowIndividual ? FList->GetPointAttributes(Index) : FList->Attributes, Centre);
}

void TkPlotChannelCustom::DrawLegendMarker(TCanvas* Canvas, const TRect& Cell)
{
    Canvas->Font->Assign(FMarkersFont.get());
    DrawMarkerShape(Canvas, FList->Attributes, TPoint((Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2));
}

void TkPlotChannelCustom::DrawMarkerShape(TCanvas* Canvas, TkPlotDataAttributes a, TPoint Centre)
{
    if (FMarkersPenUseChannelColor)
        a.MarkersPenColor = GetColor();
    if (FMarkersBrushUseChannelColor)
        a.MarkersBrushColor = GetColor();
    Canvas->Pen->SetColor(a.MarkersPenColor);
    Canvas->Pen->SetWidth(a.MarkersPenWidth);
    Canvas->Pen->SetStyle(TPenStyle(a.MarkersPenStyle));
    Canvas->Brush->SetColor(a.MarkersBrushColor);
    Canvas->Brush->SetStyle(TBrushStyle(a.MarkersBrushStyle));
    const TPoint c = Centre;
    const int s = a.MarkersSize;
    const auto line = [Canvas](int X1, int Y1, int X2, int Y2) {
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
    };
    switch (TkPlotMarkerStyle(a.MarkersStyle)) {
    case kpmsCircle: Canvas->Ellipse(c.X - s, c.Y - s, c.X + s, c.Y + s); break;
    case kpmsSquare: Canvas->Rectangle(c.X - s, c.Y - s, c.X + s, c.Y + s); break;
    case kpmsDiamond:
        Canvas->Polygon({TPoint(c.X + s, c.Y), TPoint(c.X, c.Y + s), TPoint(c.X - s, c.Y), TPoint(c.X, c.Y - s)});
        break;
    case kpmsCross:
        line(c.X - s, c.Y - s, c.X + s, c.Y + s);
        line(c.X + s, c.Y - s, c.X - s, c.Y + s);
        break;
    case kpmsPlus:
        line(c.X, c.Y - s, c.X, c.Y + s);
        line(c.X - s, c.Y, c.X + s, c.Y);
        break;
    case kpmsTriangleUp:
        Canvas->Polygon({TPoint(c.X, c.Y - s), TPoint(c.X + s, c.Y + s), TPoint(c.X - s, c.Y + s)});
        break;
    case kpmsTriangleDown:
        Canvas->Polygon({TPoint(c.X, c.Y + s), TPoint(c.X - s, c.Y - s), TPoint(c.X + s, c.Y - s)});
        break;
    case kpmsTriangleLeft:
        Canvas->Polygon({TPoint(c.X - s, c.Y), TPoint(c.X + s, c.Y - s), TPoint(c.X + s, c.Y + s)});
        break;
    case kpmsTriangleRight:
        Canvas->Polygon({TPoint(c.X + s, c.Y), TPoint(c.X - s, c.Y + s), TPoint(c.X - s, c.Y - s)});
        break;
    case kpmsVerticalLine: line(c.X, c.Y - s, c.X, c.Y + s); break;
    case kpmsHorizontalLine: line(c.X - s, c.Y, c.X + s, c.Y); break;
    case kpmsCharacter: {
        const std::string text(1, a.MarkerChar);
        const TSize size = Canvas->TextExtent(text);
        Canvas->Brush->SetStyle(bsClear);
        Canvas->TextOut(c.X - size.cx / 2, c.Y - size.cy / 2, text);
        break;
    }
    }
}

// ---- mouse

bool TkPlotChannelCustom::HitTest(const TkPlotMouseData& Mouse)
{
    if (TkPlotManagerObject::HitTest(Mouse))
        return true;
    if (FVisibleInLegend && PtInRect(FLegendRect, Mouse.Received))
        return true;
    if (!GetOwner() || !GetOwner()->GetSelectMode())
        return false;
    FHitPointIndex = -1;
    if (!PointsPickable() || GetCount() == 0 || !AxesAssigned())
        return false;
    CalcFirstVisibleIndex();
    CalcLastVisibleIndex();
    for (int i = FFirstVisibleIndex; i <= FLastVisibleIndex && i >= 0; ++i) {
        if (!PointPickable(i))
            continue;
        FHitPointRect = PointRect(i);
        if (PtInRect(FHitPointRect, Mouse.Received)) {
            FHitPointIndex = i;
            return true;
        }
    }
    return false;
}

void TkPlotChannelCustom::DoMouseHover(const TkPlotMouseData& Mouse)
{
    TkPlotObjectOwner* owner = GetOwner();
    if (!owner)
        return;
    owner->DoMouseMoveDataPoint(this, FHitPointIndex, Mouse.Shift, Mouse.Received.X, Mouse.Received.Y);
    TkPlotChannelAxis* xAxis = GetXAxis();
    TkPlotChannelAxis* yAxis = GetYAxis();
    const int i = FHitPointIndex;
    if (!FShowDataPointHints || !Mouse.Hint || i < 0 || i >= GetCount() || !xAxis || !yAxis ||
        !PtInRect(FHitPointRect, Mouse.Received))
        return;
    std::string text = xAxis->GetLabelText(GetDataX(i)) + ", " + yAxis->GetLabelText(GetDataY(i));
    owner->DoDataPointCustomizeHint(this, i, text);
    const TSize size = owner->HintTextExtent(text);
    const int width = size.cx + 4, height = size.cy + 4;
    const TRect view = owner->GetDataViewRect();
    const int m = GetMarkersSize() / 2;
    const int mx = Mouse.Received.X, my = Mouse.Received.Y;
    // Above the point, centred; below when there is no room above; beside
    // it when it would leave the view to either side; always inside.
    int top = my - (m + height + 4);
    int left = mx - width / 2;
    if (top <= view.Top)
        top = my + m + height + 4;
    bool sideways = false;
    if (left > view.Left && left + width >= view.Right) {
        left = mx - m - 4 - width;
        sideways = true;
    }
    if (left <= view.Left) {
        left = mx + m + 8;
        sideways = true;
    }
    if (sideways)
        top = my - height / 2;
    if (top + height >= view.Bottom)
        top = view.Bottom - height;
    if (top <= view.Top)
        top = view.Top;
    Mouse.Hint->Text = text;
    Mouse.Hint->Rect = TRect(left, top, left + width, top + height);
}

void TkPlotChannelCustom::DoMouseLeftDown(const TkPlotMouseData& Mouse)
{
    if (GetOwner())
        GetOwner()->DoMouseDownDataPoint(this, FHitPointIndex, Mouse.Button, Mouse.Shift, Mouse.Received.X,
                                         Mouse.Received.Y);
    if (FHitPointIndex < 0 || FHitPointIndex >= GetCount() || !PtInRect(FHitPointRect, Mouse.Received))
        return;
    FDragging = true;
    FDragPointIndex = FHitPointIndex;
    FDragRect = FHitPointRect;
    FDragStartX = GetDataX(FDragPointIndex);
    FDragStartY = GetDataY(FDragPointIndex);
    FDragStartMouse = Mouse.Point;
}

void TkPlotChannelCustom::DoMouseDrag(const TkPlotMouseData& Mouse)
{
    if (!FDragging)
        return;
    if (GetOwner())
        GetOwner()->DoMouseMoveDataPoint(this, FDragPointIndex, Mouse.Shift, Mouse.Received.X, Mouse.Received.Y);
    TkPlotChannelAxis* xAxis = GetXAxis();
    TkPlotChannelAxis* yAxis = GetYAxis();
    if (!FUserCanMoveDataPoints || !FDragging || !xAxis || !yAxis)
        return;
    // In the object's own frame X runs along the X axis, whichever way the
    // plot turns its axes.
    double dx = 0, dy = 0;
    if (FUserCanMoveDataPointsStyle != kpcdpmsYOnly)
        dx = xAxis->PixelToValue(FDragStartMouse.X) - xAxis->PixelToValue(Mouse.Point.X);
    if (FUserCanMoveDataPointsStyle != kpcdpmsXOnly)
        dy = yAxis->PixelToValue(FDragStartMouse.Y) - yAxis->PixelToValue(Mouse.Point.Y);
    SetDataX(FDragPointIndex, FDragStartX - dx);
    SetDataY(FDragPointIndex, FDragStartY - dy);
}

void TkPlotChannelCustom::DoMouseUp(const TkPlotMouseData& Mouse)
{
    if (GetOwner())
        GetOwner()->DoMouseUpDataPoint(this, FHitPointIndex, Mouse.Button, Mouse.Shift, Mouse.Received.X,
                                       Mouse.Received.Y);
    if (!FDragging) {
        // A press and release on the channel's legend entry is a click.
        if (GetOwner() && GetPressed() && FVisibleInLegend && PtInRect(FLegendRect, Mouse.Received))
            GetOwner()->DoObjectClick(this);
        return;
    }
    FDragging = false;
    if (!GetOwner())
        return;
    if (PtInRect(FDragRect, Mouse.Received))
        GetOwner()->DoDataPointClick(this, FDragPointIndex);
    const double x = GetDataX(FDragPointIndex), y = GetDataY(FDragPointIndex);
    if (x != FDragStartX || y != FDragStartY)
        GetOwner()->DoDataPointMoved(this, FDragPointIndex, FDragStartX, FDragStartY, x, y);
}

TCursor TkPlotChannelCustom::GetMouseCursor(TPoint P)
{
    const TCursor cursor = TkPlotManagerObject::GetMouseCursor(P);
    return GetHitObject() == this ? crHandPoint : cursor;
}

// ---- log

void TkPlotChannelCustom::LogActivate(bool Append)
{
    if (Trim(FLogFileName).empty())
        throw Exception("Log File Name not Defined");
    if (FLoggingActive)
        throw Exception("Logging Already Active");
    FLogFile.Open(FLogFileName, std::string(), Append);
    FLoggingActive = true;
    FPendingLog.clear();
}

void TkPlotChannelCustom::LogDeactivate()
{
    if (!FLoggingActive)
        throw Exception("Logging not Active");
    FLoggingActive = false;
    if (!FlushLog())
        FLogFile.TellStopped(static_cast<int>(FPendingLog.size()));
    FPendingLog.clear();
}

bool TkPlotChannelCustom::FlushLog()
{
    const char separator = GetOwner() ? GetOwner()->GetDataFileSeparatorChar() : '\t';
    while (!FPendingLog.empty()) {
        const std::size_t rows = std::min<std::size_t>(FPendingLog.size(), TkPlotLogFile::RowsPerWrite);
        std::string lines;
        for (std::size_t i = 0; i < rows; ++i)
            lines += FloatToStr(FPendingLog[i].X) + separator + FloatToStr(FPendingLog[i].Y) + "\r\n";
        if (!FLogFile.Append(lines))
            return false;
        FPendingLog.erase(FPendingLog.begin(), FPendingLog.begin() + static_cast<std::ptrdiff_t>(rows));
    }
    return true;
}

void TkPlotChannelCustom::SetLogFileName(const std::string& Value)
{
    if (Value == FLogFileName)
        return;
    if (FLoggingActive)
        throw Exception(TranslateText("Log File Name can not be changed while logging is active."));
    FLogFileName = Value;
    DoChange();
}

// ---- property files

void TkPlotChannelCustom::SavePropertiesToFile(const std::string& FileName)
{
    TkPlotChannelPropertyFile(*this).Save(FileName);
}

void TkPlotChannelCustom::LoadPropertiesFromFile(const std::string& FileName)
{
    TkPlotChannelPropertyFile(*this).Load(FileName);
}

// ---- point files

void TkPlotChannelCustom::SaveDataToFile(const std::string& FileName) const
{
    const char separator = GetOwner() ? GetOwner()->GetDataFileSeparatorChar() : '\t';
    TStringList lines;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetDataEmpty(i))
            continue;
        lines.Add(FloatToStr(GetDataX(i)) + separator + (GetDataNull(i) ? "Null" : FloatToStr(GetDataY(i))));
    }
    lines.SaveToFile(FileName);
}

void TkPlotChannelCustom::LoadDataFromFile(const std::string& FileName, bool ClearFirst)
{
    struct TPoint2 {
        double X, Y;
        bool Null;
    };
    TStringList lines;
    lines.LoadFromFile(FileName);
    const char separator = lines.Count() > 0 && lines[0].find('\t') != std::string::npos ? '\t' : ',';
    std::vector<TPoint2> points;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = lines[i];
        const std::size_t at = line.find(separator);
        const std::string first = at == std::string::npos ? std::string() : Trim(line.substr(0, at));
        if (first.empty())
            continue;
        const std::string rest = Trim(line.substr(at + 1));
        if (UpperCase(rest) == "NULL")
            points.push_back({StrToFloat(first), 0, true});
        else
            points.push_back({StrToFloat(first), StrToFloat(rest), false});
    }
    if (FLoggingActive)
        LogDeactivate();
    if (ClearFirst)
        Clear();
    for (const TPoint2& p : points)
        AddPointCore(p.X, p.Y, p.Null, false);
}

// ---- properties

void TkPlotChannelCustom::SetRingBufferSize(int Value)
{
    if (Value != GetRingBufferSize())
        CancelDrag();  // points may be dropped or renumbered
    FList->SetRingBufferSize(Value);
    DoChange();
}

void TkPlotChannelCustom::SetDataStyle(TkPlotDataStyle Value)
{
    if (Value == FDataStyle)
        return;
    // The log catches up before the points go, so that its file holds
    // every point the channel showed.
    if (FLoggingActive && !FlushLog())
        FLogFile.TellKeptBack();
    FDataStyle = Value;
    const TkPlotDataAttributes attributes = FList->Attributes;
    const int ringSize = FList->GetRingBufferSize();
    FList = NewList(Value);
    FList->Attributes = attributes;
    FList->Attributes.MarkerChar = 0;
    FList->SetRingBufferSize(ringSize);
    // Nothing that pointed into the old points survives them.
    FFirstVisibleIndex = -1;
    FLastVisibleIndex = -1;
    FStats.Reset();
    CancelDrag();
    DoChange();
}

void TkPlotChannelCustom::ObjectFocused(TkPlotObject* Object)
{
    if (Object == this || Object->Kind() == TkPlotObjectKind::Legend)
        return;
    if (auto* cursor = dynamic_cast<TkPlotDataCursor*>(Object); cursor && SameText(cursor->GetChannelName(), GetName()))
        return;
    SetFocused(false);
}

void TkPlotChannelCustom::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotManagerObject::BuildPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

void TkPlotChannelCustom::ObjectRenamed(TkPlotObject* Object)
{
    FollowRename(Object, TkPlotObjectKind::XAxis, FXAxisName);
    FollowRename(Object, TkPlotObjectKind::YAxis, FYAxisName);
}
