#include "plot/core/kPlotDataView.h"

#include <cmath>
#include <cstdlib>

#include "plot/core/kGPFunctions.h"
#include "plot/core/kPlotAxisRelayHold.h"
#include "plot/core/kPlotObjectNames.h"
#include "plot/core/kPlotObjectRef.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "rtl/StrUtils.h"
#include "ui/Canvas.h"
#include "ui/Font.h"
#include "ui/Keys.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotDataView, TkPlotLayoutObject>("TkPlotDataView");
    return true;
}();

}  // namespace

TkPlotDataView::TkPlotDataView(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::DataView)
{
}

// ---------------------------------------------------------------- percent positions

double TkPlotDataView::PixelsToPercentX(int X) const
{
    const TRect& l = GetDrawRect();
    const int width = l.Right - l.Left;
    return width == 0 ? 0 : double(X - l.Left) / width * 100;
}

double TkPlotDataView::PixelsToPercentY(int Y) const
{
    const TRect& l = GetDrawRect();
    const int height = l.Bottom - l.Top;
    return height == 0 ? 0 : (1 - double(Y - l.Top) / height) * 100;
}

int TkPlotDataView::PercentToPixelsX(double Percent) const
{
    const TRect& l = GetDrawRect();
    return RoundToInt(double(l.Right - l.Left) * Percent / 100 + l.Left);
}

int TkPlotDataView::PercentToPixelsY(double Percent) const
{
    const TRect& l = GetDrawRect();
    return RoundToInt(double(l.Bottom - l.Top) * (100 - Percent) / 100 + l.Top);
}

// ---------------------------------------------------------------- drawing

std::vector<TkPlotAxis*> TkPlotDataView::Axes(const TkPlotKind& Kind) const
{
    return GetOwner() ? GetOwner()->GetAxes(Kind) : std::vector<TkPlotAxis*>{};
}

void TkPlotDataView::FillBackground(TCanvas* Canvas)
{
    if (FBackgroundTransparent)
        return;
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(FBackgroundColor);
    Canvas->FillRect(GetDrawRect());
}

void TkPlotDataView::DrawZoomBox(TCanvas* Canvas)
{
    if (!FZoomBoxActive)
        return;
    Canvas->Font->SetColor(clWhite);
    DrawFocusRectangle(Canvas, NormalizedRect(FBoxStart.X, FBoxStart.Y, FBoxEnd.X, FBoxEnd.Y));
}

void TkPlotDataView::DrawGrid(TCanvas* Canvas, const TkPlotKind& Kind, const std::string& AxisName,
                              const TGridPen& Major, const TGridPen& Minor, bool ShowMinors, bool ShowMajors)
{
    const TGridPen major = Major.Custom ? Major : TGridPen{false, FGridLineColor, 0, FGridLineMajorStyle};
    const TGridPen minor = Minor.Custom ? Minor : TGridPen{false, FGridLineColor, 0, FGridLineMinorStyle};
    const bool all = UpperCase(AxisName) == "<ALL>";
    for (TkPlotAxis* axis : Axes(Kind))
        if (all || SameText(axis->GetName(), AxisName)) {
            axis->DrawGridLines(Canvas, GetDrawRect(), minor.Width, major.Width, minor.Color, major.Color, minor.Style,
                                major.Style, ShowMinors, ShowMajors);
            if (!all)
                break;
        }
}

void TkPlotDataView::DrawBorder(TCanvas* Canvas, TColor Color, int BottomExtra)
{
    const TRect& l = GetDrawRect();
    Canvas->Pen->SetColor(Color);
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(0);
    auto line = [Canvas](int X1, int Y1, int X2, int Y2) {
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
    };
    if (FGridLineShowLeft)
        line(l.Left, l.Top, l.Left, l.Bottom);
    if (FGridLineShowRight)
        line(l.Right, l.Top, l.Right, l.Bottom);
    if (FGridLineShowTop)
        line(l.Left, l.Top, l.Right, l.Top);
    if (FGridLineShowBottom)
        line(l.Left, l.Bottom, l.Right + BottomExtra, l.Bottom);
}

