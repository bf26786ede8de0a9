// How an axis changes its range on its own: following new data, and under
// the user's drags, wheel and keys, the zoom box, the toolbar and its
// popup menu. Every change goes through SetMinSpan, so the plot hears of
// each once.
#include <algorithm>
#include <cmath>
#include <utility>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotAxisRelayHold.h"
#include "plot/core/kPlotObjectRef.h"
#include "rtl/Exception.h"
#include "ui/Keys.h"

namespace {

// How far above the mouse the hint of an axis without a shown title
// starts, in pixels.
constexpr int HintRise = 20;

double Pow10(double Exponent)
{
    return std::pow(10.0, Exponent);
}

}  // namespace

// ---------------------------------------------------------------- working ranges

// What SetMinSpan would make of a range, so that the steps of one
// tracking pass see the values the axis would hold between them.
TkPlotAxis::TRange TkPlotAxis::Clamped(TRange R) const
{
    if (!std::isfinite(R.Min))
        R.Min = FMin;
    if (!std::isfinite(R.Span))
        R.Span = FSpan;
    if (IsLog()) {
        if (R.Min <= 0)
            R.Min = 1;
        if (R.Span <= 0)
            R.Span = 1;
    }
    R.Min = std::clamp(R.Min, -1e300, 1e300);
    R.Span = std::clamp(R.Span, 1e-300, 1e300);
    return R;
}

void TkPlotAxis::SetTrackingEnabled(bool Value)
{
    if (Value == FTrackingEnabled)
        return;
    FTrackingEnabled = Value;
    if (FRestoreValuesOnResume) {
        if (!Value) {
            SaveResumeValues();
        } else {
            SetMinSpan(FResumeMin, FResumeSpan);
            FLabels.MinLength = FResumeLabelsMinLength;
        }
    }
    DoChange();
}

void TkPlotAxis::SaveResumeValues()
{
    FResumeMin = FMin;
    FResumeSpan = FSpan;
    FResumeLabelsMinLength = FLabels.MinLength;
}

void TkPlotAxis::ResetTracking()
{
    FFirstValueTracked = false;
}

void TkPlotAxis::SetZoomMode(bool Value)
{
    FZoomMode = Value;
    DoChange();
}

// ---------------------------------------------------------------- tracking

void TkPlotAxis::TrackNewValue(double X)
{
    // A value that is no number has no place on the scale.
    if (!FTrackingEnabled || !std::isfinite(X))
        return;
    TRange r = Range();
    if (!FFirstValueTracked) {
        FFirstValueTracked = true;
        switch (FTrackingAlignFirstStyle) {
        case kpafsMin: r.Min = X; break;
        case kpafsMax: r.Min = X - r.Span; break;
        case kpafsAuto:
            if (X < r.Min || X > r.Max())
                r.Min = X;
            break;
        case kpafsNone: return;
        }
        Apply(Clamped(r));
        return;
    }
    r = Tracked(r, X);
    if (FTrackingSpanMinimum != 0 && r.Span < FTrackingSpanMinimum)
        r = Clamped({r.Min + r.Span / 2 - FTrackingSpanMinimum / 2, FTrackingSpanMinimum});
    if (FTrackingMinMargin != 0 && r.Min + FTrackingMinMargin > X)
        r = Clamped({X - FTrackingMinMargin, r.Span});
    if (FTrackingMaxMargin != 0 && X > r.Max() - FTrackingMaxMargin)
        r = Clamped({r.Min, X - (r.Max() - FTrackingMaxMargin) + r.Span});
    Apply(r);
}

