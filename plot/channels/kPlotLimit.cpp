#include "plot/channels/kPlotLimit.h"

#include <algorithm>
#include <cmath>

#include "plot/channels/kPlotAxesClip.h"
#include "plot/channels/kPlotHatchGaps.h"
#include "plot/core/kGPFunctions.h"
#include "ui/Canvas.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotLimit, TkPlotObject>("TkPlotLimit");
    return true;
}();

}  // namespace

TkPlotChannelAxis* TkPlotLimit::GetXAxis() const
{
    return AxisFinder ? AxisFinder(TkPlotObjectKind::XAxis, FXAxisName) : nullptr;
}

TkPlotChannelAxis* TkPlotLimit::GetYAxis() const
{
    return AxisFinder ? AxisFinder(TkPlotObjectKind::YAxis, FYAxisName) : nullptr;
}

bool TkPlotLimit::HasFill() const
{
    switch (FStyle) {
    case kplsBandX:
    case kplsBandY: return FFillStyle != bsClear;
    case kplsPolyBandX:
    case kplsPolyBandY: return true;
    default: return false;
    }
}

void TkPlotLimit::SetPosition(int Index, double Value)
{
    TLine& line = Line(Index);
    if (Value == line.Position)
        return;
    const double old = line.Position;
    line.Position = Value;
    DoChange();
    if (GetOwner())
        GetOwner()->DoLimitLinePositionChange(this, Index, old, Value);
}

// ---- drawing

TPoint TkPlotLimit::At(int Value, int Across) const
{
    return IsXStyle() ? OrientedPoint(GetXYAxesReverse(), Value, Across)
                      : OrientedPoint(GetXYAxesReverse(), Across, Value);
}

void TkPlotLimit::MarkDrawn(TLine& Line, int Value, int Across1, int Across2)
{
    // A line at no value (NaN) lies nowhere: its pixel is a stand-in at
    // the plot's edge, where a grip would take presses meant for others.
    if (std::isnan(Line.Position))
        return;
    const TPoint a = At(Value - GrabWidth, std::min(Across1, Across2));
    const TPoint b = At(Value + GrabWidth + 1, std::max(Across1, Across2) + 1);
    Line.HitRect = NormalizedRect(a.X, a.Y, b.X, b.Y);
    Line.Drawn = true;
}

void TkPlotLimit::Draw(TCanvas* Canvas, TColor BackColor)
{
    FLine1.Drawn = FLine2.Drawn = false;
    TkPlotChannelAxis* x = GetXAxis();
    TkPlotChannelAxis* y = GetYAxis();
    if (!GetVisible() || !x || !y)
        return;
    TkPlotClipKeeper keeper(Canvas);
    const TkPlotHatchGaps gaps(Canvas, BackColor);
    if (FClipToAxes)
        Canvas->IntersectClipRect(AxesRect(*x, *y, GetXYAxesReverse()));
    const TkPlotChannelAxis& values = IsXStyle() ? *x : *y;
    const TkPlotChannelAxis& across = IsXStyle() ? *y : *x;
    switch (FStyle) {
    case kplsLineX:
    case kplsLineY: DrawLine(Canvas, BackColor, values, across); break;
    case kplsBandX:
    case kplsBandY: DrawBand(Canvas, values, across); break;
    case kplsPolyBandX:
    case kplsPolyBandY: DrawPolyBand(Canvas, values, across); break;
    }
}

void TkPlotLimit::DrawLine(TCanvas* Canvas, TColor BackColor, const TkPlotChannelAxis& Values,
                           const TkPlotChannelAxis& Across)
{
    // Written so that a line at no value (NaN) is outside too.
    if (!(Values.GetMin() <= FLine1.Position && FLine1.Position <= Values.GetMax()))
        return;
    Canvas->Pen->SetColor(FColor);
    Canvas->Pen->SetWidth(FLineWidth);
    Canvas->Pen->SetStyle(FLineStyle);
    Canvas->Brush->SetColor(BackColor);
    const int v = Values.ValueToPixel(FLine1.Position);
    const int a1 = Across.ValueToPixel(Across.GetMin()), a2 = Across.ValueToPixel(Across.GetMax());
    Canvas->MoveTo(At(v, a1).X, At(v, a1).Y);
    Canvas->LineTo(At(v, a2).X, At(v, a2).Y);
    MarkDrawn(FLine1, v, a1, a2);
}

