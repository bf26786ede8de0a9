#include "plot/channels/kPlotChannel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotFastTrace.h"
#include "plot/core/kMath.h"
#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "ui/Canvas.h"
#include "rtl/PublishedList.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotChannel, TkPlotChannelCustom>("TkPlotChannel");
    return true;
}();

constexpr double SecondsPerDay = 60.0 * 60.0 * 24.0;

}  // namespace

TkPlotChannel::TkPlotChannel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotChannelCustom(AOwner, Callbacks),
      FStartTime(Now()),
      FOPC(*this, {.ValueReceived = [this](double Value, double TimeStamp) { OPCValueReceived(Value, TimeStamp); },
                   .GroupUpdated = [this](double X, double Y) { OPCGroupUpdated(X, Y); }})
{
    TkPlotDataAttributes& a = List().Attributes;
    a.BarWidth = 5.0;
    a.BarPenColor = clRed;
    a.BarBrushColor = clRed;
}

// ---- adding

void TkPlotChannel::CheckXOrder(double X) const
{
    if (FAllowOutOfOrderXValues || GetCount() < 2)
        return;
    const bool ascending = GetDataX(1) >= GetDataX(0);
    const double last = GetDataX(GetCount() - 1);
    if (ascending && last > X)
        throw Exception("New Data-Point X-Value is out of order");
    if (!ascending && last < X)
        throw Exception("New Data-Point X-Value is out of order.");
}

int TkPlotChannel::AddXY(double X, double Y)
{
    if (FResetStartTimeOnFirstDataPoint && GetCount() == 0)
        ResetStartTime();
    CheckXOrder(X);
    return AddPointCore(X, Y, false, false);
}

int TkPlotChannel::AddYElapsedDays(double Y)
{
    if (FResetStartTimeOnFirstDataPoint && GetCount() == 0)
        ResetStartTime();
    return AddPointCore(Now() - FStartTime, Y, false, false);
}

int TkPlotChannel::AddYElapsedSeconds(double Y)
{
    if (FResetStartTimeOnFirstDataPoint && GetCount() == 0)
        ResetStartTime();
    return AddPointCore((Now() - FStartTime) * SecondsPerDay, Y, false, false);
}

// ---- OPC

void TkPlotChannel::DoInsert()
{
    TkPlotChannelCustom::DoInsert();
    if (FOPC.Item(0)->GetAutoConnect())
        OPCConnect();
}

void TkPlotChannel::OPCConnect()
{
    // Without the library no group is made: the trace would keep its name.
    if (FOPC.Inert())
        return;
    FOPC.DisconnectBoth();
    TkOPCItem* y = FOPC.Item(0);
    if (FOPCXValueSource != kopcxvsOPCItem) {
        y->Connect();
        return;
    }
    // X and Y of one point must come from one update of one group.
    if (Trim(y->GetGroupName()).empty())
        y->SetGroupName(FOPC.AddOwnGroup());
    TkOPCItem* x = FOPC.Item(1);
    x->SetGroupName(y->GetGroupName());
    y->Connect();
    x->Connect();
}

void TkPlotChannel::OPCValueReceived(double Value, double TimeStamp)
{
    switch (FOPCXValueSource) {
    case kopcxvsOPCServerTimeStamp: AddPointCore(TimeStamp, Value, false, false); break;
    case kopcxvsSystemTimeStamp: AddPointCore(Now(), Value, false, false); break;
    case kopcxvsElapsedTime: AddYElapsedDays(Value); break;
    case kopcxvsElapsedSeconds: AddYElapsedSeconds(Value); break;
    case kopcxvsOPCItem: break;
    }
}

void TkPlotChannel::OPCGroupUpdated(double X, double Y)
{
    // The group outlives a switch to another source until the next connect.
    if (FOPCXValueSource == kopcxvsOPCItem)
        AddXY(X, Y);
}

// ---- looking up

bool TkPlotChannel::XAscending() const
{
    return GetCount() < 2 || GetDataX(1) >= GetDataX(0);
}