TkPlotAxis::TRange TkPlotAxis::Tracked(TRange R, double X)
{
    const TRange start = R;
    switch (FTrackingStyle) {
    case kptsScaleMinMax:
        if (R.Min + start.Span < X)
            R.Span = X - R.Min;
        if (X < R.Min)
            R.Min = X;  // the span stays, so the top comes down with it
        return Aligned(Clamped(R));
    case kptsScaleMax:
        if (start.Max() < X)
            return Aligned(Clamped({start.Min, X - start.Max() + start.Span}));
        return R;
    case kptsScaleMin:
        if (X < start.Min)
            return Aligned(Clamped({X, start.Max() - X}));
        return R;
    case kptsScrollSmooth:
    case kptsScrollPage: {
        const bool smooth = FTrackingStyle == kptsScrollSmooth;
        if (start.Max() < X) {
            // The span grows with the data up to the compression limit; it
            // is the grown span that is held to the limit.
            if (FTrackingScrollCompressMax > 0) {
                if (X - start.Min > start.Span)
                    R.Span = X - start.Min;
                if (R.Span > FTrackingScrollCompressMax)
                    R.Span = FTrackingScrollCompressMax;
            }
            R.Min = smooth ? X - R.Span : start.Min + R.Span;
        } else if (X < start.Min) {
            R.Min = smooth ? X : start.Min - start.Span;
        }
        return Clamped(R);
    }
    case kptsExpandCollapse: Fitted(R, false, true); return Aligned(R);
    case kptsExpandCollapseFast: Fitted(R, true, false); return Aligned(R);
    case kptsExpandMinMax:
        if (start.Max() < X)
            R.Span = X - start.Max() + R.Span;
        if (X < start.Min) {
            R.Span = start.Min - X + start.Span;
            R.Min = X;
        }
        return Aligned(Clamped(R));
    }
    return R;
}

void TkPlotAxis::AlignToIncrement()
{
    Apply(Aligned(Range()));
}

TkPlotAxis::TRange TkPlotAxis::Aligned(TRange R) const
{
    if (FTrackingIncrementStyle == kptisMinimum)
        return R;
    const double step = FTrackingIncrementStyle == kptisMajor ? FMajorIncrement : FMinorIncrement;
    // Before the first tick generation there is no increment to align to.
    if (!(step > 0) || !std::isfinite(step))
        return R;
    double lo = R.Min;
    double hi = R.Max();
    if (hi / step != std::trunc(hi / step))
        hi = std::trunc(hi / step) * step;
    if (lo / step != std::trunc(lo / step))
        lo = std::trunc(lo / step) * step;
    if (hi < R.Max())
        hi += step;
    if (lo > R.Min)
        lo -= step;
    if ((lo == R.Min && hi == R.Max()) || !std::isfinite(lo) || !std::isfinite(hi))
        return R;
    return Clamped({lo, hi - lo});
}

bool TkPlotAxis::Fitted(TRange& R, bool Running, bool UseSpanMinimum)
{
    double lowest = 1e300;
    double highest = -1e300;
    if (GetOwner())
        GetOwner()->GetAxisDataExtent(this, Running, lowest, highest);
    if (!(highest > -1e299 && lowest < 1e299 && highest != lowest))
        return false;
    double span = highest - lowest;
    if (UseSpanMinimum && FTrackingSpanMinimum != 0 && span < FTrackingSpanMinimum)
        span = FTrackingSpanMinimum;
    R = Clamped({lowest - FTrackingMinMargin, span + FTrackingMaxMargin + FTrackingMinMargin});
    return true;
}

void TkPlotAxis::ZoomToFit()
{
    TRange r = Range();
    if (Fitted(r, false, true))
        Apply(r);
}

void TkPlotAxis::FitToRunningMinMax()
{
    TRange r = Range();
    if (Fitted(r, true, false))
        Apply(r);
}

// ---------------------------------------------------------------- scrolling and zooming

TkPlotAxis::TRange TkPlotAxis::Scrolled(TRange R, double Fraction) const
{
    if (!IsLog()) {
        double min = Fraction * R.Span + R.Min;
        if (FScrollMinMaxEnabled) {
            if (min > FScrollMin) {
                if (min + R.Span >= FScrollMax)
                    min = FScrollMax - R.Span;
            } else {
                min = FScrollMin;
            }
        }
        return Clamped({min, R.Span});
    }
    // Both ends move by the same number of decades, so the scale keeps its
    // pixels per decade and a scroll back returns to the same range.
    const double decades = std::log10(R.Max()) - std::log10(R.Min);
    const double factor = Pow10(Fraction * decades);
    double min = factor * R.Min;
    double max = factor * R.Max();
    if (FScrollMinMaxEnabled) {
        if (min > FScrollMin) {
            if (max >= FScrollMax) {
                min = FScrollMax / Pow10(decades);
                max = FScrollMax;
            }
        } else {
            min = FScrollMin;
            max = Pow10(decades) * FScrollMin;
        }
    }
    return Clamped({min, max - min});
}

