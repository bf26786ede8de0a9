#include "plot/core/kPlotAxis.h"

#include <algorithm>
#include <cmath>

#include "plot/core/kGPFunctions.h"
#include "plot/core/kPlotAxisTitleFont.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kPlotObjectNames.h"
#include "plot/core/kPlotPixels.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "rtl/Saturating.h"
#include "rtl/Reader.h"
#include "rtl/StrUtils.h"
#include "rtl/Writer.h"
#include "ui/Canvas.h"
#include "ui/Font.h"

namespace {

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TkPlotAxis, TkPlotLayoutObject>("TkPlotAxis");
    return true;
}();

// More ticks than this say nothing a reader could take in: the list is cut
// to one tick in the middle.
constexpr std::size_t TickLimit = 5000;

bool IsRotatedQuarter(TkRotationAngle Angle)
{
    return Angle == ira090 || Angle == ira270;
}

}  // namespace

// ---------------------------------------------------------------- life

TkPlotAxis::TkPlotAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks, const TkPlotKind& AKind)
    : TkPlotLayoutObject(AOwner, Callbacks, AKind)
{
}

TkPlotAxis::~TkPlotAxis() = default;

// ---------------------------------------------------------------- range

void TkPlotAxis::SetMin(double Value)
{
    // A value that is no number at all would poison every pixel and tick.
    if (!std::isfinite(Value))
        return;
    Value = std::clamp(Value, -1e300, 1e300);
    // Logarithms need a positive start, however it is set.
    if (IsLog() && Value <= 0)
        Value = 1;
    if (Value == FMin)
        return;
    const double old = FMin;
    FMin = Value;
    DoContentChange();
    if (!FEventsHeld && GetOwner()) {
        GetOwner()->DoAxisMinChange(this, old, FMin);
        GetOwner()->DoAxisMinSpanChange(this, old, FSpan, FMin, FSpan);
    }
}

void TkPlotAxis::SetSpan(double Value)
{
    if (!std::isfinite(Value))
        return;
    Value = std::clamp(Value, 1e-300, 1e300);
    if (Value == FSpan)
        return;
    const double old = FSpan;
    FSpan = Value;
    DoContentChange();
    if (!FEventsHeld && GetOwner()) {
        GetOwner()->DoAxisSpanChange(this, old, FSpan);
        GetOwner()->DoAxisMinSpanChange(this, FMin, old, FMin, FSpan);
    }
}

void TkPlotAxis::SetMinSpan(double AMin, double ASpan)
{
    if (IsLog()) {
        if (AMin <= 0)
            AMin = 1;
        if (ASpan <= 0)
            ASpan = 1;
    }
    if (AMin == FMin && ASpan == FSpan)
        return;
    const double oldMin = FMin;
    const double oldSpan = FSpan;
    FEventsHeld = true;
    SetMin(AMin);
    SetSpan(ASpan);
    FEventsHeld = false;
    // A value refused or clamped back to the old one changes nothing.
    if (FMin == oldMin && FSpan == oldSpan)
        return;
    if (TkPlotObjectOwner* owner = GetOwner()) {
        if (FMin != oldMin)
            owner->DoAxisMinChange(this, oldMin, FMin);
        if (FSpan != oldSpan)
            owner->DoAxisSpanChange(this, oldSpan, FSpan);
        owner->DoAxisMinSpanChange(this, oldMin, oldSpan, FMin, FSpan);
    }
}

bool TkPlotAxis::Finite(double& Value)
{
    return std::isfinite(Value);
}

bool TkPlotAxis::FiniteIncrement(double& Value)
{
    if (!std::isfinite(Value))
        return false;
    Value = std::clamp(Value, 0.0, 1e300);
    return true;
}

void TkPlotAxis::SetScaleType(TkPlotScaleType Value)
{
    if (Value == FScaleType)
        return;
    FScaleType = Value;
    // Set directly: the range the user sees did not change by hand.
    if (Value == kpstLog10 && FMin <= 0)
        FMin = 1;
    DoChange();
}

void TkPlotAxis::ObjectRenamed(TkPlotObject* Object)
{
    const TkPlotKind& other = Kind() == TkPlotObjectKind::XAxis ? TkPlotObjectKind::YAxis : TkPlotObjectKind::XAxis;
    FollowRename(Object, other, FCartesianChildRefAxisName);
}