void TkPlotDataView::Draw(TCanvas* Canvas, TColor BackColor)
{
    if (FGridShow) {
        DrawGrid(Canvas, TkPlotObjectKind::XAxis, FGridXAxisName,
                 {FGridLineXMajorCustom, FGridLineXMajorColor, FGridLineXMajorWidth, FGridLineXMajorStyle},
                 {FGridLineXMinorCustom, FGridLineXMinorColor, FGridLineXMinorWidth, FGridLineXMinorStyle},
                 FGridLineShowXMinors, FGridLineShowXMajors);
        DrawGrid(Canvas, TkPlotObjectKind::YAxis, FGridYAxisName,
                 {FGridLineYMajorCustom, FGridLineYMajorColor, FGridLineYMajorWidth, FGridLineYMajorStyle},
                 {FGridLineYMinorCustom, FGridLineYMinorColor, FGridLineYMinorWidth, FGridLineYMinorStyle},
                 FGridLineShowYMinors, FGridLineShowYMajors);
        DrawBorder(Canvas, FGridLineColor, 0);
    }
    if (GetFocused()) {
        DrawBorder(Canvas, BackColor, 1);
        Canvas->Font->SetColor(clBlack);
        TRect focus = GetDrawRect();
        focus.Right += 1;
        focus.Bottom += 1;
        DrawFocusRectangle(Canvas, focus);
    }
}

// ---------------------------------------------------------------- axes control

TkPlotAxesControlMode TkPlotDataView::GetAxesControlMode() const
{
    TkPlotAxesControlMode mode = FAxesControlEnabled ? TkPlotAxesControlMode::AxesControl : TkPlotAxesControlMode::None;
    if (TkPlotObjectOwner* owner = GetOwner()) {
        if (owner->GetZoomBoxMode())
            mode = TkPlotAxesControlMode::ZoomBox;
        if (owner->GetSelectMode() && !FAxesControlAllowInSelectMode)
            mode = TkPlotAxesControlMode::BlockedBySelect;
    }
    return mode;
}

void TkPlotDataView::ZoomToRect(const TRect& Rect)
{
    TRect box = Rect;
    bool cancel = false;
    if (GetOwner())
        GetOwner()->DoBeforeZoomBox(box, cancel);
    if (cancel)
        return;
    for (const TkPlotKind* kind : {&TkPlotObjectKind::XAxis, &TkPlotObjectKind::YAxis})
        for (TkPlotAxis* axis : Axes(*kind))
            axis->ZoomToRect(box);
}

void TkPlotDataView::DisableTracking()
{
    for (const TkPlotKind* kind : {&TkPlotObjectKind::XAxis, &TkPlotObjectKind::YAxis})
        for (TkPlotAxis* axis : Axes(*kind))
            axis->SetTrackingEnabled(false);
}

void TkPlotDataView::ChosenKinds(TkPlotAxesControlStyle Style, bool ShiftHeld, bool& XAxes, bool& YAxes) const
{
    XAxes = YAxes = false;
    switch (Style) {
    case kpacsXAxis: (ShiftHeld ? YAxes : XAxes) = true; break;
    case kpacsYAxis: (ShiftHeld ? XAxes : YAxes) = true; break;
    case kpacsBoth: XAxes = YAxes = true; break;
    case kpacsNone: break;
    }
}

void TkPlotDataView::DoMouseLeftDown(const TkPlotMouseData& Mouse)
{
    FLocked = false;
    FLeftDown = true;
    switch (GetAxesControlMode()) {
    case TkPlotAxesControlMode::ZoomBox:
        DisableTracking();
        FBoxStart = FBoxEnd = Mouse.Received;
        FZoomBoxActive = true;
        InvalidateNow();
        break;
    case TkPlotAxesControlMode::AxesControl: {
        FBoxStart = Mouse.Received;
        const TkPlotAxisRelayHold hold;
        for (const TkPlotKind* kind : {&TkPlotObjectKind::XAxis, &TkPlotObjectKind::YAxis})
            for (TkPlotAxis* axis : Axes(*kind))
                axis->DoMouseLeftDown(Mouse);
        break;
    }
    default: break;
    }
}

void TkPlotDataView::DoMouseRightDown(const TkPlotMouseData& Mouse)
{
    if (GetAxesControlMode() != TkPlotAxesControlMode::AxesControl)
        return;
    FRightDown = true;
    FBoxStart = FBoxEnd = Mouse.Received;
}