int TkPlotChannel::SearchX(double X, bool Ascending) const
{
    const int count = GetCount();
    int low = 0, high = count - 1, middle = 0;
    while (low <= high) {
        middle = (low + high) / 2;
        const double m = GetDataX(middle);
        if (m == X)
            break;
        if ((m < X) == Ascending)
            low = middle + 1;
        else
            high = middle - 1;
    }
    if (GetDataX(middle) < X)
        middle += Ascending ? 1 : -1;
    return std::clamp(middle, 0, count - 1);
}

int TkPlotChannel::FindIndexAtX(double X) const
{
    const int count = GetCount();
    if (!GetXAxis() || count == 0)
        return -1;
    const double first = GetDataX(0), last = GetDataX(count - 1);
    if (XAscending()) {
        if (first > X || last < X)
            return -1;
        return SearchX(X, true);
    }
    if (first < X || last > X)
        return -1;
    return SearchX(X, false);
}

bool TkPlotChannel::GetYAtX(double X, double& Y) const
{
    const int count = GetCount();
    if (count > 0) {
        if (GetDataValid(0) && GetDataX(0) == X) {
            Y = GetDataY(0);
            return true;
        }
        if (GetDataValid(count - 1) && GetDataX(count - 1) == X) {
            Y = GetDataY(count - 1);
            return true;
        }
    }
    Y = 0;
    const int i = FindIndexAtX(X);
    if (i < 0)
        return false;
    // The neighbour before X in the data's direction.
    const int j = XAscending() ? i - 1 : i + 1;
    if (j < 0 || j >= count)
        return false;
    if (FDigitalEnabled) {
        if (!GetDataValid(j))
            return false;
        Y = GetDataY(j);
        return true;
    }
    if (!GetDataValid(i) || !GetDataValid(j))
        return false;
    if (GetDataX(i) == X) {
        Y = GetDataY(i);
        return true;
    }
    const TkPlotChannelAxis* axis = GetXAxis();
    const int pi = axis->ValueToPixel(GetDataX(i));
    const double p = axis->ValueToPixel(GetDataX(j)) - pi;
    const double q = axis->ValueToPixel(X) - pi;
    const double d = GetDataY(j) - GetDataY(i);
    Y = p == 0 || q == 0 ? GetDataY(i) : GetDataY(i) + d * q / p;
    return true;
}

TkPlotCursorStatus TkPlotChannel::GetCursorYAtX(double X, double& Y) const
{
    Y = 0;
    const int count = GetCount();
    if (count == 0)
        return kpcvNoValue;
    if (X == GetFirstX() && GetDataValid(0)) {
        Y = GetDataY(0);
        return kpcvValue;
    }
    if (X == GetLastX() && GetDataValid(count - 1)) {
        Y = GetLastY();
        return kpcvValue;
    }
    const TkPlotInterpolationStyle style = FDigitalEnabled ? kpistStraightLine : FInterpolationStyle;
    switch (style) {
    case kpistStraightLine: return GetYAtX(X, Y) ? kpcvValue : kpcvNoValue;
    case kpistCubicSpline:
    case kpistPolynomial:
    case kpistRational: {
        // The curve as last drawn, within the points' X range.
        const double lo = std::min(GetFirstX(), GetLastX()), hi = std::max(GetFirstX(), GetLastX());
        const TkPlotChannelAxis* axis = GetXAxis();
        const TkPlotPixelPoint* p = axis && X >= lo && X <= hi ? PixelPointAt(axis->ValueToPixel(X)) : nullptr;
        if (!p)
            return kpcvNoValue;
        if (p->Null)
            return kpcvNull;
        Y = p->Y;
        return kpcvValue;
    }
    case kpistDifferential:
    case kpistDifferentialTerminated: {
        const int i = FindIndexAtX(X);
        if (i - 1 >= 0) {
            if (GetDataNull(i - 1))
                return kpcvNull;
            if (GetDataEmpty(i - 1))
                return kpcvNoValue;
            Y = GetDataY(i - 1);
            return kpcvValue;
        }
        // Beyond the last point the last level holds on, unless the steps
        // end there.
        if (style == kpistDifferential && GetDataValid(count - 1) && GetLastX() < X) {
            Y = GetLastY();
            return kpcvValue;
        }
        return kpcvNoValue;
    }
    }
    return kpcvNoValue;
}