void TkPlotAxis::ObjectFocused(TkPlotObject* Object)
{
    if (Object == this)
        return;
    // Shift or Ctrl selects several axes together.
    if (Object->IsAxis() && (GetShiftState() & (ssShift | ssCtrl)))
        return;
    SetFocused(false);
}

void TkPlotAxis::DefineProperties(TFiler& Filer)
{
    // Older streams kept the span under other names.
    for (const char* name : {"Span_2", "Span"})
        Filer.DefineProperty(
            name, [this](TReader& Reader) { SetSpan(Reader.ReadFloat()); }, [](TWriter&) {}, false);
    // A zero would be taken for "not set" and left out; these two are
    // written when they are zero so that the zero survives.
    Filer.DefineProperty(
        "LabelSeparation", [this](TReader& Reader) { SetLabelSeparation(Reader.ReadFloat()); },
        [this](TWriter& Writer) { Writer.WriteFloat(FLabelSeparation); }, FLabelSeparation == 0);
    Filer.DefineProperty(
        "TitleMargin", [this](TReader& Reader) { SetTitleMargin(Reader.ReadFloat()); },
        [this](TWriter& Writer) { Writer.WriteFloat(FTitleMargin); }, FTitleMargin == 0);
}

// ---------------------------------------------------------------- values and pixels

TkPlotPixelScale TkPlotAxis::GetPixelScale() const
{
    const int p0 = FMinPixel;
    const int p1 = FMaxPixel;
    if (p0 == p1 || !(FSpan > 1e-300))
        return TkPlotPixelScale::Constant((p0 + p1) / 2);
    if (IsLog()) {
        const double m = FMin > 0 ? FMin : 1;
        const double s = FSpan > 0 ? FSpan : 1;
        const double decades = std::log10(m + s) - std::log10(m);
        // A span too small to tell apart from Min on a log scale.
        if (decades == 0)
            return TkPlotPixelScale::Constant((p0 + p1) / 2);
        return TkPlotPixelScale::Log(p0, std::log10(m), p0 - p1, decades);
    }
    return TkPlotPixelScale::Linear(p0, FMin, FScaleFactor);
}

int TkPlotAxis::ValueToPixel(double Value) const
{
    return GetPixelScale().Pixel(Value);
}

double TkPlotAxis::PixelToValue(int Pixel) const
{
    const TRect& r = FScaleRect;
    const int length = IsHorizontal() ? r.Right - r.Left : r.Bottom - r.Top;
    if (length == 0)
        return FMin;
    double distance;
    if (IsHorizontal())
        distance = FReverseScale ? r.Right - Pixel : Pixel - r.Left;
    else
        distance = FReverseScale ? Pixel - r.Top : r.Bottom - Pixel;
    const double f = distance / length;
    if (IsLog())
        return std::pow(10.0, std::log10(FMin) + f * (std::log10(GetMax()) - std::log10(FMin)));
    return f * FSpan + FMin;
}

int TkPlotAxis::SpanToPixels(double Distance) const
{
    return std::abs(ValueToPixel(FMin + Distance) - ValueToPixel(FMin));
}

double TkPlotAxis::ValueToPercent(double Value) const
{
    double along;
    if (IsLog()) {
        const double decades = std::log10(GetMax()) - std::log10(FMin);
        along = decades == 0 ? 0 : (std::log10(Value > 0 ? Value : 1) - std::log10(FMin)) / decades;
    } else {
        along = (Value - FMin) / FSpan;
    }
    if (FReverseScale)
        along = 1 - along;
    const double start = GetStartPercent();
    return (start + along * (GetStopPercent() - start)) / 100;
}

double TkPlotAxis::PercentToValue(double Fraction) const
{
    const double start = GetStartPercent();
    const double band = GetStopPercent() - start;
    if (band <= 0)
        return 0;
    double along = (Fraction * 100 - start) / band;
    if (FReverseScale)
        along = 1 - along;
    if (IsLog())
        return std::pow(10.0, std::log10(FMin) + along * (std::log10(GetMax()) - std::log10(FMin)));
    return FMin + along * FSpan;
}

bool TkPlotAxis::ValueOnScale(double Value) const
{
    const int p = ValueToPixel(Value);
    if (IsHorizontal())
        return p >= FScaleRect.Left && p <= FScaleRect.Right;
    return p >= FScaleRect.Top && p <= FScaleRect.Bottom;
}

