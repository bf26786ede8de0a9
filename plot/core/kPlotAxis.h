#pragma once
// The plot's axes. An axis owns one value range (Min and Span), turns
// values into pixels and back, chooses its ticks, formats the texts of its
// values, measures itself for the layout and draws its scale. X axes run
// horizontally and Y axes vertically unless the plot reverses them.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kPlotAxisTitleFont.h"
#include "plot/core/kPlotLayoutObject.h"
#include "plot/core/kPlotPixelScale.h"
#include "plot/core/kPlotPixels.h"
#include "plot/core/kPlotTickLadders.h"
#include "plot/core/kPlotValueText.h"
#include "rtl/PublishedList.h"
#include "ui/Color.h"

PUBLISHED_ENUM(TkRotationAngle, ira000, ira090, ira180, ira270);
PUBLISHED_ENUM(TkPlotScaleType, kpstLinear, kpstLog10);
PUBLISHED_ENUM(TkPlotTrackingStyle, kptsScaleMinMax, kptsScaleMax, kptsScaleMin, kptsScrollSmooth, kptsScrollPage,
               kptsExpandCollapse, kptsExpandCollapseFast, kptsExpandMinMax);
PUBLISHED_ENUM(TkPlotTrackingIncrementStyle, kptisMinimum, kptisMajor, kptisMinor);
PUBLISHED_ENUM(TkPlotAlignFirstStyle, kpafsMin, kpafsMax, kpafsAuto, kpafsNone);
PUBLISHED_ENUM(TkPlotCartesianStyle, kpcsNone, kpcsMaster, kpcsChild);
PUBLISHED_ENUM(TkPlotGridLineStyle, kpglsSolid, kpglsDash, kpglsDot);

// One tick of the last tick generation.
struct TkPlotTickObject {
    bool Major = true;
    double Value = 0;
    int Position = 0;      // pixel along the axis
    std::string Label;     // empty for minor ticks
    bool Visible = false;  // the value lies on the drawn scale
};

namespace TkPlotObjectKind {
extern const TkPlotKind XAxis;
extern const TkPlotKind YAxis;
}  // namespace TkPlotObjectKind

