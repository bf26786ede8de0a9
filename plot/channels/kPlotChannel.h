#pragma once
// The trace channel that the plot creates by default: Y against X, with
// the X values running in one direction. It checks the X order of new
// points, looks up Y at an X, finds the visible index range and the
// extents the axes fit to, and computes a data cursor's readout.
#include <functional>
#include <string>
#include <vector>

#include "plot/channels/kPlotChannelCustom.h"
#include "plot/core/kClasses.h"
#include "rtl/DateTime.h"

enum TkPlotInterpolationStyle {
    kpistStraightLine,
    kpistCubicSpline,
    kpistPolynomial,
    kpistRational,
    kpistDifferential,
    kpistDifferentialTerminated,
};

// The Y of an interpolated curve at one screen column, as last drawn.
struct TkPlotPixelPoint {
    int Column = 0;
    bool Null = true;
    double Y = 0;
};

enum TkPlotDigitalReferenceStyle { kpdrScale, kpdrPercent };
enum TkPlotHighLowStyle { kphlsOpenClose, kphlsCandleStick };

// What a cursor lookup found.
enum TkPlotCursorStatus : std::uint8_t { kpcvValue = 0, kpcvNull = 1, kpcvNoValue = 2 };

class TkPlotChannel : public TkPlotChannelCustom {
public:
    TkPlotChannel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // Checks the X order unless out-of-order values are allowed.
    int AddXY(double X, double Y) override;
    // X = the time since StartTime, in days or in seconds; no order check.
    int AddYElapsedDays(double Y);
    int AddYElapsedSeconds(double Y);
    void ResetStartTime() { FStartTime = Now(); }
    TDateTime GetStartTime() const { return FStartTime; }

    // X values run upwards (or there are fewer than two points).
    bool XAscending() const;
    // The first index whose X is at or beyond X in the data's direction;
    // -1 without an X axis, points, or when X lies outside the data.
    int FindIndexAtX(double X) const;
    // Y at X: the point's own Y at an exact match, else the straight line
    // between the two valid neighbours on the X axis' pixel grid (the
    // earlier neighbour's Y for a digital trace).
    bool GetYAtX(double X, double& Y) const;
    TkPlotCursorStatus GetCursorYAtX(double X, double& Y) const;

    void CalcFirstVisibleIndex() override;
    void CalcLastVisibleIndex() override;
    double GetXMaxExtent() override;
    double GetXMinExtent() override;
    double GetYMaxExtentVisible() override;
    double GetYMinExtentVisible() override;
    void UpdateCursorValues(TkPlotDataCursor* Cursor) override;

    bool GetFastDrawEnabled() const { return FFastDrawEnabled; }
    void SetFastDrawEnabled(bool Value);
    bool GetAllowOutOfOrderXValues() const { return FAllowOutOfOrderXValues; }
    void SetAllowOutOfOrderXValues(bool Value);
    bool GetDrawOutOfOrderXValues() const { return FDrawOutOfOrderXValues; }
    void SetDrawOutOfOrderXValues(bool Value);
    bool GetResetStartTimeOnFirstDataPoint() const { return FResetStartTimeOnFirstDataPoint; }
    void SetResetStartTimeOnFirstDataPoint(bool Value);
    TkPlotInterpolationStyle GetInterpolationStyle() const { return FInterpolationStyle; }
    void SetInterpolationStyle(TkPlotInterpolationStyle Value);
    bool GetDigitalEnabled() const { return FDigitalEnabled; }
    void SetDigitalEnabled(bool Value);
    TkPlotDigitalReferenceStyle GetDigitalReferenceStyle() const { return FDigitalReferenceStyle; }
    void SetDigitalReferenceStyle(TkPlotDigitalReferenceStyle Value);
    double GetDigitalReferenceLow() const { return FDigitalReferenceLow; }
    void SetDigitalReferenceLow(double Value);
    double GetDigitalReferenceHigh() const { return FDigitalReferenceHigh; }
    void SetDigitalReferenceHigh(double Value);

    bool GetFillEnabled() const { return FFillEnabled; }
    void SetFillEnabled(bool Value);
    double GetFillReference() const { return FFillReference; }
    void SetFillReference(double Value);
    TBrushStyle GetFillStyle() const { return FFillStyle; }
    void SetFillStyle(TBrushStyle Value);
    TColor GetFillColor() const { return FFillColor; }
    void SetFillColor(TColor Value);
    bool GetFillUseChannelColor() const { return FFillUseChannelColor; }
    void SetFillUseChannelColor(bool Value);