int TkPlotAxis::GetScalePixelLength() const
{
    return IsHorizontal() ? FScaleRect.Right - FScaleRect.Left : FScaleRect.Bottom - FScaleRect.Top;
}

// ---------------------------------------------------------------- texts

TkPlotValueTextAxis TkPlotAxis::TextAxis()
{
    TkPlotValueTextAxis axis;
    axis.Span = FSpan;
    axis.Log10 = IsLog();
    axis.LabelsPrecision = FLabels.Precision;
    axis.LabelsPrecisionStyle = FLabels.PrecisionStyle;
    axis.LabelsAdjusting = FLabelsAdjusting;
    if (GetOwner())
        axis.Customize = [this](double Value, std::string& Text) {
            GetOwner()->DoAxisCustomizeLabel(this, Value, Text);
        };
    return axis;
}

std::string TkPlotAxis::ValueToText(const TkPlotTextSettings& Settings, double& MinLength, double Value)
{
    return PlotValueToText(Settings, MinLength, TextAxis(), Value);
}

std::string TkPlotAxis::GetLabelText(double Value)
{
    return ValueToText(FLabels, FLabels.MinLength, Value);
}

std::string TkPlotAxis::ReadoutText(bool UseDefault, TkPlotTextSettings& Settings, double Value)
{
    if (UseDefault)
        return PlotSingleLine(GetLabelText(Value));
    return PlotSingleLine(ValueToText(Settings, Settings.MinLength, Value));
}

std::string TkPlotAxis::GetCursorText(double Value)
{
    return ReadoutText(FCursorUseDefaultFormat, FCursor, Value);
}
std::string TkPlotAxis::GetLegendText(double Value)
{
    return ReadoutText(FLegendUseDefaultFormat, FLegend, Value);
}

std::string TkPlotAxis::GetCursorPlainText(double Value)
{
    TkPlotTextSettings& source = FCursorUseDefaultFormat ? FLabels : FCursor;
    TkPlotTextSettings plain = source;
    plain.Style = kptfValue;
    plain.DateTimeFormat.clear();
    return PlotSingleLine(ValueToText(plain, source.MinLength, Value));
}

int TkPlotAxis::ReadoutMinWidth(TCanvas* Canvas, bool UseDefault, double Length)
{
    return RoundPixel(Canvas->TextWidth("0") * (UseDefault ? FLabels.MinLength : Length));
}

int TkPlotAxis::GetLegendMinWidth(TCanvas* Canvas)
{
    return ReadoutMinWidth(Canvas, FLegendUseDefaultFormat, FLegend.MinLength);
}

int TkPlotAxis::GetCursorMinWidth(TCanvas* Canvas)
{
    return ReadoutMinWidth(Canvas, FCursorUseDefaultFormat, FCursor.MinLength);
}

void TkPlotAxis::UseLabelsFont(TCanvas* Canvas)
{
    Canvas->Font->Assign(FLabelsFont.get());
}

int TkPlotAxis::GetMaxLabelWidth(TCanvas* Canvas)
{
    UseLabelsFont(Canvas);
    int widest = RoundPixel(Canvas->TextWidth("0") * FLabels.MinLength);
    const double sample = std::trunc(FMin / FSpan) * FSpan + FSpan;
    FLabelsAdjusting = true;
    const std::string sampleText = GetLabelText(sample);
    FLabelsAdjusting = false;
    widest = std::max(widest, MultiLineTextWidth(Canvas, sampleText));
    for (const TkPlotTickObject& tick : FTicks)
        widest = std::max(widest, MultiLineTextWidth(Canvas, tick.Label));
    return widest;
}

// ---------------------------------------------------------------- ticks

bool TkPlotAxis::HasHorizontalLabels() const
{
    return IsHorizontal() != IsRotatedQuarter(FLabelsRotation);
}

void TkPlotAxis::CalcTicks(TCanvas* Canvas)
{
    FCalendar = TkCalendarStep::None;
    CalcScaleRect(Canvas);
    FTicks.clear();
    const int widest = GetMaxLabelWidth(Canvas);
    const TSize zero = Canvas->TextExtent("0");
    const double spacing = HasHorizontalLabels() ? widest + zero.cx * (FLabelSeparation + 1)
                                                 : zero.cy * (FLabelSeparation + 1);
    const int step = std::max(1, RoundToInt(spacing));
    const int maxCount = std::max(1, GetScalePixelLength() / step);
    if (IsLog() && std::log10(GetMax()) - std::log10(FMin) > 1)
        AddLogTicks(maxCount);
    else
        AddLinearTicks(maxCount);
    PlaceTicks();
}

