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

#include "plot/core/kPlotObjects.h"
#include "plot/core/kPlotTickLadders.h"
#include "plot/core/kPlotValueText.h"
#include "rtl/PublishedList.h"
#include "ui/Color.h"

class TFont;

enum TkRotationAngle { ira000, ira090, ira180, ira270 };
enum TkPlotScaleType { kpstLinear, kpstLog10 };
enum TkPlotTrackingStyle {
    kptsScaleMinMax,
    kptsScaleMax,
    kptsScaleMin,
    kptsScrollSmooth,
    kptsScrollPage,
    kptsExpandCollapse,
    kptsExpandCollapseFast,
    kptsExpandMinMax,
};
enum TkPlotTrackingIncrementStyle { kptisMinimum, kptisMajor, kptisMinor };
enum TkPlotAlignFirstStyle { kpafsMin, kpafsMax, kpafsAuto, kpafsNone };
enum TkPlotCartesianStyle { kpcsNone, kpcsMaster, kpcsChild };
PUBLISHED_ENUM(TkPlotGridLineStyle, kpglsSolid, kpglsDash, kpglsDot);

// One tick of the last tick generation.
struct TkPlotTickObject {
    bool Major = true;
    double Value = 0;
    int Position = 0;      // pixel along the axis
    std::string Label;     // empty for minor ticks
    bool Visible = false;  // the value lies on the drawn scale
};

// While one is alive, an axis with MasterUIInput does not hand its input
// on to the other axes of its kind: for callers that give the input to
// every axis themselves, so that none takes it twice.
class TkPlotAxisRelayHold {
public:
    TkPlotAxisRelayHold();
    ~TkPlotAxisRelayHold();
    TkPlotAxisRelayHold(const TkPlotAxisRelayHold&) = delete;
    TkPlotAxisRelayHold& operator=(const TkPlotAxisRelayHold&) = delete;

private:
    bool FWasHeld;
};

namespace TkPlotObjectKind {
extern const TkPlotKind XAxis;
extern const TkPlotKind YAxis;
}  // namespace TkPlotObjectKind