void TkPlotAxis::ScrollBy(double Fraction)
{
    Apply(Scrolled(Range(), Fraction));
}

TkPlotAxis::TRange TkPlotAxis::ZoomedBy10(TRange R, double Exponent) const
{
    if (IsLog())
        return Clamped({Pow10(Exponent) * R.Min, R.Span / Pow10(Exponent)});
    const double span = R.Span / Pow10(Exponent);
    return Clamped({(R.Max() + R.Min) / 2 - span / 2, span});
}

void TkPlotAxis::ZoomBy10(double Exponent)
{
    Apply(ZoomedBy10(Range(), Exponent));
}

void TkPlotAxis::Zoom(double Factor)
{
    if (IsLog()) {
        Apply(Clamped({FMin / Pow10(Factor), Pow10(Factor) * FSpan}));
        return;
    }
    if (!(Factor > 0))
        throw Exception("Linear Scale Zoom Factor must be Greater than Zero");
    const double span = FSpan * Factor;
    Apply(Clamped({GetMid() - span / 2, span}));
}

void TkPlotAxis::ZoomToRect(const TRect& Rect)
{
    double a = IsHorizontal() ? PixelToValue(Rect.Left) : PixelToValue(Rect.Bottom);
    double b = IsHorizontal() ? PixelToValue(Rect.Right) : PixelToValue(Rect.Top);
    if (FReverseScale)
        std::swap(a, b);
    // A scale with no length gives every pixel the same value: there is no
    // range to zoom to.
    if (!(b > a))
        return;
    SetMinSpan(a, b - a);
}

// ---------------------------------------------------------------- gestures

void TkPlotAxis::Relay(const std::function<void(TkPlotAxis*)>& Replay)
{
    if (!FMasterUIInput || TkPlotAxisRelayHold::IsHeld() || !GetOwner())
        return;
    // The other axes must not replay the gesture again.
    const TkPlotAxisRelayHold hold;
    for (TkPlotAxis* axis : GetOwner()->GetAxes(Kind()))
        if (axis && axis != this)
            Replay(axis);
}

void TkPlotAxis::FinishGesture()
{
    if ((FMin != FGestureMin || FSpan != FGestureSpan) && GetOwner())
        GetOwner()->DoAxisMinSpanChangeFinished(this, FGestureMin, FGestureSpan, FMin, FSpan);
}

void TkPlotAxis::DoMouseLeftDown(const TkPlotMouseData& Mouse)
{
    Relay([&](TkPlotAxis* Axis) { Axis->DoMouseLeftDown(Mouse); });
    FDragging = true;
    FLastPoint = Mouse.Received;
    FGestureMin = FMin;
    FGestureSpan = FSpan;
}

void TkPlotAxis::DoMouseDrag(const TkPlotMouseData& Mouse)
{
    if (!FDragging)
        return;
    Relay([&](TkPlotAxis* Axis) { Axis->DoMouseDrag(Mouse); });
    if (GetOwner() && GetOwner()->DoubleClickPending())
        return;
    InvalidateNow();
    SetTrackingEnabled(false);
    const TPoint p = Mouse.Received;
    int moved;
    if (IsHorizontal())
        moved = FReverseScale ? FLastPoint.X - p.X : p.X - FLastPoint.X;
    else
        moved = FReverseScale ? p.Y - FLastPoint.Y : FLastPoint.Y - p.Y;
    FLastPoint = p;
    // The fraction of the scale the mouse moved over; a scale squeezed to
    // nothing gives none.
    const int length = GetScalePixelLength();
    if (length <= 0)
        return;
    const double f = double(moved) / length;
    if (EffectiveZoomMode(Mouse.Shift))
        Apply(ZoomedBy10(Range(), IsLog() ? 2 * f : f / 4));
    else
        Apply(Scrolled(Range(), -f));
}