void TkPlotAxis::AddTick(bool Major, double Value)
{
    if (IsLog() && Value <= 0)
        return;
    const int p = ValueToPixel(Value);
    const bool inside = IsHorizontal() ? p >= FScaleRect.Left && p <= FScaleRect.Right
                                       : p >= FScaleRect.Top && p <= FScaleRect.Bottom;
    if (!inside)
        return;
    TkPlotTickObject tick;
    tick.Major = Major;
    tick.Value = Value;
    if (Major)
        tick.Label = GetLabelText(Value);
    FTicks.push_back(std::move(tick));
}

void TkPlotAxis::AddLogTicks(int MaxCount)
{
    // Decades are not an increment in value units.
    FMajorIncrement = 0;
    FMinorIncrement = 0;
    const double m = FMin > 0 ? FMin : 1;
    const int decadeStep = PlotLogDecadeStep(std::log10(GetMax()) - std::log10(FMin), MaxCount);
    int exponent = int(Trunc(std::log10(decadeStep == 1 ? FMin : m))) - (decadeStep == 1 ? 1 : 0);
    for (double power = std::pow(10.0, exponent); power <= m + FSpan; power = std::pow(10.0, exponent)) {
        AddTick(true, power);
        if (decadeStep == 1)
            for (int k = 2; k <= 9; ++k)
                AddTick(false, k * power);
        if (FTicks.size() > TickLimit) {
            CutTicks();
            return;
        }
        exponent += decadeStep;
    }
}

void TkPlotAxis::CutTicks()
{
    FTicks.clear();
    AddTick(true, GetMid());
}

void TkPlotAxis::AddLinearTicks(int MaxCount)
{
    // No range to divide: one tick in the middle says where the value is.
    if (FSpan <= 1e-299) {
        FMajorIncrement = FSpan;
        FMinorIncrement = 0;
        AddTick(true, GetMid());
        return;
    }
    std::int64_t n = MaxCount;
    double increment = 0;
    std::int64_t count = 0;
    const double length = GetScalePixelLength();
    if (FDesiredIncrement != 0 && !FLabelsVisible && FSpan / FDesiredIncrement < length / (FMinorCount + 1.0)) {
        count = n = Round(FSpan / FDesiredIncrement);
        increment = FDesiredIncrement;
    } else if (FDesiredIncrement != 0 && FSpan / FDesiredIncrement < n) {
        count = n = Round(FSpan / FDesiredIncrement);
        increment = FDesiredIncrement;
    }
    n = std::max<std::int64_t>(1, n);
    const int ladderCount = int(std::min<std::int64_t>(n, INT32_MAX));
    const bool fromLadder = count == 0;
    if (fromLadder) {
        const TkTickIncrement chosen = LadderIncrement(ladderCount);
        increment = chosen.Increment;
        count = chosen.Count;
        FCalendar = chosen.Calendar;
    }
    if (count < 2 && n > 1) {
        increment /= 2;
        count = 2;
    }
    if (n < count) {
        count = n;
        increment = FSpan / double(n);
    }
    StepTicks(increment);
    // With room for one label the ladder's step may be wider than a short
    // range and meet no value on it, leaving the scale bare.
    if (fromLadder && FCalendar == TkCalendarStep::None)
        StepDownToATick(increment, ladderCount);
}

TkTickIncrement TkPlotAxis::LadderIncrement(int MaxCount) const
{
    return FLabels.Style == kptfDateTime     ? PlotDateTimeIncrement(FSpan, MaxCount)
           : FLabels.Style == kptfPrice32nds ? PlotPriceIncrement(FSpan, MaxCount)
                                             : PlotDecimalIncrement(FSpan, MaxCount);
}

bool TkPlotAxis::HasMajorTick() const
{
    return std::any_of(FTicks.begin(), FTicks.end(), [](const TkPlotTickObject& Tick) { return Tick.Major; });
}