class TkPlotAxis : public TkPlotLayoutObject {
    PUBLISHED_CLASS(TkPlotAxis);

public:
    TkPlotAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks, const TkPlotKind& AKind);

    bool IsAxis() const final { return true; }

    // ---- published properties; a value that is no number is refused
    // where one would be.
    // The range.
    double GetMin() const { return FMin; }
    void SetMin(double Value);
    PUBLISHED_ACCESSORS(double, Min);
    double GetSpan() const { return FSpan; }
    void SetSpan(double Value);
    PUBLISHED_ACCESSORS(double, Span);
    double GetMax() const { return FMin + FSpan; }
    double GetMid() const { return FMin + FSpan / 2; }
    // Both at once; the plot hears of the change once.
    void SetMinSpan(double AMin, double ASpan);
    PUBLISHED(double, DesiredStart, 0, DoChange(), Finite);
    PUBLISHED(double, DesiredIncrement, 0, DoChange(), FiniteIncrement);
    PUBLISHED(bool, ReverseScale, false, DoChange());
    // The scale, the title and the labels.
    PUBLISHED(int, InnerMargin, 5, DoChange(), KeepPixel);
    PUBLISHED(int, OuterMargin, 5, DoChange(), KeepPixel);
    PUBLISHED(std::string, Title, "", DoLayoutChange());
    PUBLISHED(double, TitleMargin, 0.25, DoChange(), Finite);
    PUBLISHED_FONT_OF(TkPlotAxisTitleFont, TitleFont, TkFontLook{}, DoChange());
    PUBLISHED(bool, TitleShow, false, DoChange());
    PUBLISHED(bool, TitleRotated, false, DoChange());
    PUBLISHED(int, MajorLength, 7, DoChange(), KeepPixel);
    PUBLISHED(int, MinorLength, 3, DoChange(), KeepPixel);
    PUBLISHED(int, MinorCount, 1, DoChange());
    PUBLISHED(bool, LabelsVisible, true, DoChange());
    PUBLISHED(double, LabelsMargin, 0.25, DoChange(), Finite);
    PUBLISHED_FONT(LabelsFont, (TkFontLook{.Color = clWhite}), DoChange());
    PUBLISHED(double, LabelSeparation, 2, DoChange(), Finite);
    PUBLISHED(TkRotationAngle, LabelsRotation, ira000, DoChange());
    PUBLISHED_MEMBER(int, LabelsPrecision, FLabels.Precision, 3, DoChange());
    PUBLISHED_MEMBER(TkPrecisionStyle, LabelsPrecisionStyle, FLabels.PrecisionStyle, kpsSignificantDigits, DoChange());
    PUBLISHED_MEMBER(TkPlotTextFormat, LabelsFormatStyle, FLabels.Style, kptfValue, DoChange());
    PUBLISHED_MEMBER(std::string, DateTimeFormat, FLabels.DateTimeFormat, std::nullopt, DoChange());
    PUBLISHED_MEMBER(double, LabelsMinLength, FLabels.MinLength, std::nullopt, DoChange(), Finite);
    PUBLISHED_MEMBER(bool, LabelsMinLengthAutoAdjust, FLabels.MinLengthAutoAdjust, false, DoChange());
    PUBLISHED(bool, ScaleLineShow, true, DoChange());
    PUBLISHED(bool, ScaleLinesShow, true, DoChange());
    PUBLISHED(TColor, ScaleLinesColor, clWhite, DoChange());
    PUBLISHED(double, StackingEndsMargin, 0.5, DoChange(), Finite);
    // A log scale moves a Min that is not above zero to 1.
    TkPlotScaleType GetScaleType() const { return FScaleType; }
    void SetScaleType(TkPlotScaleType Value);
    PUBLISHED_ACCESSORS(TkPlotScaleType, ScaleType, kpstLinear);
    // Following new data (the tracking itself is in TrackNewValue); turning
    // it off keeps the range and label length to return to.
    bool GetTrackingEnabled() const { return FTrackingEnabled; }
    void SetTrackingEnabled(bool Value);
    PUBLISHED_ACCESSORS(bool, TrackingEnabled, true);
    PUBLISHED(TkPlotTrackingStyle, TrackingStyle, kptsScaleMinMax, DoChange());
    PUBLISHED(TkPlotTrackingIncrementStyle, TrackingIncrementStyle, kptisMinimum, DoChange());
    PUBLISHED(TkPlotAlignFirstStyle, TrackingAlignFirstStyle, kpafsNone, DoChange());
    PUBLISHED(double, TrackingScrollCompressMax, 0, DoChange(), Finite);
    PUBLISHED(double, TrackingSpanMinimum, 0, DoChange(), Finite);
    PUBLISHED(double, TrackingMaxMargin, 0, DoChange(), Finite);
    PUBLISHED(double, TrackingMinMargin, 0, DoChange(), Finite);
    // The cursor's and the legend's readouts.
    PUBLISHED(bool, CursorUseDefaultFormat, true, DoChange());
    PUBLISHED_MEMBER(TkPlotTextFormat, CursorFormatStyle, FCursor.Style, kptfValue, DoChange());
    PUBLISHED_MEMBER(std::string, CursorDateTimeFormat, FCursor.DateTimeFormat, std::nullopt, DoChange());
    PUBLISHED_MEMBER(TkPrecisionStyle, CursorPrecisionStyle, FCursor.PrecisionStyle, kpsSignificantDigits, DoChange());
    PUBLISHED_MEMBER(int, CursorPrecision, FCursor.Precision, 3, DoChange());
    PUBLISHED_MEMBER(double, CursorMinLength, FCursor.MinLength, std::nullopt, DoChange(), Finite);
    PUBLISHED_MEMBER(bool, CursorMinLengthAutoAdjust, FCursor.MinLengthAutoAdjust, false, DoChange());
    PUBLISHED(bool, LegendUseDefaultFormat, true, DoChange());
    PUBLISHED_MEMBER(TkPlotTextFormat, LegendFormatStyle, FLegend.Style, kptfValue, DoChange());
    PUBLISHED_MEMBER(std::string, LegendDateTimeFormat, FLegend.DateTimeFormat, std::nullopt, DoChange());
    PUBLISHED_MEMBER(TkPrecisionStyle, LegendPrecisionStyle, FLegend.PrecisionStyle, kpsSignificantDigits, DoChange());
    PUBLISHED_MEMBER(int, LegendPrecision, FLegend.Precision, 3, DoChange());
    PUBLISHED_MEMBER(double, LegendMinLength, FLegend.MinLength, std::nullopt, DoChange(), Finite);
    PUBLISHED_MEMBER(bool, LegendMinLengthAutoAdjust, FLegend.MinLengthAutoAdjust, false, DoChange());
    PUBLISHED(double, CursorScaler, 1, DoChange(), Finite);
    // Scrolling and the other axes of the kind.
    PUBLISHED(bool, ScrollMinMaxEnabled, false, DoChange());
    PUBLISHED(double, ScrollMax, 100, DoChange(), Finite);
    PUBLISHED(double, ScrollMin, 0, DoChange(), Finite);
    PUBLISHED(bool, RestoreValuesOnResume, true, DoChange());
    PUBLISHED(bool, MasterUIInput, false, DoChange());
    // Axes that cross the data view, and aligned axes.
    PUBLISHED(TkPlotCartesianStyle, CartesianStyle, kpcsNone, DoChange());
    PUBLISHED(std::string, CartesianChildRefAxisName, "<None>", DoChange());
    PUBLISHED(double, CartesianChildRefValue, 0, DoChange(), Finite);
    PUBLISHED(std::string, AlignRefAxisName, "<None>", DoChange());
    PUBLISHED(bool, GridLinesVisible, true, DoChange());
    PUBLISHED_ACCESSORS(bool, ForceStacking, false);

    // ---- following new data, scrolling and zooming
    // A channel added a point with this value on the axis. While tracking
    // is on, the range follows it in the TrackingStyle; the plot hears of
    // the change once.
    void TrackNewValue(double Value);
    // The next value tracked counts as the first again (the plot's data
    // was cleared).
    void ResetTracking();
    // The range and label length that resuming tracking returns to.
    void SaveResumeValues();
    double GetResumeMin() const { return FResumeMin; }
    double GetResumeSpan() const { return FResumeSpan; }
    // The range of the data of the channels drawn against the axis: as
    // they hold it now, or as it ever ran.
    void ZoomToFit();
    void FitToRunningMinMax();
    // Widens the range outward to whole major or minor increments of the
    // last tick generation, as TrackingIncrementStyle asks.
    void AlignToIncrement();
    // Span times Factor about the centre (a linear Factor must be above
    // zero); on a log scale Factor counts decades.
    void Zoom(double Factor);
    // Span divided by 10^Exponent about the centre.
    void ZoomBy10(double Exponent);
    // Moves the range by a fraction of its span (of its decades on a log
    // scale), within ScrollMin..ScrollMax when ScrollMinMaxEnabled.
    void ScrollBy(double Fraction);
    // The range between the pixel edges of a box drawn in the data view.
    void ZoomToRect(const TRect& Rect);
    // Drags, the wheel and the keys zoom instead of scroll (Ctrl inverts
    // it for drags and the wheel).
    bool GetZoomMode() const { return FZoomMode; }
    void SetZoomMode(bool Value);

    // The axis's gestures. Public so that the data view can hand its drags
    // and wheel to the axes, and so that an axis with MasterUIInput can
    // replay its gestures on the other axes of its kind.
    void DoMouseLeftDown(const TkPlotMouseData& Mouse) override;
    void DoMouseDrag(const TkPlotMouseData& Mouse) override;
    void DoMouseUp(const TkPlotMouseData& Mouse) override;
    bool DoMouseWheel(int WheelDelta, TShiftState Shift, TPoint Client) override;
    void KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu) override;
    TCursor GetMouseCursor(TPoint P) override;
    void BuildPopupMenu(TPopupMenu* Menu) override;

    // ---- values and pixels
    int ValueToPixel(double Value) const;
    // The conversion as it stands, for converting many values at once.
    TkPlotPixelScale GetPixelScale() const;
    double PixelToValue(int Pixel) const;
    int GetMinPixel() const { return ValueToPixel(FMin); }
    int GetMaxPixel() const { return ValueToPixel(GetMax()); }
    int SpanToPixels(double Distance) const;
    // Fraction 0..1 of the data view (Y counted upward) and back; an axis
    // spans the part StartPercent..StopPercent of it.
    double ValueToPercent(double Value) const;
    double PercentToValue(double Fraction) const;
    bool ValueOnScale(double Value) const;
    int GetScalePixelLength() const;

    // ---- texts
    std::string ValueToText(const TkPlotTextSettings& Settings, double& MinLength, double Value);
    std::string GetLabelText(double Value);
    std::string GetCursorText(double Value);
    std::string GetLegendText(double Value);
    std::string GetCursorPlainText(double Value);
    int GetLegendMinWidth(TCanvas* Canvas);
    int GetCursorMinWidth(TCanvas* Canvas);
    // The widest label in LabelsFont: the minimum length, a sample value
    // and every tick's label.
    int GetMaxLabelWidth(TCanvas* Canvas);

    // ---- ticks
    // Rebuilds the tick list for the current range and layout rectangle.
    void CalcTicks(TCanvas* Canvas);
    const std::vector<TkPlotTickObject>& GetTicks() const { return FTicks; }
    double GetMajorIncrement() const { return FMajorIncrement; }
    double GetMinorIncrement() const { return FMinorIncrement; }

    // ---- layout and drawing
    int GetRequiredSize(TCanvas* Canvas) override;
    int GetRequiredEndMargin(TCanvas* Canvas) override;
    int GetTitleOffset() const { return FTitleOffset; }
    // Pixels the scale keeps clear at an end where a neighbour on its level
    // meets it, for the end labels of both (none for an axis across the
    // data view).
    int GetStackingEndMargin(TCanvas* Canvas);
    // Side code, scale and outer rectangles, pixel ends and scale factor,
    // from the layout rectangle.
    void CalcScaleRect(TCanvas* Canvas);
    // 0 vertical left of the data view, 1 horizontal above, 2 vertical
    // right, 3 horizontal below.
    int GetSide() const { return FSide; }
    const TRect& GetScaleRect() const { return FScaleRect; }
    const TRect& GetOuterRect() const { return FOuterRect; }
    void PreDraw(TCanvas* Canvas) override;
    void Draw(TCanvas* Canvas, TColor BackColor) override;
    void DrawGridLines(TCanvas* Canvas, const TRect& Rect, int MinorWidth, int MajorWidth, TColor MinorColor,
                       TColor MajorColor, TkPlotGridLineStyle MinorStyle, TkPlotGridLineStyle MajorStyle,
                       bool ShowMinors, bool ShowMajors);
    bool HitTest(const TkPlotMouseData& Mouse) override;

    void ObjectRenamed(TkPlotObject* Object) override;
    void ObjectFocused(TkPlotObject* Object) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    ~TkPlotAxis() override;
    void DoMouseHover(const TkPlotMouseData& Mouse) override;