void TkPlotAxis::DoMouseUp(const TkPlotMouseData& Mouse)
{
    if (!FDragging)
        return;
    Relay([&](TkPlotAxis* Axis) { Axis->DoMouseUp(Mouse); });
    if (HitTest(Mouse) && GetOwner())
        GetOwner()->DoObjectClick(this);
    FinishGesture();
    FDragging = false;
}

bool TkPlotAxis::DoMouseWheel(int WheelDelta, TShiftState Shift, TPoint Client)
{
    if (WheelDelta == 0)
        return true;
    SetTrackingEnabled(false);
    Relay([&](TkPlotAxis* Axis) { Axis->DoMouseWheel(WheelDelta, Shift, Client); });
    const double s = WheelDelta > 0 ? 1 : -1;
    if (EffectiveZoomMode(Shift))
        Apply(ZoomedBy10(Range(), (IsLog() ? 0.05 : 0.025) * s));
    else
        Apply(Scrolled(Range(), 0.05 * s));
    return true;
}

void TkPlotAxis::KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu)
{
    // The popup the key may open can free the axis.
    const TkPlotObjectRef self(this);
    TkPlotLayoutObject::KeyDown(Key, Shift, Menu);
    if (self)
        StepKey(Key);
}

void TkPlotAxis::StepKey(std::uint16_t Key)
{
    Relay([&](TkPlotAxis* Axis) { Axis->StepKey(Key); });
    SetTrackingEnabled(false);
    FGestureMin = FMin;
    FGestureSpan = FSpan;
    double step = 0;
    switch (Key) {
    case VK_PRIOR:
    case VK_END: step = 1.0; break;
    case VK_NEXT:
    case VK_HOME: step = -1.0; break;
    case VK_LEFT:
    case VK_DOWN: step = -0.01; break;
    case VK_UP:
    case VK_RIGHT: step = 0.01; break;
    default: break;
    }
    if (step != 0) {
        InvalidateNow();
        Apply(FZoomMode ? ZoomedBy10(Range(), step) : Scrolled(Range(), step));
    }
    FinishGesture();
}

TCursor TkPlotAxis::GetMouseCursor(TPoint)
{
    return !FZoomMode ? crHandPoint : IsHorizontal() ? crSizeWE : crSizeNS;
}

// An axis that hides its title still names itself: the title shows as a
// hint above the mouse, sized to the text the application settled on.
void TkPlotAxis::DoMouseHover(const TkPlotMouseData& Mouse)
{
    if (FTitleShow || !Mouse.Hint || !GetOwner())
        return;
    std::string text = FTitle;
    GetOwner()->DoAxisCustomizeHint(this, text);
    const TSize size = GetOwner()->HintTextExtent(text);
    const TPoint p = Mouse.Received;
    Mouse.Hint->Text = text;
    Mouse.Hint->Rect = TRect(p.X, p.Y - HintRise, p.X + size.cx + 4, p.Y - HintRise + size.cy + 4);
}

void TkPlotAxis::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotLayoutObject::BuildPopupMenu(Menu);
    if (!Menu)
        return;
    AddEditMenuItem(Menu);
    TMenuItem* tracking = NewMenuItem(Menu, TranslateText("Tracking Enabled"),
                                      [this](TObject*) { SetTrackingEnabled(!FTrackingEnabled); });
    tracking->SetChecked(FTrackingEnabled);
    TMenuItem* resume = NewMenuItem(Menu, TranslateText("Update Resume Values"),
                                    [this](TObject*) { SaveResumeValues(); });
    resume->SetEnabled(!FTrackingEnabled && (FResumeMin != FMin || FResumeSpan != FSpan));
    TMenuItem* fit = NewMenuItem(Menu, TranslateText("Zoom to Fit"), [this](TObject*) { ZoomToFit(); });
    Menu->Items->Insert(0, tracking);
    Menu->Items->Insert(1, resume);
    Menu->Items->Insert(2, fit);
}