void TkPlotAxis::StepDownToATick(double Increment, int MaxCount)
{
    // The ladder's own smaller steps, which it gives for more labels, keep
    // the ticks on its round values. A step within the range always meets
    // one; the decimal ladder reaches one within three labels where the
    // style's ladder has nothing that small (below a millisecond, below
    // its binary fractions).
    constexpr int MoreLabels = 16;
    for (const bool decimal : {false, true})
        for (int more = 1; more <= MoreLabels && !HasMajorTick(); ++more) {
            const int count = SatAdd(MaxCount, more);
            const TkTickIncrement smaller = decimal ? PlotDecimalIncrement(FSpan, count) : LadderIncrement(count);
            if (smaller.Calendar != TkCalendarStep::None || !(smaller.Increment > 0) ||
                !(smaller.Increment < Increment))
                continue;
            Increment = smaller.Increment;
            FTicks.clear();
            StepTicks(Increment);
        }
}

void TkPlotAxis::StepTicks(double Increment)
{
    double increment = Increment;
    const double minor = increment / (FMinorCount + 1.0);
    FMajorIncrement = increment;
    FMinorIncrement = minor;
    const bool minors = FMinorCount >= 1 && minor != 0 && FCalendar == TkCalendarStep::None;
    // More minor ticks to a step than the whole list may hold would only be
    // walked through to end in the cut below.
    if (minors && FMinorCount > int(TickLimit)) {
        AddTick(true, GetMid());
        return;
    }

    // Calendar stepping works on copies held within the calendar's years;
    // the range itself is never touched while painting.
    double last = GetMax();
    std::int64_t calendarStep = 0;
    if (FCalendar != TkCalendarStep::None) {
        increment = std::max(increment, 1.0);
        const std::int64_t limit = FCalendar == TkCalendarStep::Months ? 12 * 10000 : 10000;
        calendarStep = std::clamp<std::int64_t>(Round(increment), 1, limit);
    }
    double value;
    if (FDesiredStart != 0 && FMin <= FDesiredStart && FDesiredStart <= GetMax()) {
        // Whole steps back to Min at once; a step too small to change the
        // value leaves it where it is.
        value = FDesiredStart;
        const double steps = std::ceil((value - FMin) / increment);
        if (steps > 0 && std::isfinite(steps) && value - increment != value)
            value -= steps * increment;
    } else if (FCalendar != TkCalendarStep::None) {
        // The whole scale, as far as the calendar has dates for it.
        const double first = std::clamp(FMin, PlotCalendarFirstDay, PlotCalendarEndDay);
        last = std::clamp(last, PlotCalendarFirstDay, PlotCalendarEndDay);
        value = FCalendar == TkCalendarStep::Months ? PlotFirstMonthTick(first, calendarStep)
                                                    : PlotFirstYearTick(first, calendarStep);
    } else {
        value = std::trunc(FMin / increment) * increment - increment;
    }

    while (value <= last + increment) {
        AddTick(true, value);
        if (minors) {
            for (int i = 0; i < FMinorCount && FTicks.size() <= TickLimit; ++i) {
                value += minor;
                AddTick(false, value);
            }
        } else {
            double next;
            if (FCalendar == TkCalendarStep::Months)
                next = PlotAddMonths(value, calendarStep);
            else if (FCalendar == TkCalendarStep::Years)
                next = PlotAddMonths(value, calendarStep * 12);
            else
                next = value + increment;
            // A step that no longer moves the value would repeat forever.
            if (!(next > value))
                break;
            value = next;
        }
        if (FTicks.size() > TickLimit || value + minor == value) {
            CutTicks();
            break;
        }
        if (minors)
            value += minor;
    }
}

void TkPlotAxis::PlaceTicks()
{
    for (TkPlotTickObject& tick : FTicks) {
        tick.Visible = ValueOnScale(tick.Value);
        if (tick.Visible)
            tick.Position = ValueToPixel(tick.Value);
    }
}

// ---------------------------------------------------------------- layout measures

int TkPlotAxis::GetRequiredSize(TCanvas* Canvas)
{
    int titleDepth = 0;
    if (FTitleShow && !IsCartesian()) {
        Canvas->Font->Assign(FTitleFont.get());
        const int height = MultiLineTextHeight(Canvas, FTitle);
        const int across = FTitleRotated ? MultiLineTextWidth(Canvas, FTitle) : height;
        titleDepth = RoundPixel(height * FTitleMargin + across);
    }
    const int tickLength = FScaleLinesShow ? std::max({0, FMajorLength, FMinorLength}) : 0;
    int labelMargin = 0;
    int labelDepth = 0;
    if (FLabelsVisible) {
        UseLabelsFont(Canvas);
        labelMargin = RoundPixel(Canvas->TextHeight("A") * FLabelsMargin);
        // Across the axis: a label's width when it stands across, its
        // height when it runs along.
        labelDepth = HasHorizontalLabels() ? MultiLineTextHeight(Canvas, GetLabelText(FMin)) : GetMaxLabelWidth(Canvas);
    }
    // Summed in floating point: stored margins may be anything.
    FTitleOffset = ClampPixel(double(FInnerMargin) + tickLength + labelMargin + labelDepth);
    FRequiredSize = ClampPixel(double(FInnerMargin) + FOuterMargin + tickLength + labelMargin + labelDepth +
                               titleDepth);
    return FRequiredSize;
}