    TkPlotHighLowStyle GetHighLowStyle() const { return FHighLowStyle; }
    void SetHighLowStyle(TkPlotHighLowStyle Value);
    bool GetHighLowEnabled() const { return FHighLowEnabled; }
    void SetHighLowEnabled(bool Value);
    TColor GetHighLowBarColor() const { return FHighLowBarColor; }
    void SetHighLowBarColor(TColor Value);
    double GetHighLowBarWidth() const { return FHighLowBarWidth; }
    void SetHighLowBarWidth(double Value);
    bool GetHighLowOpenShow() const { return FHighLowOpenShow; }
    void SetHighLowOpenShow(bool Value);
    TColor GetHighLowOpenColor() const { return FHighLowOpenColor; }
    void SetHighLowOpenColor(TColor Value);
    double GetHighLowOpenWidth() const { return FHighLowOpenWidth; }
    void SetHighLowOpenWidth(double Value);
    double GetHighLowOpenHeight() const { return FHighLowOpenHeight; }
    void SetHighLowOpenHeight(double Value);
    bool GetHighLowCloseShow() const { return FHighLowCloseShow; }
    void SetHighLowCloseShow(bool Value);
    TColor GetHighLowCloseColor() const { return FHighLowCloseColor; }
    void SetHighLowCloseColor(TColor Value);
    double GetHighLowCloseWidth() const { return FHighLowCloseWidth; }
    void SetHighLowCloseWidth(double Value);
    double GetHighLowCloseHeight() const { return FHighLowCloseHeight; }
    void SetHighLowCloseHeight(double Value);
    TColor GetHighLowShadowColor() const { return FHighLowShadowColor; }
    void SetHighLowShadowColor(TColor Value);
    TColor GetHighLowBullishColor() const { return FHighLowBullishColor; }
    void SetHighLowBullishColor(TColor Value);
    TColor GetHighLowBearishColor() const { return FHighLowBearishColor; }
    void SetHighLowBearishColor(TColor Value);

    bool GetBarEnabled() const { return FBarEnabled; }
    void SetBarEnabled(bool Value);
    bool GetBarPenUseChannelColor() const { return FBarPenUseChannelColor; }
    void SetBarPenUseChannelColor(bool Value);
    bool GetBarBrushUseChannelColor() const { return FBarBrushUseChannelColor; }
    void SetBarBrushUseChannelColor(bool Value);
    // The bar attributes live in the point list.
    double GetBarReference() const { return List().Attributes.BarReference; }
    void SetBarReference(double Value) { SetAttribute(List().Attributes.BarReference, Value); }
    double GetBarWidth() const { return List().Attributes.BarWidth; }
    void SetBarWidth(double Value) { SetAttribute(List().Attributes.BarWidth, Value); }
    TColor GetBarPenColor() const { return List().Attributes.BarPenColor; }
    void SetBarPenColor(TColor Value) { SetAttribute(List().Attributes.BarPenColor, std::int32_t(Value)); }
    int GetBarPenWidth() const { return List().Attributes.BarPenWidth; }
    void SetBarPenWidth(int Value) { SetAttribute(List().Attributes.BarPenWidth, std::int32_t(Value)); }
    TPenStyle GetBarPenStyle() const { return TPenStyle(List().Attributes.BarPenStyle); }
    void SetBarPenStyle(TPenStyle Value) { SetAttribute(List().Attributes.BarPenStyle, std::uint8_t(Value)); }
    TColor GetBarBrushColor() const { return List().Attributes.BarBrushColor; }
    void SetBarBrushColor(TColor Value) { SetAttribute(List().Attributes.BarBrushColor, std::int32_t(Value)); }
    TBrushStyle GetBarBrushStyle() const { return TBrushStyle(List().Attributes.BarBrushStyle); }
    void SetBarBrushStyle(TBrushStyle Value) { SetAttribute(List().Attributes.BarBrushStyle, std::uint8_t(Value)); }