void TkPlotLimit::DrawBand(TCanvas* Canvas, const TkPlotChannelAxis& Values, const TkPlotChannelAxis& Across)
{
    const int v1 = Values.ValueToPixel(FLine1.Position), v2 = Values.ValueToPixel(FLine2.Position);
    const int a1 = Across.ValueToPixel(Across.GetMin()), a2 = Across.ValueToPixel(Across.GetMax());
    MarkDrawn(FLine1, v1, a1, a2);
    MarkDrawn(FLine2, v2, a1, a2);
    Canvas->Pen->SetColor(FColor);
    Canvas->Brush->SetColor(FColor);
    Canvas->Brush->SetStyle(FFillStyle);
    auto edges = [&](int Width) {
        Canvas->Pen->SetStyle(FLineStyle);
        Canvas->Pen->SetWidth(Width);
        for (int v : {v1, v2}) {
            Canvas->MoveTo(At(v, a1).X, At(v, a1).Y);
            Canvas->LineTo(At(v, a2).X, At(v, a2).Y);
        }
    };
    const TPoint c1 = At(v1, a1), c2 = At(v2, a2);
    const TRect area = NormalizedRect(c1.X, c1.Y, c2.X, c2.Y);
    if (FFillStyle == bsSolid) {
        Canvas->Pen->SetStyle(FLineStyle);
        Canvas->Pen->SetWidth(1);
        Canvas->Rectangle(area);
    } else if (FFillStyle == bsClear) {
        edges(FLineWidth);
    } else {
        // The hatch alone, then its edges over it.
        Canvas->Pen->SetStyle(psClear);
        Canvas->Rectangle(area);
        edges(1);
    }
}

void TkPlotLimit::DrawPolyBand(TCanvas* Canvas, const TkPlotChannelAxis& Values, const TkPlotChannelAxis& Across)
{
    if (FDataList.Count() < 2)
        return;
    Canvas->Pen->SetColor(FColor);
    Canvas->Pen->SetWidth(1);
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Brush->SetColor(FColor);
    Canvas->Brush->SetStyle(FFillStyle);
    auto point = [&](double Value, double Position) {
        return At(Values.ValueToPixel(Value), Across.ValueToPixel(Position));
    };
    for (int i = 1; i < FDataList.Count(); ++i) {
        const TkLimitDataList::TItem& a = FDataList.GetItem(i - 1);
        const TkLimitDataList::TItem& b = FDataList.GetItem(i);
        if (a.Position < Across.GetMin() && b.Position < Across.GetMin())
            continue;
        if (a.Position > Across.GetMax())
            break;
        const std::vector<TPoint> quad{point(a.Line1, a.Position), point(b.Line1, b.Position),
                                       point(b.Line2, b.Position), point(a.Line2, a.Position)};
        if (FFillStyle == bsSolid) {
            Canvas->Polygon(quad);
            continue;
        }
        Canvas->Pen->SetStyle(psClear);
        Canvas->Polygon(quad);
        Canvas->Pen->SetStyle(psSolid);
        Canvas->MoveTo(quad[0].X, quad[0].Y);
        Canvas->LineTo(quad[1].X, quad[1].Y);
        Canvas->MoveTo(quad[3].X, quad[3].Y);
        Canvas->LineTo(quad[2].X, quad[2].Y);
    }
}

// ---- mouse

bool TkPlotLimit::HitTest(const TkPlotMouseData& Mouse)
{
    if (FSelectModeOnlyInteraction && !(GetOwner() && GetOwner()->GetSelectMode()))
        return false;
    return (FLine1.Drawn && PtInRect(FLine1.HitRect, Mouse.Received)) ||
           (FLine2.Drawn && PtInRect(FLine2.HitRect, Mouse.Received));
}

void TkPlotLimit::DoMouseLeftDown(const TkPlotMouseData& Mouse)
{
    if (!FUserCanMove || !HitTest(Mouse))
        return;
    if (FLine1.Drawn && PtInRect(FLine1.HitRect, Mouse.Received))
        FLine1.Dragging = true;
    else
        FLine2.Dragging = true;
    InvalidateNow();
}

void TkPlotLimit::DoMouseDrag(const TkPlotMouseData& Mouse)
{
    // Mouse.Point runs along the X axis in X and along the Y axis in Y,
    // whichever way the plot turns its axes.
    TkPlotChannelAxis* axis = IsXStyle() ? GetXAxis() : GetYAxis();
    if (!axis)
        return;
    const double value = axis->PixelToValue(IsXStyle() ? Mouse.Point.X : Mouse.Point.Y);
    for (int index : {1, 2})
        if (Line(index).Dragging)
            SetPosition(index, value);
}

void TkPlotLimit::DoMouseUp(const TkPlotMouseData& Mouse)
{
    if (!FLine1.Dragging && !FLine2.Dragging)
        return;
    FLine1.Dragging = FLine2.Dragging = false;
    if (GetOwner() && HitTest(Mouse))
        GetOwner()->DoObjectClick(this);
}

TCursor TkPlotLimit::GetMouseCursor(TPoint P)
{
    const TCursor cursor = TkPlotManagerObject::GetMouseCursor(P);
    if (GetHitObject() != this || !FUserCanMove)
        return cursor;
    if (!FLine1.Drawn || !FLine2.Drawn)
        return crSizeAll;
    // Bands move across their lines.
    return IsXStyle() != GetXYAxesReverse() ? crSizeWE : crSizeNS;
}

void TkPlotLimit::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotManagerObject::BuildPopupMenu(Menu);
    AddEditMenuItem(Menu);
}