int TkPlotAxis::GetRequiredEndMargin(TCanvas* Canvas)
{
    // An axis that crosses the data view ends inside it.
    if (!FLabelsVisible || IsCartesian())
        return 0;
    UseLabelsFont(Canvas);
    if (HasHorizontalLabels())
        return GetMaxLabelWidth(Canvas) / 2;
    return Canvas->TextHeight("XYZ") / 2;
}

int TkPlotAxis::LabelLengthAlong(TCanvas* Canvas)
{
    return HasHorizontalLabels() ? GetMaxLabelWidth(Canvas) : MultiLineTextHeight(Canvas, GetLabelText(FMin));
}

int TkPlotAxis::GetStackingEndMargin(TCanvas* Canvas)
{
    // The canvas keeps the labels font: measures taken after the scale
    // rectangle rely on it.
    UseLabelsFont(Canvas);
    if (IsCartesian())
        return 0;
    if (IsHorizontal()) {
        const int along = FLabelsVisible ? LabelLengthAlong(Canvas) : 0;
        return SatAdd(RoundToInt(along / 2.0), RoundPixel(Canvas->TextWidth("0") * FStackingEndsMargin));
    }
    // Kept even with the labels hidden, so that hiding them does not move
    // the scale.
    return SatAdd(LabelLengthAlong(Canvas), RoundPixel(Canvas->TextHeight("0") * FStackingEndsMargin)) / 2;
}

void TkPlotAxis::CalcScaleRect(TCanvas* Canvas)
{
    if (IsCartesian())
        FSide = IsHorizontal() ? 3 : 2;
    else if (IsHorizontal())
        FSide = GetFarSide() ? 1 : 3;
    else
        FSide = GetFarSide() ? 2 : 0;
    const int end = GetStackingEndMargin(Canvas);
    const TRect& l = GetDrawRect();
    TRect& s = FScaleRect;
    TRect& o = FOuterRect;
    if (IsHorizontal()) {
        s.Top = l.Top;
        s.Bottom = l.Bottom;
        o.Top = SatAdd(l.Top, 2);
        o.Bottom = SatSub(l.Bottom, 2);
        s.Left = GetStartStacked() ? SatAdd(l.Left, end) : l.Left;
        s.Right = GetEndStacked() ? SatSub(l.Right, end) : l.Right;
        o.Left = SatSub(s.Left, end);
        o.Right = SatAdd(s.Right, end);
        FMinPixel = s.Left;
        FMaxPixel = s.Right;
    } else {
        s.Left = l.Left;
        s.Right = l.Right;
        o.Left = SatAdd(l.Left, 2);
        o.Right = SatSub(l.Right, 2);
        s.Bottom = GetStartStacked() ? SatSub(l.Bottom, end) : l.Bottom;
        s.Top = GetEndStacked() ? SatAdd(l.Top, end) : l.Top;
        o.Bottom = SatAdd(s.Bottom, end);
        o.Top = SatSub(s.Top, end);
        FMinPixel = s.Bottom;
        FMaxPixel = s.Top;
    }
    if (FReverseScale)
        std::swap(FMinPixel, FMaxPixel);
    FScaleFactor = (double(FMinPixel) - FMaxPixel) / FSpan;
    if (std::fabs(FScaleFactor) > 1e300)
        FScaleFactor = 0;
}

// ---------------------------------------------------------------- drawing

void TkPlotAxis::PreDraw(TCanvas* Canvas)
{
    TkPlotLayoutObject::PreDraw(Canvas);
    if (!IsCartesian() || !GetOwner())
        return;
    const TRect& s = FScaleRect;
    TRect band;
    switch (FSide) {
    case 0: band = TRect(s.Right, s.Top, s.Right + 1, s.Bottom + 1); break;
    case 1: band = TRect(s.Left, s.Bottom, s.Right, s.Bottom + 1); break;
    case 2: band = TRect(s.Left, s.Top, s.Left + 1, s.Bottom + 1); break;
    default: band = TRect(s.Left, s.Top, s.Right + 1, s.Top + 1); break;
    }
    GetOwner()->AddOccupiedRect(band);
}

