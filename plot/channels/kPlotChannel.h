#pragma once
// The trace channel that the plot creates by default: Y against X, with
// the X values running in one direction. It checks the X order of new
// points, looks up Y at an X, finds the visible index range and the
// extents the axes fit to, computes a data cursor's readout, and takes
// points from OPC items.
#include <functional>
#include <string>
#include <vector>

#include "plot/channels/kPlotChannelCustom.h"
#include "plot/channels/kPlotChannelOPC.h"
#include "plot/core/kOPCItem.h"
#include "rtl/DateTime.h"

PUBLISHED_ENUM(TkPlotInterpolationStyle, kpistStraightLine, kpistCubicSpline, kpistPolynomial, kpistRational,
               kpistDifferential, kpistDifferentialTerminated);

// The Y of an interpolated curve at one screen column, as last drawn.
struct TkPlotPixelPoint {
    int Column = 0;
    bool Null = true;
    double Y = 0;
};

PUBLISHED_ENUM(TkPlotDigitalReferenceStyle, kpdrScale, kpdrPercent);
PUBLISHED_ENUM(TkPlotHighLowStyle, kphlsOpenClose, kphlsCandleStick);
// Where the X of a point from OPC comes from: item 0's server time stamp,
// the system clock, the time since StartTime, or item 1's value.
PUBLISHED_ENUM(TkOPCXValueSourceStyle, kopcxvsOPCServerTimeStamp, kopcxvsSystemTimeStamp, kopcxvsElapsedTime,
               kopcxvsElapsedSeconds, kopcxvsOPCItem);

// What a cursor lookup found.
enum TkPlotCursorStatus : std::uint8_t { kpcvValue = 0, kpcvNull = 1, kpcvNoValue = 2 };

class TkPlotChannel : public TkPlotChannelCustom {
    PUBLISHED_CLASS(TkPlotChannel);

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
    // A data cursor snaps to the point nearest to X: the ends answer for an
    // X beyond them, whichever way the X values run. -1 for no points.
    bool SnapsCursor() const override { return true; }
    int NearestIndex(double X) const override;

    void CalcFirstVisibleIndex() override;
    void CalcLastVisibleIndex() override;
    double GetXMaxExtent() override;
    double GetXMinExtent() override;
    double GetYMaxExtentVisible() override;
    double GetYMinExtentVisible() override;
    void UpdateCursorValues(TkPlotDataCursor* Cursor) override;