class TkPlotAxis : public TkPlotLayoutObject {
public:
    TkPlotAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks, const TkPlotKind& AKind);

    // ---- range
    double GetMin() const { return FMin; }
    void SetMin(double Value);
    double GetSpan() const { return FSpan; }
    void SetSpan(double Value);
    double GetMax() const { return FMin + FSpan; }
    double GetMid() const { return FMin + FSpan / 2; }
    // Both at once; the plot hears of the change once.
    void SetMinSpan(double AMin, double ASpan);
    double GetDesiredStart() const { return FDesiredStart; }
    void SetDesiredStart(double Value);
    double GetDesiredIncrement() const { return FDesiredIncrement; }
    void SetDesiredIncrement(double Value);
    bool GetReverseScale() const { return FReverseScale; }
    void SetReverseScale(bool Value);
    TkPlotScaleType GetScaleType() const { return FScaleType; }
    void SetScaleType(TkPlotScaleType Value);

    // ---- scale and title appearance
    int GetInnerMargin() const { return FInnerMargin; }
    void SetInnerMargin(int Value);
    int GetOuterMargin() const { return FOuterMargin; }
    void SetOuterMargin(int Value);
    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value);
    double GetTitleMargin() const { return FTitleMargin; }
    void SetTitleMargin(double Value);
    TFont* GetTitleFont() const { return FTitleFont.get(); }
    bool GetTitleShow() const { return FTitleShow; }
    void SetTitleShow(bool Value);
    bool GetTitleRotated() const { return FTitleRotated; }
    void SetTitleRotated(bool Value);
    int GetMajorLength() const { return FMajorLength; }
    void SetMajorLength(int Value);
    int GetMinorLength() const { return FMinorLength; }
    void SetMinorLength(int Value);
    int GetMinorCount() const { return FMinorCount; }
    void SetMinorCount(int Value);
    bool GetScaleLineShow() const { return FScaleLineShow; }
    void SetScaleLineShow(bool Value);
    bool GetScaleLinesShow() const { return FScaleLinesShow; }
    void SetScaleLinesShow(bool Value);
    TColor GetScaleLinesColor() const { return FScaleLinesColor; }
    void SetScaleLinesColor(TColor Value);
    double GetStackingEndsMargin() const { return FStackingEndsMargin; }
    void SetStackingEndsMargin(double Value);
    bool GetGridLinesVisible() const { return FGridLinesVisible; }
    void SetGridLinesVisible(bool Value);

    // ---- labels
    bool GetLabelsVisible() const { return FLabelsVisible; }
    void SetLabelsVisible(bool Value);
    double GetLabelsMargin() const { return FLabelsMargin; }
    void SetLabelsMargin(double Value);
    TFont* GetLabelsFont() const { return FLabelsFont.get(); }
    double GetLabelSeparation() const { return FLabelSeparation; }
    void SetLabelSeparation(double Value);
    TkRotationAngle GetLabelsRotation() const { return FLabelsRotation; }
    void SetLabelsRotation(TkRotationAngle Value);
    int GetLabelsPrecision() const { return FLabels.Precision; }
    void SetLabelsPrecision(int Value);
    TkPrecisionStyle GetLabelsPrecisionStyle() const { return FLabels.PrecisionStyle; }
    void SetLabelsPrecisionStyle(TkPrecisionStyle Value);
    TkPlotTextFormat GetLabelsFormatStyle() const { return FLabels.Style; }
    void SetLabelsFormatStyle(TkPlotTextFormat Value);
    const std::string& GetDateTimeFormat() const { return FLabels.DateTimeFormat; }
    void SetDateTimeFormat(const std::string& Value);
    double GetLabelsMinLength() const { return FLabels.MinLength; }
    void SetLabelsMinLength(double Value);
    bool GetLabelsMinLengthAutoAdjust() const { return FLabels.MinLengthAutoAdjust; }
    void SetLabelsMinLengthAutoAdjust(bool Value);

    // ---- cursor and legend readouts
    bool GetCursorUseDefaultFormat() const { return FCursorUseDefaultFormat; }
    void SetCursorUseDefaultFormat(bool Value);
    TkPlotTextFormat GetCursorFormatStyle() const { return FCursor.Style; }
    void SetCursorFormatStyle(TkPlotTextFormat Value);
    const std::string& GetCursorDateTimeFormat() const { return FCursor.DateTimeFormat; }
    void SetCursorDateTimeFormat(const std::string& Value);
    TkPrecisionStyle GetCursorPrecisionStyle() const { return FCursor.PrecisionStyle; }
    void SetCursorPrecisionStyle(TkPrecisionStyle Value);
    int GetCursorPrecision() const { return FCursor.Precision; }
    void SetCursorPrecision(int Value);
    double GetCursorMinLength() const { return FCursor.MinLength; }
    void SetCursorMinLength(double Value);
    bool GetCursorMinLengthAutoAdjust() const { return FCursor.MinLengthAutoAdjust; }
    void SetCursorMinLengthAutoAdjust(bool Value);
    bool GetLegendUseDefaultFormat() const { return FLegendUseDefaultFormat; }
    void SetLegendUseDefaultFormat(bool Value);
    TkPlotTextFormat GetLegendFormatStyle() const { return FLegend.Style; }
    void SetLegendFormatStyle(TkPlotTextFormat Value);
    const std::string& GetLegendDateTimeFormat() const { return FLegend.DateTimeFormat; }
    void SetLegendDateTimeFormat(const std::string& Value);
    TkPrecisionStyle GetLegendPrecisionStyle() const { return FLegend.PrecisionStyle; }
    void SetLegendPrecisionStyle(TkPrecisionStyle Value);
    int GetLegendPrecision() const { return FLegend.Precision; }
    void SetLegendPrecision(int Value);
    double GetLegendMinLength() const { return FLegend.MinLength; }
    void SetLegendMinLength(double Value);
    bool GetLegendMinLengthAutoAdjust() const { return FLegend.MinLengthAutoAdjust; }
    void SetLegendMinLengthAutoAdjust(bool Value);
    double GetCursorScaler() const { return FCursorScaler; }
    void SetCursorScaler(double Value);

    // ---- tracking, scrolling and zooming settings (used by the tracking
    // and mouse handling; stored here)
    bool GetTrackingEnabled() const { return FTrackingEnabled; }
    void SetTrackingEnabled(bool Value);
    TkPlotTrackingStyle GetTrackingStyle() const { return FTrackingStyle; }
    void SetTrackingStyle(TkPlotTrackingStyle Value);
    TkPlotTrackingIncrementStyle GetTrackingIncrementStyle() const { return FTrackingIncrementStyle; }
    void SetTrackingIncrementStyle(TkPlotTrackingIncrementStyle Value);
    TkPlotAlignFirstStyle GetTrackingAlignFirstStyle() const { return FTrackingAlignFirstStyle; }
    void SetTrackingAlignFirstStyle(TkPlotAlignFirstStyle Value);
    double GetTrackingScrollCompressMax() const { return FTrackingScrollCompressMax; }
    void SetTrackingScrollCompressMax(double Value);
    double GetTrackingSpanMinimum() const { return FTrackingSpanMinimum; }
    void SetTrackingSpanMinimum(double Value);
    double GetTrackingMaxMargin() const { return FTrackingMaxMargin; }
    void SetTrackingMaxMargin(double Value);
    double GetTrackingMinMargin() const { return FTrackingMinMargin; }
    void SetTrackingMinMargin(double Value);
    bool GetScrollMinMaxEnabled() const { return FScrollMinMaxEnabled; }
    void SetScrollMinMaxEnabled(bool Value);
    double GetScrollMax() const { return FScrollMax; }
    void SetScrollMax(double Value);
    double GetScrollMin() const { return FScrollMin; }
    void SetScrollMin(double Value);
    bool GetRestoreValuesOnResume() const { return FRestoreValuesOnResume; }
    void SetRestoreValuesOnResume(bool Value);
    bool GetMasterUIInput() const { return FMasterUIInput; }
    void SetMasterUIInput(bool Value);

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

    // ---- axes that cross the data view, and aligned axes
    TkPlotCartesianStyle GetCartesianStyle() const { return FCartesianStyle; }
    void SetCartesianStyle(TkPlotCartesianStyle Value);
    const std::string& GetCartesianChildRefAxisName() const { return FCartesianChildRefAxisName; }
    void SetCartesianChildRefAxisName(const std::string& Value);
    double GetCartesianChildRefValue() const { return FCartesianChildRefValue; }
    void SetCartesianChildRefValue(double Value);
    const std::string& GetAlignRefAxisName() const { return FAlignRefAxisName; }
    void SetAlignRefAxisName(const std::string& Value);

    // ---- values and pixels
    int ValueToPixel(double Value) const;
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
    // Store a finite, differing value and signal a change.
    void SetDouble(double Value, double& Field);
    void FontChanged(TObject*);
    TkPlotValueTextAxis TextAxis();
    std::string ReadoutText(bool UseDefault, TkPlotTextSettings& Settings, double Value);
    int ReadoutMinWidth(TCanvas* Canvas, bool UseDefault, double Length);
    void UseLabelsFont(TCanvas* Canvas);
    bool HasHorizontalLabels() const;
    int LabelLengthAlong(TCanvas* Canvas);
    void AddTick(bool Major, double Value);
    void AddLogTicks(int MaxCount);
    void AddLinearTicks(int MaxCount);
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
    double FDesiredStart = 0;
    double FDesiredIncrement = 0;
    bool FReverseScale = false;
    int FInnerMargin = 5;
    int FOuterMargin = 5;
    std::string FTitle;
    double FTitleMargin = 0.25;
    std::unique_ptr<TFont> FTitleFont;
    bool FTitleShow = false;
    bool FTitleRotated = false;
    int FMajorLength = 7;
    int FMinorLength = 3;
    int FMinorCount = 1;
    bool FLabelsVisible = true;
    double FLabelsMargin = 0.25;
    std::unique_ptr<TFont> FLabelsFont;
    double FLabelSeparation = 2;
    TkRotationAngle FLabelsRotation = ira000;
    TkPlotTextSettings FLabels;
    bool FScaleLineShow = true;
    bool FScaleLinesShow = true;
    TColor FScaleLinesColor = clWhite;
    double FStackingEndsMargin = 0.5;
    TkPlotScaleType FScaleType = kpstLinear;
    bool FTrackingEnabled = true;
    TkPlotTrackingStyle FTrackingStyle = kptsScaleMinMax;
    TkPlotTrackingIncrementStyle FTrackingIncrementStyle = kptisMinimum;
    TkPlotAlignFirstStyle FTrackingAlignFirstStyle = kpafsNone;
    double FTrackingScrollCompressMax = 0;
    double FTrackingSpanMinimum = 0;
    double FTrackingMaxMargin = 0;
    double FTrackingMinMargin = 0;
    bool FCursorUseDefaultFormat = true;
    TkPlotTextSettings FCursor;
    bool FLegendUseDefaultFormat = true;
    TkPlotTextSettings FLegend;
    double FCursorScaler = 1;
    bool FScrollMinMaxEnabled = false;
    double FScrollMax = 100;
    double FScrollMin = 0;
    bool FRestoreValuesOnResume = true;
    bool FMasterUIInput = false;
    TkPlotCartesianStyle FCartesianStyle = kpcsNone;
    std::string FCartesianChildRefAxisName = "<None>";
    double FCartesianChildRefValue = 0;
    std::string FAlignRefAxisName = "<None>";
    bool FGridLinesVisible = true;

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

class TkPlotXAxis : public TkPlotAxis {
public:
    TkPlotXAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotXAxis() override = default;
};

class TkPlotYAxis : public TkPlotAxis {
public:
    TkPlotYAxis(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotYAxis() override = default;
};