// In between the ends, the index search's answer and its two neighbours
// compete.
int TkPlotChannel::NearestIndex(double X) const
{
    const int count = GetCount();
    if (count == 0)
        return -1;
    const int last = count - 1;
    const double first = GetDataX(0), lastX = GetDataX(last);
    const bool ascending = XAscending();
    if (ascending ? X >= lastX : X <= lastX)
        return last;
    if (ascending ? X <= first : X >= first)
        return 0;
    int best = FindIndexAtX(X);
    if (best < 0)
        best = std::fabs(X - first) <= std::fabs(X - lastX) ? 0 : last;
    for (int candidate : {best - 1, best + 1})
        if (candidate >= 0 && candidate <= last && std::fabs(X - GetDataX(candidate)) < std::fabs(X - GetDataX(best)))
            best = candidate;
    return best;
}

// ---- visible range and extents

void TkPlotChannel::CalcFirstVisibleIndex()
{
    const int count = GetCount();
    TkPlotChannelAxis* axis = GetXAxis();
    if (!axis || count == 0) {
        SetVisibleIndexes(-1, GetLastVisibleIndex());
        return;
    }
    const double min = axis->GetMin(), max = axis->GetMax();
    int i;
    if (FDrawOutOfOrderXValues) {
        i = count - 1;
        for (int k = 0; k < count; ++k)
            if (GetDataX(k) >= min && GetDataX(k) <= max) {
                i = k;
                break;
            }
        --i;
    } else if (XAscending()) {
        i = SearchX(min, true);
        if (GetDataX(i) > min)
            --i;
    } else {
        i = SearchX(max, false);
        if (GetDataX(i) < max)
            --i;
    }
    SetVisibleIndexes(std::clamp(i, 0, count - 1), GetLastVisibleIndex());
}

void TkPlotChannel::CalcLastVisibleIndex()
{
    const int count = GetCount();
    TkPlotChannelAxis* axis = GetXAxis();
    if (!axis || count == 0) {
        SetVisibleIndexes(GetFirstVisibleIndex(), -1);
        return;
    }
    const double min = axis->GetMin(), max = axis->GetMax();
    int i;
    if (FDrawOutOfOrderXValues) {
        i = -1;
        for (int k = count - 1; k >= 0; --k)
            if (GetDataX(k) >= min && GetDataX(k) <= max) {
                i = k;
                break;
            }
        ++i;
    } else if (XAscending()) {
        i = SearchX(max, true);
        if (GetDataX(i) < max)
            ++i;
    } else {
        i = SearchX(min, false);
        if (GetDataX(i) > min)
            ++i;
    }
    SetVisibleIndexes(GetFirstVisibleIndex(), std::clamp(i, 0, count - 1));
}

int TkPlotChannel::LastValidIndex() const
{
    for (int i = GetCount() - 1; i >= 0; --i)
        if (GetDataValid(i))
            return i;
    return -1;
}

int TkPlotChannel::FirstValidIndex() const
{
    for (int i = 0; i < GetCount(); ++i)
        if (GetDataValid(i))
            return i;
    return -1;
}

double TkPlotChannel::GetXMaxExtent()
{
    if (!AxesAssigned() || !GetVisible())
        return -1e300;
    const int i = XAscending() ? LastValidIndex() : FirstValidIndex();
    return i < 0 ? -1e300 : XPlusMarkerMargin(i);
}

double TkPlotChannel::GetXMinExtent()
{
    if (!AxesAssigned() || !GetVisible())
        return 1e300;
    const int i = XAscending() ? FirstValidIndex() : LastValidIndex();
    return i < 0 ? 1e300 : XMinusMarkerMargin(i);
}