    // ---- published properties
    PUBLISHED(bool, FastDrawEnabled, true, DoChange());
    PUBLISHED(bool, AllowOutOfOrderXValues, true, DoChange());
    PUBLISHED(bool, DrawOutOfOrderXValues, false, DoChange());
    PUBLISHED(bool, ResetStartTimeOnFirstDataPoint, false, DoChange());
    PUBLISHED(TkPlotInterpolationStyle, InterpolationStyle, kpistStraightLine, DoChange());
    PUBLISHED(bool, FillEnabled, false, DoChange());
    PUBLISHED(double, FillReference, 0.0, DoChange());
    PUBLISHED(TBrushStyle, FillStyle, bsSolid, DoChange());
    PUBLISHED(TColor, FillColor, clBlack, DoChange());
    PUBLISHED(bool, FillUseChannelColor, true, DoChange());
    PUBLISHED(bool, DigitalEnabled, false, DoChange());
    PUBLISHED(TkPlotDigitalReferenceStyle, DigitalReferenceStyle, kpdrScale, DoChange());
    PUBLISHED(double, DigitalReferenceLow, 10.0, DoChange());
    PUBLISHED(double, DigitalReferenceHigh, 90.0, DoChange());
    PUBLISHED(TkPlotHighLowStyle, HighLowStyle, kphlsOpenClose, DoChange());
    PUBLISHED(bool, HighLowEnabled, false, DoChange());
    // A new channel's bar and open colours are always written.
    PUBLISHED_NODEFAULT(TColor, HighLowBarColor, clAqua, DoChange());
    PUBLISHED(double, HighLowBarWidth, 0.5, DoChange());
    PUBLISHED(bool, HighLowOpenShow, true, DoChange());
    PUBLISHED_NODEFAULT(TColor, HighLowOpenColor, clLime, DoChange());
    PUBLISHED(double, HighLowOpenWidth, 1.0, DoChange());
    PUBLISHED(double, HighLowOpenHeight, 1.0, DoChange());
    PUBLISHED(bool, HighLowCloseShow, true, DoChange());
    PUBLISHED(TColor, HighLowCloseColor, clRed, DoChange());
    PUBLISHED(double, HighLowCloseWidth, 1.0, DoChange());
    PUBLISHED(double, HighLowCloseHeight, 1.0, DoChange());
    PUBLISHED(TColor, HighLowShadowColor, clGray, DoChange());
    PUBLISHED(TColor, HighLowBullishColor, clWhite, DoChange());
    PUBLISHED(TColor, HighLowBearishColor, clGray, DoChange());
    PUBLISHED(bool, BarEnabled, false, DoChange());
    PUBLISHED(bool, BarPenUseChannelColor, true, DoChange());
    PUBLISHED(bool, BarBrushUseChannelColor, true, DoChange());
    // The bar attributes live in the point list.
    PUBLISHED_VIA(double, BarReference, List().Attributes.BarReference,
                  SetAttribute(List().Attributes.BarReference, Value));
    PUBLISHED_VIA(double, BarWidth, List().Attributes.BarWidth, SetAttribute(List().Attributes.BarWidth, Value));
    PUBLISHED_VIA(TColor, BarPenColor, List().Attributes.BarPenColor,
                  SetAttribute(List().Attributes.BarPenColor, Value), clRed);
    PUBLISHED_VIA(int, BarPenWidth, List().Attributes.BarPenWidth, SetAttribute(List().Attributes.BarPenWidth, Value),
                  0);
    PUBLISHED_VIA(TPenStyle, BarPenStyle, TPenStyle(List().Attributes.BarPenStyle),
                  SetAttribute(List().Attributes.BarPenStyle, Value), psSolid);
    PUBLISHED_VIA(TColor, BarBrushColor, List().Attributes.BarBrushColor,
                  SetAttribute(List().Attributes.BarBrushColor, Value), clRed);
    PUBLISHED_VIA(TBrushStyle, BarBrushStyle, TBrushStyle(List().Attributes.BarBrushStyle),
                  SetAttribute(List().Attributes.BarBrushStyle, Value), bsSolid);
    // The OPC settings live in the two items: item 1 only gives X.
    PUBLISHED_VIA(std::string, OPCGroupName, FOPC.GroupSetting(), FOPC.Item(0)->SetGroupName(Value));
    PUBLISHED_VIA(std::string, OPCComputerName, FOPC.Item(0)->GetComputerName(), FOPC.Item(0)->SetComputerName(Value));
    PUBLISHED_VIA(std::string, OPCServerName, FOPC.Item(0)->GetServerName(), FOPC.Item(0)->SetServerName(Value));
    PUBLISHED_VIA(std::string, OPCItemName, FOPC.Item(0)->GetItemName(), FOPC.Item(0)->SetItemName(Value));
    PUBLISHED_VIA(std::string, OPCItem2Name, FOPC.Item(1)->GetItemName(), FOPC.Item(1)->SetItemName(Value));
    PUBLISHED_VIA(int, OPCUpdateRate, FOPC.Item(0)->GetUpdateRate(), FOPC.Item(0)->SetUpdateRate(Value), 500);
    PUBLISHED_VIA(double, OPCScalar, FOPC.Item(0)->GetScalar(), FOPC.Item(0)->SetScalar(Value));
    PUBLISHED_VIA(double, OPCOffset, FOPC.Item(0)->GetOffset(), FOPC.Item(0)->SetOffset(Value));
    PUBLISHED_VIA(double, OPCScalar2, FOPC.Item(1)->GetScalar(), FOPC.Item(1)->SetScalar(Value));
    PUBLISHED_VIA(double, OPCOffset2, FOPC.Item(1)->GetOffset(), FOPC.Item(1)->SetOffset(Value));
    PUBLISHED_VIA(bool, OPCAutoConnect, FOPC.Item(0)->GetAutoConnect(), FOPC.Item(0)->SetAutoConnect(Value), true);
    PUBLISHED(TkOPCXValueSourceStyle, OPCXValueSource, kopcxvsOPCServerTimeStamp, DoChange());

    // (Re)connects item 0, and item 1 in a group shared with item 0 when
    // it gives X; nothing while the plot is being designed.
    void OPCConnect();
    const TkPlotChannelOPC& GetOPC() const { return FOPC; }
    // Connects as soon as the channel is in its plot, when item 0 connects
    // by itself.
    void DoInsert() override;

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

    // A value of item 0 becomes a point by OPCXValueSource.
    void OPCValueReceived(double Value, double TimeStamp);
    void OPCGroupUpdated(double X, double Y);

    TDateTime FStartTime;
    TkPlotChannelOPC FOPC;
    bool FReadyToDraw = false;
    std::vector<TkPlotPixelPoint> FPixelPoints;
    int FFirstPixel = 0;
    int FLastPixel = 0;
};