    // ---- drawing
    // Finds the visible range and readies the curve columns; the channel
    // draws only when this found something to draw.
    void PreDraw(TCanvas* Canvas) override;
    bool GetReadyToDraw() const { return FReadyToDraw; }
    void Draw(TCanvas* Canvas, TColor BackColor) override;
    void DrawTrace(TCanvas* Canvas, TColor BackColor) override;
    // Also hit within 10 pixels of the trace, where Y at the mouse's X is.
    bool HitTest(const TkPlotMouseData& Mouse) override;
    // With bars, a point is picked by its bar.
    bool PointPickable(int Index) const override;
    TRect PointRect(int Index) const override;
    bool PointsPickable() const override { return GetMarkersVisible() || FBarEnabled; }
    // A digital trace's markers sit on its two levels.
    double MarkerY(int Index) const override;
    // The bar of point Index on screen.
    TRect BarRect(int Index) const;
    // The curve's screen columns of the last drawing; none before it.
    int GetFirstPixel() const { return FFirstPixel; }
    int GetLastPixel() const { return FLastPixel; }
    // More valid visible points than this draw a polynomial or rational
    // trace as straight lines: the curve through them means nothing and
    // costs the square of their number per column.
    static constexpr int MaxCurvePoints = 50;

protected:
    ~TkPlotChannel() override = default;

private:
    void CheckXOrder(double X) const;
    // A binary search over all points whose X run upwards (Ascending) or
    // downwards, clamped into 0 .. Count - 1: the first index whose X is at
    // or beyond X in the data's direction.
    int SearchX(double X, bool Ascending) const;
    // The index of the last or the first valid point; -1 when none.
    int LastValidIndex() const;
    int FirstValidIndex() const;
    // Folds Extent over the valid points in view, from None: the Y extent
    // of what the channel shows, None when it shows nothing.
    double VisibleYExtent(double None, const std::function<double(double, int)>& Extent);
    std::string CursorYText(TkPlotCursorStatus Status, double Y) const;
    // The min/max reduction: per screen column one vertical line from the
    // smallest to the largest Y, and lines joining the columns
    // (TkPlotFastTrace), over the list's summary.
    void DrawFastTrace(TCanvas* Canvas);
    // Steps: level, then edge, between consecutive valid points.
    void DrawSteps(TCanvas* Canvas);
    void DrawSplines(TCanvas* Canvas, TColor BackColor);
    void DrawCurve(TCanvas* Canvas, TColor BackColor);
    // Draws the curve Y(x) column by column over X1 .. X2 (limited to the
    // X axis' range) and keeps its columns; false, drawing nothing, when
    // the curve cannot be computed.
    bool DrawColumns(TCanvas* Canvas, double X1, double X2, const std::function<double(double)>& Curve);
    TkPlotPixelPoint* PixelPointAt(int Column);
    const TkPlotPixelPoint* PixelPointAt(int Column) const;
    // The straight-line trace over indexes First .. Last.
    void DrawStraight(TCanvas* Canvas, int First, int Last);
    // The fill brush, with a pen of its colour.
    void UseFillBrush(TCanvas* Canvas) const;
    bool FillsArea() const { return FFillEnabled && FFillStyle != bsClear; }
    void FillBetween(TCanvas* Canvas, double X1, double Y1, double X2, double Y2);
    void DrawFill(TCanvas* Canvas);
    void DrawBars(TCanvas* Canvas);
    void DrawHighLow(TCanvas* Canvas);
    void DrawDigital(TCanvas* Canvas);
    void DrawDigitalRun(TCanvas* Canvas, double X1, double X2, bool High);
    // The Y value of a digital level.
    double DigitalLevel(bool High) const;
    // A screen rectangle from X1 .. X2 in X axis values and Y1 .. Y2 in Y
    // axis values, at least one pixel each way.
    TRect ValueRect(double X1, double Y1, double X2, double Y2) const;
    // A rectangle X1 .. X2 in values, Height pixels high around the value Y.
    TRect TickRect(double X1, double X2, double Y, double Height) const;

    TDateTime FStartTime;
    bool FFastDrawEnabled = true;
    bool FAllowOutOfOrderXValues = true;
    bool FDrawOutOfOrderXValues = false;
    bool FResetStartTimeOnFirstDataPoint = false;
    TkPlotInterpolationStyle FInterpolationStyle = kpistStraightLine;
    bool FDigitalEnabled = false;
    TkPlotDigitalReferenceStyle FDigitalReferenceStyle = kpdrScale;
    double FDigitalReferenceLow = 10.0;
    double FDigitalReferenceHigh = 90.0;
    bool FFillEnabled = false;
    double FFillReference = 0.0;
    TBrushStyle FFillStyle = bsSolid;
    TColor FFillColor = clBlack;
    bool FFillUseChannelColor = true;
    TkPlotHighLowStyle FHighLowStyle = kphlsOpenClose;
    bool FHighLowEnabled = false;
    TColor FHighLowBarColor = clAqua;
    double FHighLowBarWidth = 0.5;
    bool FHighLowOpenShow = true;
    TColor FHighLowOpenColor = clLime;
    double FHighLowOpenWidth = 1.0;
    double FHighLowOpenHeight = 1.0;
    bool FHighLowCloseShow = true;
    TColor FHighLowCloseColor = clRed;
    double FHighLowCloseWidth = 1.0;
    double FHighLowCloseHeight = 1.0;
    TColor FHighLowShadowColor = clGray;
    TColor FHighLowBullishColor = clWhite;
    TColor FHighLowBearishColor = clGray;
    bool FBarEnabled = false;
    bool FBarPenUseChannelColor = true;
    bool FBarBrushUseChannelColor = true;
    bool FReadyToDraw = false;
    std::vector<TkPlotPixelPoint> FPixelPoints;
    int FFirstPixel = 0;
    int FLastPixel = 0;
};