double TkPlotChannel::VisibleYExtent(double None, const std::function<double(double, int)>& Extent)
{
    double result = None;
    if (!AxesAssigned() || !GetVisible())
        return result;
    CalcFirstVisibleIndex();
    CalcLastVisibleIndex();
    if (GetFirstVisibleIndex() < 0)
        return result;
    for (int i = GetFirstVisibleIndex(); i <= GetLastVisibleIndex(); ++i)
        if (GetDataValid(i))
            result = Extent(result, i);
    return result;
}

double TkPlotChannel::GetYMaxExtentVisible()
{
    return VisibleYExtent(-1e300, [this](double Max, int Index) { return std::max(Max, YPlusMarkerMargin(Index)); });
}

double TkPlotChannel::GetYMinExtentVisible()
{
    return VisibleYExtent(1e300, [this](double Min, int Index) { return std::min(Min, YMinusMarkerMargin(Index)); });
}

// ---- drawing

void TkPlotChannel::PreDraw(TCanvas* Canvas)
{
    TkPlotChannelCustom::PreDraw(Canvas);
    FReadyToDraw = false;
    TkPlotChannelAxis* xAxis = GetXAxis();
    if (!AxesAssigned() || !GetVisible() || GetCount() == 0)
        return;
    if (!FDrawOutOfOrderXValues) {
        const double first = GetFirstX(), last = GetLastX();
        const double min = xAxis->GetMin(), max = xAxis->GetMax();
        if (XAscending() ? (last < min || first > max) : (first < min || last > max))
            return;
    }
    CalcFirstVisibleIndex();
    CalcLastVisibleIndex();
    const int a = xAxis->ValueToPixel(xAxis->GetMin()), b = xAxis->ValueToPixel(xAxis->GetMax());
    FFirstPixel = std::min(a, b);
    FLastPixel = std::max(a, b);
    FPixelPoints.assign(std::size_t(FLastPixel - FFirstPixel) + 1, TkPlotPixelPoint());
    for (std::size_t i = 0; i < FPixelPoints.size(); ++i)
        FPixelPoints[i].Column = FFirstPixel + int(i);
    FReadyToDraw = true;
}

TkPlotPixelPoint* TkPlotChannel::PixelPointAt(int Column)
{
    if (FPixelPoints.empty() || Column < FFirstPixel || Column > FLastPixel)
        return nullptr;
    return &FPixelPoints[std::size_t(Column - FFirstPixel)];
}

const TkPlotPixelPoint* TkPlotChannel::PixelPointAt(int Column) const
{
    return const_cast<TkPlotChannel*>(this)->PixelPointAt(Column);
}

void TkPlotChannel::Draw(TCanvas* Canvas, TColor BackColor)
{
    if (!FReadyToDraw)
        return;
    std::optional<TkPlotClipKeeper> clip;
    KeepWithinAxes(Canvas, clip);
    if (FillsArea() && FInterpolationStyle == kpistStraightLine && !FDigitalEnabled)
        DrawFill(Canvas);
    if (FBarEnabled)
        DrawBars(Canvas);
    DrawTrace(Canvas, BackColor);
    DrawMarkers(Canvas, BackColor);
    if (FHighLowEnabled)
        DrawHighLow(Canvas);
}

void TkPlotChannel::DrawTrace(TCanvas* Canvas, TColor BackColor)
{
    if (!GetTraceVisible() || !AxesAssigned())
        return;
    if (FDigitalEnabled) {
        DrawDigital(Canvas);
        return;
    }
    switch (FInterpolationStyle) {
    case kpistStraightLine:
        if (FFastDrawEnabled)
            DrawFastTrace(Canvas);
        else
            TkPlotChannelCustom::DrawTrace(Canvas, BackColor);
        break;
    case kpistCubicSpline: DrawSplines(Canvas, BackColor); break;
    case kpistPolynomial:
    case kpistRational: DrawCurve(Canvas, BackColor); break;
    case kpistDifferential:
    case kpistDifferentialTerminated: DrawSteps(Canvas); break;
    }
}