void TkPlotDataView::DoMouseDrag(const TkPlotMouseData& Mouse)
{
    if (!FLeftDown && !FRightDown)
        return;
    const TPoint p = Mouse.Received;
    if (FZoomBoxActive) {
        if (!(GetOwner() && GetOwner()->DoubleClickPending())) {
            FBoxEnd = p;
            InvalidateNow();
        }
        return;
    }
    if (GetAxesControlMode() != TkPlotAxesControlMode::AxesControl)
        return;
    if (FRightDown) {
        // A short wobble of a right click is no box.
        if (std::abs(p.X - FBoxStart.X) < 6 && std::abs(p.Y - FBoxStart.Y) < 6)
            return;
        FBoxEnd = p;
        FZoomBoxActive = true;
        DisableTracking();
        InvalidateNow();
        return;
    }
    const bool shift = Mouse.Shift & ssShift;
    bool toX = false;
    bool toY = false;
    if (FAxesControlMouseStyle == kpacsBoth && shift) {
        if (!FLocked) {
            if (std::abs(p.X - FBoxStart.X) > 3) {
                FLocked = true;
                FLockedToX = true;
            }
            if (std::abs(p.Y - FBoxStart.Y) >= 4) {
                FLocked = true;
                FLockedToX = false;
            }
        }
        toX = !FLocked || FLockedToX;
        toY = !FLocked || !FLockedToX;
    } else {
        ChosenKinds(FAxesControlMouseStyle, shift, toX, toY);
    }
    const TkPlotAxisRelayHold hold;
    if (toX)
        for (TkPlotAxis* axis : Axes(TkPlotObjectKind::XAxis))
            axis->DoMouseDrag(Mouse);
    if (toY)
        for (TkPlotAxis* axis : Axes(TkPlotObjectKind::YAxis))
            axis->DoMouseDrag(Mouse);
}

void TkPlotDataView::DoMouseUp(const TkPlotMouseData& Mouse)
{
    // The plot hands a release to the pressed object and again to every
    // selected one; only the first belongs to a press of this view.
    if (!GetPressed())
        return;
    if (FZoomBoxActive) {
        // Only a box drawn from its top-left corner to its bottom-right
        // one zooms; any other is discarded.
        if (!Mouse.Flag && FBoxStart.X < FBoxEnd.X && FBoxStart.Y < FBoxEnd.Y)
            ZoomToRect(TRect(FBoxStart.X, FBoxStart.Y, FBoxEnd.X, FBoxEnd.Y));
        InvalidateNow();
    } else if (GetAxesControlMode() == TkPlotAxesControlMode::AxesControl) {
        const TkPlotAxisRelayHold hold;
        for (const TkPlotKind* kind : {&TkPlotObjectKind::XAxis, &TkPlotObjectKind::YAxis})
            for (TkPlotAxis* axis : Axes(*kind))
                axis->DoMouseUp(Mouse);
    }
    if (PtInRect(GetDrawRect(), Mouse.Received) && GetOwner())
        GetOwner()->DoObjectClick(this);
    FLeftDown = false;
    FRightDown = false;
    FZoomBoxActive = false;
    InvalidateNow();
}

bool TkPlotDataView::DoMouseWheel(int WheelDelta, TShiftState Shift, TPoint Client)
{
    if (GetAxesControlMode() != TkPlotAxesControlMode::AxesControl || FAxesControlWheelStyle == kpacsNone)
        return false;
    bool toX = false;
    bool toY = false;
    ChosenKinds(FAxesControlWheelStyle, Shift & ssShift, toX, toY);
    const TkPlotAxisRelayHold hold;
    if (toX)
        for (TkPlotAxis* axis : Axes(TkPlotObjectKind::XAxis))
            axis->DoMouseWheel(WheelDelta, Shift, Client);
    if (toY)
        for (TkPlotAxis* axis : Axes(TkPlotObjectKind::YAxis))
            axis->DoMouseWheel(WheelDelta, Shift, Client);
    return true;
}

void TkPlotDataView::KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu)
{
    // The popup the key may open can free the view.
    const TkPlotObjectRef self(this);
    TkPlotLayoutObject::KeyDown(Key, Shift, Menu);
    if (self && Key == VK_ESCAPE && FZoomBoxActive) {
        FZoomBoxActive = false;
        InvalidateNow();
    }
}

TCursor TkPlotDataView::GetMouseCursor(TPoint P)
{
    if (GetHitObject() && GetHitObject() != this)
        return TkPlotLayoutObject::GetMouseCursor(P);
    switch (GetAxesControlMode()) {
    case TkPlotAxesControlMode::ZoomBox: return crDrag;
    case TkPlotAxesControlMode::AxesControl: return crHandPoint;
    default: return crDefault;
    }
}

void TkPlotDataView::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotLayoutObject::BuildPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

void TkPlotDataView::ObjectRenamed(TkPlotObject* Object)
{
    FollowRename(Object, TkPlotObjectKind::XAxis, FGridXAxisName);
    FollowRename(Object, TkPlotObjectKind::YAxis, FGridYAxisName);
}

void TkPlotDataView::ObjectFocused(TkPlotObject* Object)
{
    if (Object != this)
        SetFocused(false);
}