void TkPlotAxis::Draw(TCanvas* Canvas, TColor)
{
    if (!GetVisible())
        return;
    PlaceTicks();
    if (FLabelsVisible)
        for (const TkPlotTickObject& tick : FTicks)
            if (tick.Major && tick.Visible)
                DrawLabel(Canvas, tick);
    if (FScaleLinesShow) {
        Canvas->Brush->SetStyle(bsSolid);
        Canvas->Pen->SetStyle(psSolid);
        Canvas->Pen->SetWidth(1);
        Canvas->Pen->SetColor(FScaleLinesColor);
        if (FScaleLineShow)
            DrawScaleLine(Canvas);
        for (const TkPlotTickObject& tick : FTicks)
            if (tick.Visible)
                DrawTick(Canvas, tick);
    }
    const TRect& l = GetDrawRect();
    if (IsCartesian()) {
        const int start = (FMajorLength + 1) / 2 + 5;
        if (IsHorizontal()) {
            FOuterRect.Top = l.Top - start;
            FOuterRect.Bottom = FOuterRect.Top + FRequiredSize;
        } else {
            FOuterRect.Left = l.Left - start;
            FOuterRect.Right = FOuterRect.Left + FRequiredSize;
        }
    } else {
        DrawTitle(Canvas);
    }
    if (GetFocused()) {
        Canvas->Font->SetColor(GetName().find("X-Axis") != std::string::npos ? FLabelsFont->GetColor() : clWhite);
        TRect focus = FOuterRect;
        focus.Right += 1;
        focus.Bottom += 1;
        DrawFocusRectangle(Canvas, focus);
    }
}

void TkPlotAxis::DrawScaleLine(TCanvas* Canvas)
{
    const int o = IsCartesian() ? 0 : FInnerMargin;
    const TRect& s = FScaleRect;
    switch (FSide) {
    case 0:
        Canvas->MoveTo(s.Right - o, s.Top);
        Canvas->LineTo(s.Right - o, s.Bottom + 1);
        break;
    case 1:
        Canvas->MoveTo(s.Left, s.Bottom - o);
        Canvas->LineTo(s.Right, s.Bottom - o);
        break;
    case 2:
        Canvas->MoveTo(s.Left + o, s.Top);
        Canvas->LineTo(s.Left + o, s.Bottom + 1);
        break;
    default:
        Canvas->MoveTo(s.Left, s.Top + o);
        Canvas->LineTo(s.Right + 1, s.Top + o);
        break;
    }
}

void TkPlotAxis::DrawTick(TCanvas* Canvas, const TkPlotTickObject& Tick)
{
    const int length = Tick.Major ? FMajorLength : FMinorLength;
    int a = FInnerMargin;
    int b = FInnerMargin + length;
    if (IsCartesian()) {
        const int half = (length + 1) / 2;
        a = -(half + 1);
        b = half;
    }
    const TRect& l = GetDrawRect();
    const int p = Tick.Position;
    TPoint from, to;
    switch (FSide) {
    case 0:
        from = {l.Right - a, p};
        to = {l.Right - b, p};
        break;
    case 1:
        from = {p, l.Bottom - a};
        to = {p, l.Bottom - b};
        break;
    case 2:
        from = {l.Left + a, p};
        to = {l.Left + b, p};
        break;
    default:
        from = {p, l.Top + a};
        to = {p, l.Top + b};
        break;
    }
    Canvas->MoveTo(from.X, from.Y);
    Canvas->LineTo(to.X, to.Y);
    if (IsCartesian() && GetOwner()) {
        TRect bounds = NormalizedRect(from.X, from.Y, to.X, to.Y);
        bounds.Right += 1;
        bounds.Bottom += 1;
        GetOwner()->AddOccupiedRect(bounds);
    }
}