void TkPlotChannel::DrawFastTrace(TCanvas* Canvas)
{
    UseChannelPen(Canvas);
    const int first = GetFirstVisibleIndex(), last = GetLastVisibleIndex();
    if (first < 0 || first == last)
        return;
    TkPlotFastTrace trace(*this, *GetXAxis(), *GetYAxis());
    List().WalkColumns(first, last, trace);
    Canvas->LineSegments(trace.Lines());
}

void TkPlotChannel::DrawStraight(TCanvas* Canvas, int First, int Last)
{
    ForEachSegment(First, Last,
                   [&](int, double X1, double Y1, double X2, double Y2) { DrawClippedLine(Canvas, X1, Y1, X2, Y2); });
}

void TkPlotChannel::DrawSteps(TCanvas* Canvas)
{
    UseChannelPen(Canvas);
    const int first = GetFirstVisibleIndex(), last = GetLastVisibleIndex();
    const auto end = ForEachSegment(first, last, [&](int, double X1, double Y1, double X2, double Y2) {
        if (FillsArea()) {
            FillBetween(Canvas, X1, Y1, X2, FFillReference);
            UseTracePen(Canvas, GetColor(), GetTraceLineStyle(), GetTraceLineWidth());
        }
        DrawClippedLine(Canvas, X1, Y1, X2, Y1);
        DrawClippedLine(Canvas, X2, Y1, X2, Y2);
    });
    // Past the last point its level holds on, unless the steps end there.
    const TkPlotChannelAxis* xAxis = GetXAxis();
    if (FInterpolationStyle == kpistDifferential && end && last == GetCount() - 1 && end->first < xAxis->GetMax())
        DrawClippedLine(Canvas, end->first, end->second, xAxis->GetMax(), end->second);
}

bool TkPlotChannel::DrawColumns(TCanvas* Canvas, double X1, double X2, const std::function<double(double)>& Curve)
{
    const TkPlotChannelAxis* xAxis = GetXAxis();
    const double lo = std::max(std::min(X1, X2), xAxis->GetMin());
    const double hi = std::min(std::max(X1, X2), xAxis->GetMax());
    if (lo > hi)
        return true;
    int c1 = xAxis->ValueToPixel(lo), c2 = xAxis->ValueToPixel(hi);
    if (c2 < c1)
        std::swap(c1, c2);
    // Computed whole before anything is drawn: a curve that fails draws
    // nothing of itself.
    std::vector<std::pair<double, double>> values;
    try {
        for (int c = c1; c <= c2; ++c) {
            const double x = xAxis->PixelToValue(c);
            const double y = Curve(x);
            if (!std::isfinite(y))
                return false;
            values.emplace_back(x, y);
        }
    } catch (const Exception&) {
        return false;
    }
    const TColor traceColor = Canvas->Pen->GetColor();
    const TColor fillColor = FFillUseChannelColor ? GetColor() : FFillColor;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            DrawClippedLine(Canvas, values[i - 1].first, values[i - 1].second, values[i].first, values[i].second);
        if (FillsArea()) {
            Canvas->Pen->SetColor(fillColor);
            DrawClippedLine(Canvas, values[i].first, values[i].second, values[i].first, FFillReference);
            Canvas->Pen->SetColor(traceColor);
        }
        if (TkPlotPixelPoint* p = PixelPointAt(c1 + int(i))) {
            p->Y = values[i].second;
            p->Null = false;
        }
    }
    return true;
}

void TkPlotChannel::DrawSplines(TCanvas* Canvas, TColor)
{
    UseChannelPen(Canvas);
    // Each run of valid points between null points gets its own spline.
    int runStart = -1;
    std::vector<double> xs(1), ys(1);
    const auto drawRun = [&](int RunEnd) {
        const int n = int(xs.size()) - 1;
        if (n >= 2) {
            if (xs[n] < xs[1]) {  // the spline routines want X upwards
                std::reverse(xs.begin() + 1, xs.end());
                std::reverse(ys.begin() + 1, ys.end());
            }
            std::vector<double> y2;
            Spline(xs, ys, n, 1e30, 1e30, y2);
            const auto curve = [&](double X) { return Splint(xs, ys, y2, n, X); };
            if (!DrawColumns(Canvas, xs[1], xs[n], curve))
                DrawStraight(Canvas, runStart, RunEnd);
        }
        xs.assign(1, 0);
        ys.assign(1, 0);
        runStart = -1;
    };
    for (int i = 0; i < GetCount(); ++i) {
        if (GetDataEmpty(i))
            continue;
        if (GetDataNull(i)) {
            drawRun(i);
            continue;
        }
        if (runStart < 0)
            runStart = i;
        xs.push_back(GetDataX(i));
        ys.push_back(GetDataY(i));
    }
    drawRun(GetCount() - 1);
}