private:
    static bool Finite(double& Value);
    // Finite, and kept between none and the largest step a scale can take.
    static bool FiniteIncrement(double& Value);
    TkPlotValueTextAxis TextAxis();
    std::string ReadoutText(bool UseDefault, TkPlotTextSettings& Settings, double Value);
    int ReadoutMinWidth(TCanvas* Canvas, bool UseDefault, double Length);
    void UseLabelsFont(TCanvas* Canvas);
    bool HasHorizontalLabels() const;
    int LabelLengthAlong(TCanvas* Canvas);
    void AddTick(bool Major, double Value);
    void AddLogTicks(int MaxCount);
    void AddLinearTicks(int MaxCount);
    // The step of the labels' ladder for at most MaxCount labels.
    TkTickIncrement LadderIncrement(int MaxCount) const;
    // Majors every Increment (with the minors between) over the scale.
    void StepTicks(double Increment);
    bool HasMajorTick() const;
    void StepDownToATick(double Increment, int MaxCount);
    // A runaway list: one tick in the middle says where the values are.
    void CutTicks();
    void PlaceTicks();
    void DrawScaleLine(TCanvas* Canvas);
    void DrawTick(TCanvas* Canvas, const TkPlotTickObject& Tick);
    void DrawLabel(TCanvas* Canvas, const TkPlotTickObject& Tick);
    void DrawTitle(TCanvas* Canvas);
    bool IsCartesian() const { return FCartesianStyle != kpcsNone; }
    // Range arithmetic on working copies: tracking composes several steps
    // and applies the result once.
    struct TRange {
        double Min;
        double Span;
        double Max() const { return Min + Span; }
    };
    TRange Range() const { return {FMin, FSpan}; }
    void Apply(const TRange& R) { SetMinSpan(R.Min, R.Span); }
    TRange Clamped(TRange R) const;
    TRange Tracked(TRange R, double X);
    TRange Aligned(TRange R) const;
    bool Fitted(TRange& R, bool Running, bool UseSpanMinimum);
    TRange Scrolled(TRange R, double Fraction) const;
    TRange ZoomedBy10(TRange R, double Exponent) const;
    // Runs Replay on every other axis of this kind when MasterUIInput is
    // on; a replayed gesture is not replayed again.
    void Relay(const std::function<void(TkPlotAxis*)>& Replay);
    bool EffectiveZoomMode(TShiftState Shift) const { return FZoomMode != bool(Shift & ssCtrl); }
    void FinishGesture();
    // The keys' scroll or zoom steps.
    void StepKey(std::uint16_t Key);
    bool IsLog() const { return FScaleType == kpstLog10; }

    double FMin = 0;
    double FSpan = 100;
    TkPlotTextSettings FLabels;
    TkPlotScaleType FScaleType = kpstLinear;
    bool FTrackingEnabled = true;
    TkPlotTextSettings FCursor;
    TkPlotTextSettings FLegend;

    double FResumeMin = 0;
    double FResumeSpan = 100;
    double FResumeLabelsMinLength = 0;
    bool FFirstValueTracked = false;
    bool FZoomMode = false;
    bool FDragging = false;
    TPoint FLastPoint;
    double FGestureMin = 0;
    double FGestureSpan = 0;

    std::vector<TkPlotTickObject> FTicks;
    TRect FScaleRect;
    TRect FOuterRect;
    int FMinPixel = 0;        // pixel of Min
    int FMaxPixel = 0;        // pixel of the maximum
    double FScaleFactor = 0;  // pixels per value unit
    int FSide = 0;
    double FMajorIncrement = 0;
    double FMinorIncrement = 0;
    TkCalendarStep FCalendar = TkCalendarStep::None;
    bool FEventsHeld = false;
    bool FLabelsAdjusting = false;
    int FRequiredSize = 0;
    int FTitleOffset = 0;
};