void TkPlotAxis::DrawLabel(TCanvas* Canvas, const TkPlotTickObject& Tick)
{
    Canvas->Brush->SetStyle(bsClear);
    UseLabelsFont(Canvas);
    const int w = MultiLineTextWidth(Canvas, Tick.Label);
    const int h = MultiLineTextHeight(Canvas, Tick.Label);
    const int margin = RoundPixel(Canvas->TextHeight("A") * FLabelsMargin);
    const int d = IsCartesian() ? (FMajorLength + 1) / 2 + margin
                                : FInnerMargin + (FScaleLinesShow ? FMajorLength : 0) + margin;
    const TRect& l = GetDrawRect();
    const int p = Tick.Position;
    // Extent across the axis and along it.
    const bool quarter = IsRotatedQuarter(FLabelsRotation);
    TRect r;
    switch (FSide) {
    case 0:
        r = quarter ? TRect(l.Right - d - h, p - w / 2, l.Right - d, p + w / 2)
                    : TRect(l.Right - d - w, p - h / 2, l.Right - d, p + h / 2);
        break;
    case 1:
        r = quarter ? TRect(p - h / 2, l.Bottom - d - w, p + h / 2, l.Bottom - d)
                    : TRect(p - w / 2, l.Bottom - d - h, p + w / 2, l.Bottom - d);
        break;
    case 2:
        r = quarter ? TRect(l.Left + d, p - w / 2, l.Left + d + h, p + w / 2)
                    : TRect(l.Left + d, p - h / 2, l.Left + d + w, p + h / 2);
        break;
    default:
        r = quarter ? TRect(p - h / 2, l.Top + d, p + h / 2, l.Top + d + w)
                    : TRect(p - w / 2, l.Top + d, p + w / 2, l.Top + d + h);
        break;
    }
    if (IsCartesian() && GetOwner() && !GetOwner()->TryOccupyRect(r))
        return;
    TRect covered;
    DrawRotatedText(Canvas, Tick.Label, r, covered, int(FLabelsRotation));
}

void TkPlotAxis::DrawTitle(TCanvas* Canvas)
{
    if (!FTitleShow || Trim(FTitle).empty())
        return;
    Canvas->Font->Assign(FTitleFont.get());
    Canvas->Brush->SetStyle(bsClear);
    const int width = MultiLineTextWidth(Canvas, FTitle);
    const int height = MultiLineTextHeight(Canvas, FTitle);
    const int a = FTitleRotated ? width : height;
    const int b = FTitleRotated ? height : width;
    const TRect& s = FScaleRect;
    const int c = (s.Bottom + s.Top) / 2;
    TRect r;
    switch (FSide) {
    case 1: r = TRect(s.Left, s.Top + FOuterMargin, s.Right, s.Top + FOuterMargin + a); break;
    case 3: r = TRect(s.Left, s.Bottom - FOuterMargin - a, s.Right, s.Bottom - FOuterMargin); break;
    case 2: r = TRect(s.Right - FOuterMargin - a, c - b / 2, s.Right - FOuterMargin, c + b / 2); break;
    default: r = TRect(s.Left + FOuterMargin, c - b / 2, s.Left + FOuterMargin + a, c + b / 2); break;
    }
    const bool turned = IsVertical() != FTitleRotated;
    TRect covered;
    DrawRotatedText(Canvas, FTitle, r, covered, turned ? 1 : 0);
}

void TkPlotAxis::DrawGridLines(TCanvas* Canvas, const TRect& Rect, int MinorWidth, int MajorWidth, TColor MinorColor,
                               TColor MajorColor, TkPlotGridLineStyle MinorStyle, TkPlotGridLineStyle MajorStyle,
                               bool ShowMinors, bool ShowMajors)
{
    if (!FGridLinesVisible)
        return;
    static constexpr TPenStyle penStyles[] = {psSolid, psDash, psDot};
    for (const TkPlotTickObject& tick : FTicks) {
        if (!tick.Visible || !(tick.Major ? ShowMajors : ShowMinors))
            continue;
        Canvas->Pen->SetStyle(penStyles[tick.Major ? MajorStyle : MinorStyle]);
        Canvas->Pen->SetWidth(tick.Major ? MajorWidth : MinorWidth);
        Canvas->Pen->SetColor(tick.Major ? MajorColor : MinorColor);
        if (IsHorizontal()) {
            Canvas->MoveTo(tick.Position, Rect.Top);
            Canvas->LineTo(tick.Position, Rect.Bottom);
        } else {
            Canvas->MoveTo(Rect.Left, tick.Position);
            Canvas->LineTo(Rect.Right, tick.Position);
        }
    }
}

bool TkPlotAxis::HitTest(const TkPlotMouseData& Mouse)
{
    return PtInRect(FOuterRect, Mouse.Received);
}