void TkPlotChannel::DrawCurve(TCanvas* Canvas, TColor)
{
    UseChannelPen(Canvas);
    const int first = GetFirstVisibleIndex(), last = GetLastVisibleIndex();
    if (first < 0)
        return;
    std::vector<double> xs(1), ys(1);
    for (int i = first; i <= last; ++i)
        if (GetDataValid(i)) {
            xs.push_back(GetDataX(i));
            ys.push_back(GetDataY(i));
        }
    const int n = int(xs.size()) - 1;
    const bool rational = FInterpolationStyle == kpistRational;
    const auto curve = [&](double X) {
        double y = 0, dy = 0;
        if (rational)
            RationalInterpolate(xs, ys, n, X, y, dy);
        else
            PolynomialInterpolate(xs, ys, n, X, y, dy);
        return y;
    };
    if (n < 2 || n > MaxCurvePoints || !DrawColumns(Canvas, xs[1], xs[n], curve))
        DrawStraight(Canvas, first, last);
}

bool TkPlotChannel::HitTest(const TkPlotMouseData& Mouse)
{
    if (TkPlotChannelCustom::HitTest(Mouse))
        return true;
    TkPlotChannelAxis* xAxis = GetXAxis();
    TkPlotChannelAxis* yAxis = GetYAxis();
    if (!xAxis || !yAxis)
        return false;
    // In the object's own frame X runs along the X axis.
    double y = 0;
    if (!GetYAtX(xAxis->PixelToValue(Mouse.Point.X), y))
        return false;
    const int dy = Mouse.Point.Y - yAxis->ValueToPixel(y);
    return dy >= -10 && dy < 10;
}

// ---- areas: fill, bars, high-low bars and the digital trace

void TkPlotChannel::UseFillBrush(TCanvas* Canvas) const
{
    const TColor color = FFillUseChannelColor ? GetColor() : FFillColor;
    Canvas->Brush->SetStyle(FFillStyle);
    Canvas->Brush->SetColor(color);
    Canvas->Pen->SetColor(color);
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(0);
}

void TkPlotChannel::FillBetween(TCanvas* Canvas, double X1, double Y1, double X2, double Y2)
{
    UseFillBrush(Canvas);
    const std::vector<TPoint> corners = ScreenPolygon({{X1, Y2}, {X1, Y1}, {X2, Y1}, {X2, Y2}});
    if (corners.size() >= 3)
        Canvas->Polygon(corners);
}

void TkPlotChannel::DrawFill(TCanvas* Canvas)
{
    const int first = GetFirstVisibleIndex(), last = GetLastVisibleIndex();
    UseFillBrush(Canvas);
    ForEachSegment(first, last, [&](int, double X1, double Y1, double X2, double Y2) {
        const std::vector<TPoint> corners = ScreenPolygon(
            {{X1, FFillReference}, {X1, Y1}, {X2, Y2}, {X2, FFillReference}});
        if (corners.size() >= 3)
            Canvas->Polygon(corners);
    });
}

