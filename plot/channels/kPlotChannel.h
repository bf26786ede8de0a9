#pragma once
// The trace channel that the plot creates by default: Y against X, with
// the X values running in one direction. It checks the X order of new
// points, looks up Y at an X, finds the visible index range and the
// extents the axes fit to, and computes a data cursor's readout.
#include <functional>
#include <string>
#include <vector>

#include "plot/channels/kPlotChannelCustom.h"
#include "plot/channels/kPlotColumnAccumulator.h"
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
    // The readout of the last cursor update, as the cursor's hint shows it.
    const std::string& GetCursorReadout() const { return FCursorReadout; }

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

    // ---- drawing
    // Finds the visible range and readies the curve columns; the channel
    // draws only when this found something to draw.
    void PreDraw(TCanvas* Canvas) override;
    bool GetReadyToDraw() const { return FReadyToDraw; }
    void Draw(TCanvas* Canvas, TColor BackColor) override;
    void DrawTrace(TCanvas* Canvas, TColor BackColor) override;
    // Also hit within 10 pixels of the trace, where Y at the mouse's X is.
    bool HitTest(const TkPlotMouseData& Mouse) override;
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
    // Binary searches over all points, clamped into 0 .. Count - 1: the
    // first index whose X is at or beyond X in the data's direction.
    int SearchAscending(double X) const;
    int SearchDescending(double X) const;
    // The index of the last (Backward) or first valid point; -1 when none.
    int LastValidIndex() const;
    int FirstValidIndex() const;
    std::string CursorYText(TkPlotCursorStatus Status, double Y) const;
    // The min/max reduction: per screen column one vertical line from the
    // smallest to the largest Y, and lines joining the columns.
    void DrawFastTrace(TCanvas* Canvas);
    void FlushColumns(TCanvas* Canvas, const TkPlotColumnAccumulator& First, const TkPlotColumnAccumulator& Second,
                      const TkPlotColumnAccumulator& Third);
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

    TDateTime FStartTime;
    bool FFastDrawEnabled = true;
    bool FAllowOutOfOrderXValues = true;
    bool FDrawOutOfOrderXValues = false;
    bool FResetStartTimeOnFirstDataPoint = false;
    TkPlotInterpolationStyle FInterpolationStyle = kpistStraightLine;
    bool FDigitalEnabled = false;
    std::string FCursorReadout;
    bool FReadyToDraw = false;
    std::vector<TkPlotPixelPoint> FPixelPoints;
    int FFirstPixel = 0;
    int FLastPixel = 0;
};