TRect TkPlotChannel::ValueRect(double X1, double Y1, double X2, double Y2) const
{
    const TPoint a = ScreenPoint(FarX(X1), FarY(Y1));
    const TPoint b = ScreenPoint(FarX(X2), FarY(Y2));
    TRect r(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
    if (r.Right == r.Left)
        ++r.Right;
    if (r.Bottom == r.Top)
        ++r.Bottom;
    return r;
}

TRect TkPlotChannel::TickRect(double X1, double X2, double Y, double Height) const
{
    TRect r = ValueRect(X1, Y, X2, Y);
    const int half = ClampToInt(Height / 2);
    // Height runs across the X axis, whichever way the screen turns it.
    if (GetXYAxesReverse()) {
        const int centre = r.Left;
        r.Left = centre - half;
        r.Right = std::max(centre + half, r.Left + 1);
    } else {
        const int centre = r.Top;
        r.Top = centre - half;
        r.Bottom = std::max(centre + half, r.Top + 1);
    }
    return r;
}

TRect TkPlotChannel::BarRect(int Index) const
{
    const TkPlotDataAttributes a = GetDataAttributes(Index);
    const double x = GetDataX(Index);
    return ValueRect(x - a.BarWidth / 2, a.BarReference, x + a.BarWidth / 2, GetDataY(Index));
}

bool TkPlotChannel::PointPickable(int Index) const
{
    if (!FBarEnabled)
        return TkPlotChannelCustom::PointPickable(Index);
    return GetDataValid(Index) && GetDataAttributes(Index).Spare;
}

TRect TkPlotChannel::PointRect(int Index) const
{
    return FBarEnabled ? BarRect(Index) : TkPlotChannelCustom::PointRect(Index);
}

void TkPlotChannel::DrawBars(TCanvas* Canvas)
{
    const int first = GetFirstVisibleIndex(), last = GetLastVisibleIndex();
    for (int i = first; i <= last && first >= 0; ++i) {
        if (!PointPickable(i))
            continue;
        const TkPlotDataAttributes a = GetDataAttributes(i);
        Canvas->Brush->SetColor(FBarBrushUseChannelColor ? GetColor() : TColor(a.BarBrushColor));
        Canvas->Brush->SetStyle(TBrushStyle(a.BarBrushStyle));
        Canvas->Pen->SetColor(FBarPenUseChannelColor ? GetColor() : TColor(a.BarPenColor));
        Canvas->Pen->SetWidth(a.BarPenWidth);
        Canvas->Pen->SetStyle(TPenStyle(a.BarPenStyle));
        Canvas->Rectangle(BarRect(i));
    }
}

void TkPlotChannel::DrawHighLow(TCanvas* Canvas)
{
    const int first = GetFirstVisibleIndex(), last = GetLastVisibleIndex();
    Canvas->Pen->SetWidth(0);
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Brush->SetStyle(bsSolid);
    const auto block = [Canvas](TColor Color, const TRect& R) {
        Canvas->Pen->SetColor(Color);
        Canvas->Brush->SetColor(Color);
        Canvas->Rectangle(R);
    };
    for (int i = first; i <= last && first >= 0; ++i) {
        if (!GetDataValid(i))
            continue;
        const double x = GetDataX(i);
        const double high = List().GetExtraValue(1, i), low = List().GetExtraValue(2, i);
        const double open = List().GetExtraValue(3, i), close = List().GetExtraValue(4, i);
        const double half = FHighLowBarWidth / 2;
        if (FHighLowStyle == kphlsOpenClose) {
            // The open tick reaches left of the bar, the close tick right;
            // widths are X axis values, heights pixels.
            if (FHighLowOpenShow)
                block(FHighLowOpenColor, TickRect(x - half - FHighLowOpenWidth, x - half, open, FHighLowOpenHeight));
            if (FHighLowCloseShow)
                block(FHighLowCloseColor,
                      TickRect(x + half, x + half + FHighLowCloseWidth, close, FHighLowCloseHeight));
            block(FHighLowBarColor, ValueRect(x - half, high, x + half, low));
        } else {
            Canvas->Pen->SetColor(FHighLowShadowColor);
            DrawClippedLine(Canvas, x, high, x, low);
            TRect body = ValueRect(x - half, open, x + half, close);
            if (GetXYAxesReverse())
                ++body.Bottom;
            else
                ++body.Right;
            block(open <= close ? FHighLowBullishColor : FHighLowBearishColor, body);
        }
    }
}

double TkPlotChannel::DigitalLevel(bool High) const
{
    const double reference = High ? FDigitalReferenceHigh : FDigitalReferenceLow;
    if (FDigitalReferenceStyle == kpdrScale)
        return reference;
    const TkPlotChannelAxis* axis = GetYAxis();
    return axis->GetMin() + axis->GetSpan() * reference / 100;
}

double TkPlotChannel::MarkerY(int Index) const
{
    if (!FDigitalEnabled || !GetYAxis())
        return GetDataY(Index);
    return DigitalLevel(GetDataY(Index) != 0);
}

void TkPlotChannel::DrawDigitalRun(TCanvas* Canvas, double X1, double X2, bool High)
{
    if (FillsArea())
        FillBetween(Canvas, X1, DigitalLevel(High), X2, FFillReference);
    UseChannelPen(Canvas);
    DrawClippedLine(Canvas, X1, DigitalLevel(High), X2, DigitalLevel(High));
}

void TkPlotChannel::DrawDigital(TCanvas* Canvas)
{
    const int first = GetFirstVisibleIndex(), last = GetLastVisibleIndex();
    bool inRun = false, high = false;
    double start = 0, lastX = 0;
    for (int i = first; i <= last && first >= 0; ++i) {
        if (GetDataEmpty(i))
            continue;
        if (GetDataNull(i)) {
            if (inRun)
                DrawDigitalRun(Canvas, start, lastX, high);
            inRun = false;
            continue;
        }
        const double x = GetDataX(i);
        const bool level = GetDataY(i) != 0;
        if (!inRun) {
            inRun = true;
            high = level;
            start = x;
        } else if (level != high) {
            DrawDigitalRun(Canvas, start, x, high);
            DrawClippedLine(Canvas, x, DigitalLevel(high), x, DigitalLevel(level));
            high = level;
            start = x;
        }
        lastX = x;
    }
    if (inRun)
        DrawDigitalRun(Canvas, start, lastX, high);
}

// ---- data cursor readout

std::string TkPlotChannel::CursorYText(TkPlotCursorStatus Status, double Y) const
{
    if (Status == kpcvNull)
        return Word("Null");
    if (Status == kpcvNoValue)
        return Word("Empty");
    if (FDigitalEnabled)
        return Word(Y == 0 ? "Low" : "High");
    return GetYValueText(Y);
}

void TkPlotChannel::UpdateCursorValues(TkPlotDataCursor* Cursor)
{
    TkPlotChannelAxis* xAxis = GetXAxis();
    TkPlotChannelAxis* yAxis = GetYAxis();
    if (!xAxis || !yAxis || !Cursor->GetDataView())
        return;
    const TkPlotDataCursorStyle style = Cursor->GetStyle();
    // The pointers of the Y-difference style are horizontal lines read on
    // the Y axis; all others are read on the X axis.
    TkPlotChannelAxis* readAxis = style == kpcsDeltaY ? yAxis : xAxis;
    const double v1 = readAxis->PixelToValue(Cursor->PointerPixel(1));
    const double v2 = readAxis->PixelToValue(Cursor->PointerPixel(2));
    const double scaler = readAxis->GetCursorScaler();
    TkPlotCursorStatus status = kpcvValue;
    double x = 0, y = 0;
    switch (style) {
    case kpcsValueXY:
    case kpcsValueX:
    case kpcsValueY:
        x = v1;
        status = GetCursorYAtX(v1, y);
        break;
    case kpcsDeltaX: x = std::fabs(v1 - v2) * scaler; break;
    case kpcsDeltaY: y = std::fabs(v1 - v2) * scaler; break;
    case kpcsInverseDeltaX: {
        const double d = std::fabs(v1 - v2);
        x = d == 0 || scaler == 0 ? std::numeric_limits<double>::infinity() : 1 / (d * scaler);
        break;
    }
    }
    Cursor->SetValues(status, x, y);
    std::string inverse;
    if (style == kpcsInverseDeltaX)
        inverse = x >= 1e301 ? Word("Infinite") : xAxis->GetCursorPlainText(x);
    KeepCursorTexts(*Cursor, GetXValueText(x), CursorYText(status, y), inverse);
}
