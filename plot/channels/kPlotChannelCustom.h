#pragma once
// The channel core: one point list chosen by DataStyle, running
// statistics, axis tracking of new points, an optional text log, point
// files, and the trace and marker attributes that the list keeps. Concrete
// channels add the visible range, extents, the cursor readout and drawing.
#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plot/channels/kPlotAxesClip.h"
#include "plot/channels/kPlotChannelAxis.h"
#include "plot/channels/kPlotReadoutChannel.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kPlotAxisData.h"
#include "plot/core/kPlotDataCustomList.h"
#include "plot/core/kPlotDataPoints.h"
#include "plot/core/kPlotLogFile.h"
#include "plot/core/kPlotManagerObject.h"
#include "ui/Brush.h"
#include "ui/Pen.h"

class TCanvas;
class TkPlotDataCursor;

PUBLISHED_ENUM(TkPlotChannelDataPointMoveStyle, kpcdpmsXandY, kpcdpmsXOnly, kpcdpmsYOnly);
PUBLISHED_ENUM(TkPlotLineStyle, kplsSolid, kplsDash, kplsDot, kplsDashDot, kplsDashDotDot);
PUBLISHED_ENUM(TkPlotMarkerStyle, kpmsCircle, kpmsSquare, kpmsDiamond, kpmsCross, kpmsPlus, kpmsTriangleUp,
               kpmsTriangleDown, kpmsTriangleLeft, kpmsTriangleRight, kpmsVerticalLine, kpmsHorizontalLine,
               kpmsCharacter);

// Running minimum, maximum and sum of one coordinate. The mean is worked
// out when asked, not at every point added.
struct TkPlotChannelStat {
    double Min = 1e300;
    double Max = -1e300;
    long double Sum = 0;

    void Add(double Value)
    {
        if (Value > Max)
            Max = Value;
        if (Value < Min)
            Min = Value;
        Sum += Value;
    }
    // The mean of the Count values added; 0 before any.
    double Mean(int Count) const { return Count == 0 ? 0 : double(Sum / Count); }
};

// The running statistics of the X and Y of the points added. Kept up point
// by point, each long double sum is loaded and stored again at every point,
// which costs more than storing the point; the values wait in a short
// buffer instead and are folded in, in the order added, when it fills or a
// figure is read, so the figures are the same.
class TkPlotChannelStats {
public:
    void Add(double X, double Y)
    {
        FPendingX[FPendingCount] = X;
        FPendingY[FPendingCount] = Y;
        if (++FPendingCount == PendingSize)
            Fold();
    }
    void Reset() { *this = TkPlotChannelStats(); }
    int Count() const { return FCount + FPendingCount; }
    const TkPlotChannelStat& X() const
    {
        Fold();
        return FX;
    }
    const TkPlotChannelStat& Y() const
    {
        Fold();
        return FY;
    }

private:
    void Fold() const;

    static constexpr int PendingSize = 64;
    // Two arrays: a pair stored as one would be loaded from the caller's
    // two separate stores in one piece, which stalls the processor.
    mutable std::array<double, PendingSize> FPendingX;
    mutable std::array<double, PendingSize> FPendingY;
    mutable int FPendingCount = 0;
    mutable int FCount = 0;
    mutable TkPlotChannelStat FX;
    mutable TkPlotChannelStat FY;
};

class TkPlotChannelCustom : public TkPlotReadoutChannel, public TkPlotAxisData {
    PUBLISHED_CLASS(TkPlotChannelCustom);

public:
    TkPlotChannelCustom(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // How the channel reaches its axes by name; none: it has no axes.
    TkPlotChannelAxisFinder AxisFinder;

    // ---- points
    // Every way of adding a point ends here; answers the storage position
    // the list wrote.
    int AddPointCore(double X, double Y, bool Null, bool Empty);
    virtual int AddXY(double X, double Y);
    void Clear();
    void ClearData() override { Clear(); }
    // ---- the plot's data files and log
    int DataPointCount() const override { return GetCount(); }
    TkPlotDataPoint DataPoint(int Index) const override
    {
        return {GetDataX(Index), GetDataY(Index), GetDataNull(Index), GetDataEmpty(Index)};
    }
    void AppendDataPoint(const TkPlotDataPoint& Point) override;
    std::string DataTitle() const override { return FTitleText; }
    int GetCount() const { return FList->Count(); }
    double GetDataX(int Index) const { return FList->GetX(Index); }
    double GetDataY(int Index) const { return FList->GetY(Index); }
    void SetDataX(int Index, double Value);
    void SetDataY(int Index, double Value);
    bool GetDataNull(int Index) const { return FList->GetNull(Index); }
    bool GetDataEmpty(int Index) const { return FList->GetEmpty(Index); }
    void SetDataNull(int Index, bool Value);
    void SetDataEmpty(int Index, bool Value);
    // Neither null nor empty.
    bool GetDataValid(int Index) const { return !FList->GetNull(Index) && !FList->GetEmpty(Index); }
    void GetDataPoint(int Index, double& X, double& Y, bool& Empty, bool& Null) const;
    // The attributes of one point (the list-wide ones where the list keeps
    // none per point).
    TkPlotDataAttributes GetDataAttributes(int Index) const { return FList->GetPointAttributes(Index); }
    int GetFirstIndex() const { return GetCount() == 0 ? -1 : 0; }
    int GetLastIndex() const { return GetCount() - 1; }
    double GetFirstX() const { return GetCount() == 0 ? -1.0 : GetDataX(0); }
    double GetLastX() const { return GetCount() == 0 ? -1.0 : GetDataX(GetCount() - 1); }
    double GetLastY() const { return GetCount() == 0 ? -1.0 : GetDataY(GetCount() - 1); }
    int GetDataPointSize() const { return FList->ElementSize(); }
    int GetMaxDataPoints() const { return FList->MaxCapacity(); }
    int GetPointCapacity() const { return FList->Capacity(); }
    std::int64_t GetMemoryUsed() const { return FList->GetMemorySize(); }
    // Bytes of the point list's summary (none until a long trace was drawn).
    std::int64_t GetSummaryMemoryUsed() const { return FList->GetSummaryMemorySize(); }

    // ---- statistics over the valid points added since the last Clear
    // (CalcStats recomputes them over the points held now)
    void CalcStats();
    int GetStatsCount() const { return FStats.Count(); }
    double GetXMin() const { return FStats.X().Min; }
    double GetXMax() const { return FStats.X().Max; }
    double GetXMean() const { return FStats.X().Mean(FStats.Count()); }
    double GetYMin() const { return FStats.Y().Min; }
    double GetYMax() const { return FStats.Y().Max; }
    double GetYMean() const { return FStats.Y().Mean(FStats.Count()); }

    // ---- axes
    TkPlotChannelAxis* GetXAxis() const override;
    TkPlotChannelAxis* GetYAxis() const;
    bool AxesAssigned() const { return GetXAxis() && GetYAxis(); }
    std::string GetXValueText(double Value) const;
    std::string GetYValueText(double Value) const;
    // The value widened by the distance MarkersSize pixels cover on the
    // axis when markers show; the value itself otherwise.
    double XPlusMarkerMargin(int Index) const;
    double XMinusMarkerMargin(int Index) const;
    double YPlusMarkerMargin(int Index) const;
    double YMinusMarkerMargin(int Index) const;
    static double LineYAtX(double X, double X1, double Y1, double X2, double Y2);
    // The screen ends A and B of the line between two value pairs, cut as
    // DrawClippedLine cuts it; false when nothing of it is drawn.
    bool ClippedLine(const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis, double X1, double Y1, double X2,
                     double Y2, TPoint& A, TPoint& B) const;
    // The values within which ClippedLine cuts nothing: the X axis' range,
    // and the Y axis' range with ClipToAxes, else the far range around it.
    struct TUncut {
        double XLo, XHi, YLo, YHi;
        bool Holds(double X, double Y) const { return X >= XLo && X <= XHi && Y >= YLo && Y <= YHi; }
    };
    TUncut UncutBox(const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis) const;
    static double LineXAtY(double Y, double X1, double Y1, double X2, double Y2);

    // ---- visible range, extents and cursor readout of the concrete channel
    virtual void CalcFirstVisibleIndex() = 0;
    virtual void CalcLastVisibleIndex() = 0;
    int GetFirstVisibleIndex() const { return FFirstVisibleIndex; }
    int GetLastVisibleIndex() const { return FLastVisibleIndex; }
    virtual double GetXMaxExtent() = 0;
    virtual double GetXMinExtent() = 0;
    virtual double GetYMaxExtentVisible() = 0;
    virtual double GetYMinExtentVisible() = 0;
    const std::string& GetCursorReadout() const override { return FCursorReadout; }
    // The X and Y texts of the last cursor update, as a legend shows them.
    const std::string& GetCursorXText() const { return FCursorXText; }
    const std::string& GetCursorYText() const { return FCursorYText; }
    // Narrows Minimum and Maximum to this channel's values along the axis,
    // when the channel is drawn against it: the running statistics with
    // Running, else the extents (Y over the visible range).
    void NarrowToAxisExtent(const TkPlotObject& Axis, bool Running, double& Minimum, double& Maximum) override;

    // ---- drawing over the visible index range
    // The polyline through the valid points; a null point breaks it.
    virtual void DrawTrace(TCanvas* Canvas, TColor BackColor);
    virtual void DrawMarkers(TCanvas* Canvas, TColor BackColor);
    // Whether point Index gets a marker, and the square it is drawn in.
    bool MarkerShown(int Index) const;
    // The channel's marker, as every point without attributes of its own
    // gets it, centred in Cell (a legend's sample).
    void DrawLegendMarker(TCanvas* Canvas, const TRect& Cell) override;
    bool LegendMarkerShown() const override { return GetMarkersVisible(); }
    TRect MarkerRect(int Index) const;
    // Whether the mouse can pick point Index, and where it is on screen:
    // its marker here, its bar in a channel that draws bars.
    virtual bool PointPickable(int Index) const { return MarkerShown(Index); }
    virtual TRect PointRect(int Index) const { return MarkerRect(Index); }
    virtual bool PointsPickable() const { return GetMarkersVisible(); }
    // Where the marker of point Index sits on the Y axis.
    virtual double MarkerY(int Index) const { return GetDataY(Index); }

    // ---- log and files (the log's settings are published below)
    // The channel's configuration file (TkPlotChannelPropertyFile).
    void SavePropertiesToFile(const std::string& FileName);
    void LoadPropertiesFromFile(const std::string& FileName);
    void LogActivate(bool Append);
    void LogDeactivate();
    void SaveDataToFile(const std::string& FileName) const;
    // Reads the whole file first: a line that does not read leaves the
    // channel as it was.
    void LoadDataFromFile(const std::string& FileName, bool ClearFirst = true);

    // ---- published properties; the trace and marker attributes live in
    // the point list.
    PUBLISHED(std::string, TitleText, "", DoChange());
    PUBLISHED(bool, VisibleInLegend, true, DoChange());
    PUBLISHED(bool, ClipToAxes, false, DoChange());
    PUBLISHED(bool, ShowDataPointHints, false, DoChange());
    PUBLISHED(bool, UserCanMoveDataPoints, false, DoChange());
    PUBLISHED(TkPlotChannelDataPointMoveStyle, UserCanMoveDataPointsStyle, kpcdpmsXandY, DoChange());
    // A change drops a drag: points may be dropped or renumbered.
    int GetRingBufferSize() const { return FList->GetRingBufferSize(); }
    void SetRingBufferSize(int Value);
    PUBLISHED_ACCESSORS(int, RingBufferSize, 0);
    PUBLISHED(bool, TraceVisible, true, DoChange());
    PUBLISHED_VIA(TColor, Color, FList->Attributes.Color, SetAttribute(FList->Attributes.Color, Value), clRed);
    PUBLISHED_VIA(TkPlotLineStyle, TraceLineStyle, TkPlotLineStyle(FList->Attributes.TraceLineStyle),
                  SetAttribute(FList->Attributes.TraceLineStyle, Value), kplsSolid);
    PUBLISHED_VIA(int, TraceLineWidth, FList->Attributes.TraceLineWidth,
                  SetAttribute(FList->Attributes.TraceLineWidth, Value), 1);
    PUBLISHED(bool, MarkersAllowIndividual, false, DoChange());
    PUBLISHED(bool, MarkersPenUseChannelColor, true, DoChange());
    PUBLISHED(bool, MarkersBrushUseChannelColor, true, DoChange());
    PUBLISHED_NODEFAULT(int, MarkersTurnOffLimit, 0, DoChange());
    PUBLISHED_VIA(bool, MarkersVisible, FList->Attributes.MarkersVisible,
                  SetAttribute(FList->Attributes.MarkersVisible, Value), false);
    PUBLISHED_VIA(int, MarkersSize, FList->Attributes.MarkersSize, SetAttribute(FList->Attributes.MarkersSize, Value),
                  3);
    PUBLISHED_VIA(TkPlotMarkerStyle, MarkersStyle, TkPlotMarkerStyle(FList->Attributes.MarkersStyle),
                  SetAttribute(FList->Attributes.MarkersStyle, Value), kpmsCircle);
    PUBLISHED_VIA(TColor, MarkersPenColor, FList->Attributes.MarkersPenColor,
                  SetAttribute(FList->Attributes.MarkersPenColor, Value), clRed);
    PUBLISHED_VIA(TPenStyle, MarkersPenStyle, TPenStyle(FList->Attributes.MarkersPenStyle),
                  SetAttribute(FList->Attributes.MarkersPenStyle, Value), psSolid);
    PUBLISHED_VIA(int, MarkersPenWidth, FList->Attributes.MarkersPenWidth,
                  SetAttribute(FList->Attributes.MarkersPenWidth, Value), 0);
    PUBLISHED_VIA(TColor, MarkersBrushColor, FList->Attributes.MarkersBrushColor,
                  SetAttribute(FList->Attributes.MarkersBrushColor, Value), clRed);
    PUBLISHED_VIA(TBrushStyle, MarkersBrushStyle, TBrushStyle(FList->Attributes.MarkersBrushStyle),
                  SetAttribute(FList->Attributes.MarkersBrushStyle, Value), bsSolid);
    PUBLISHED_FONT(MarkersFont, (TkFontLook{.Style = TFontStyles{fsBold}, .Color = clWhite}), DoChange());
    PUBLISHED(std::string, XAxisName, "", DoChange());
    PUBLISHED(std::string, YAxisName, "", DoChange());
    PUBLISHED(bool, XAxisTrackingEnabled, true, DoChange());
    PUBLISHED(bool, YAxisTrackingEnabled, true, DoChange());
    // Not while logging.
    const std::string& GetLogFileName() const { return FLogFileName; }
    void SetLogFileName(const std::string& Value);
    PUBLISHED_ACCESSORS(std::string, LogFileName);
    PUBLISHED(int, LogBufferSize, 0, );
    bool GetLoggingActive() const { return FLoggingActive; }
    PUBLISHED_READONLY(bool, LoggingActive);
    // Why points are kept off the log file now, naming the file; once
    // logging stopped with points unwritten, what was lost. Empty while
    // every point is on disk.
    const std::string& GetLogFailure() const { return FLogFile.Failure(); }
    // A new list of that style takes the attributes and the ring size; the
    // points go, after what the log still owes is written.
    TkPlotDataStyle GetDataStyle() const { return FDataStyle; }
    void SetDataStyle(TkPlotDataStyle Value);
    PUBLISHED_ACCESSORS(TkPlotDataStyle, DataStyle);

    // Follows the rename of its axes.
    void ObjectRenamed(TkPlotObject* Object) override;
    // Gives up the focus to any other object but a legend or a data cursor
    // bound to this channel.
    void ObjectFocused(TkPlotObject* Object) override;
    void BuildPopupMenu(TPopupMenu* Menu) override;

    // ---- the legend entry, and in select mode the markers under the mouse
    // What a legend lists of the channel, with the texts of its last cursor
    // readout.
    TkPlotLegendChannelData LegendData() const override;
    // The published title, colour and axis names, as readers of the
    // channel ask for them.
    std::string TitleText() const override { return FTitleText; }
    TColor TraceColor() const override { return GetColor(); }
    std::string XAxisName() const override { return FXAxisName; }
    std::string YAxisName() const override { return FYAxisName; }
    // Where a legend shows the channel's name (empty: not shown).
    const TRect& GetLegendRect() const { return FLegendRect; }
    void SetLegendRect(const TRect& Value) override { FLegendRect = Value; }
    bool HitTest(const TkPlotMouseData& Mouse) override;
    int GetHitPointIndex() const { return FHitPointIndex; }
    bool GetDragging() const { return FDragging; }
    TCursor GetMouseCursor(TPoint P) override;

protected:
    ~TkPlotChannelCustom() override;

    TkPlotDataCustomList& List() const { return *FList; }
    void SetVisibleIndexes(int First, int Last)
    {
        FFirstVisibleIndex = First;
        FLastVisibleIndex = Last;
    }
    // Sets a list-wide attribute, kept in the list's own type, and signals
    // a change (no equality test).
    template <class F, class V> void SetAttribute(F& Field, V Value)
    {
        Field = static_cast<F>(Value);
        DoChange();
    }
    // Keeps a cursor update's texts and the readout that the cursor's style
    // shows of them; Inverse is the readout of the frequency style.
    void KeepCursorTexts(const TkPlotDataCursor& Cursor, std::string XText, std::string YText,
                         const std::string& Inverse);
    // While Keeper lives, the canvas draws only within the axes' ranges
    // when the channel clips to its axes (which it must have).
    void KeepWithinAxes(TCanvas* Canvas, std::optional<TkPlotClipKeeper>& Keeper) const;
    // Walks the line through the points First..Last: Segment(Index, X1,
    // Y1, X2, Y2) joins each valid point Index to the valid point before
    // it. Empty points are passed over and a null point breaks the line.
    // Gives the last point when the line is still open at Last.
    template <class F> std::optional<std::pair<double, double>> ForEachSegment(int First, int Last, F Segment) const
    {
        std::optional<std::pair<double, double>> previous;
        for (int i = First; i <= Last && First >= 0; ++i) {
            if (GetDataEmpty(i))
                continue;
            if (GetDataNull(i)) {
                previous.reset();
                continue;
            }
            const double x = GetDataX(i), y = GetDataY(i);
            if (previous)
                Segment(i, previous->first, previous->second, x, y);
            previous.emplace(x, y);
        }
        return previous;
    }
    // The screen position of a value pair; needs both axes. The axes
    // swap places on screen when the plot reverses them.
    TPoint ScreenPoint(double X, double Y) const;
    TPoint ScreenPoint(const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis, double X, double Y) const;
    // The line between two value pairs, always cut to the X axis' range,
    // and to the Y axis' range with ClipToAxes; without it, ends far
    // beyond the Y axis are pulled in along the line, so that no screen
    // position grows without bound.
    void DrawClippedLine(TCanvas* Canvas, double X1, double Y1, double X2, double Y2);
    // The same on the channel's axes as found by the caller: a trace of
    // thousands of lines looks its axes up by name once, not per line.
    void DrawClippedLine(TCanvas* Canvas, const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis, double X1,
                         double Y1, double X2, double Y2);
    // A value pair pulled into the range beyond which screen positions
    // stop meaning anything (see DrawClippedLine).
    double FarX(double X) const;
    double FarY(double Y) const;
    // A polygon in values, cut to that range, as screen points.
    std::vector<TPoint> ScreenPolygon(std::vector<std::pair<double, double>> Corners) const;
    void DrawMarker(TCanvas* Canvas, int Index, TPoint Centre);
    void DrawMarkerShape(TCanvas* Canvas, TkPlotDataAttributes Attributes, TPoint Centre);
    // The channel's trace pen: colour, style and width (1 as the thin pen).
    void UseTracePen(TCanvas* Canvas, TColor Color, TkPlotLineStyle Style, int Width) const;
    // The channel's own trace pen, over a clear brush.
    void UseChannelPen(TCanvas* Canvas) const;
    // The translated word of a readout ("Null", "No Y-Axis", ...).
    std::string Word(const std::string& Text) const { return TranslateText(Text); }
    // Over a picked point: the plot hears of it, and with
    // ShowDataPointHints the point's values become the hint.
    void DoMouseHover(const TkPlotMouseData& Mouse) override;
    void DoMouseLeftDown(const TkPlotMouseData& Mouse) override;
    void DoMouseDrag(const TkPlotMouseData& Mouse) override;
    void DoMouseUp(const TkPlotMouseData& Mouse) override;

private:
    void TrackAxes(double X, double Y, bool Null, bool Empty);
    // The point's X (or Y) moved by Sign times a marker's size on its axis.
    double MarkerMargin(int Index, bool OnX, double Sign) const;
    // Writes the pending points to the log file; false when the disk
    // refused some, which stay pending.
    bool FlushLog();
    void CancelDrag();
    // Values that lie within this many axis spans beyond an axis' range
    // still get their true screen position.
    static constexpr double FarSpans = 10;
    // An axis' range widened by FarSpans of its span on either side.
    struct TFarRange {
        double Lo, Hi;
    };
    static TFarRange FarRange(const TkPlotChannelAxis& Axis);
    bool WithinFarRange(double X, double Y) const;

    std::unique_ptr<TkPlotDataCustomList> FList;
    TkPlotDataStyle FDataStyle = kpdsStandard;
    int FFirstVisibleIndex = -1;
    int FLastVisibleIndex = -1;
    bool FLoggingActive = false;
    // Points added since the last write-out, as they were added: a full
    // ring may drop them from the list before a refusing disk takes them.
    std::deque<TkPlotDataPoint> FPendingLog;
    TkPlotLogFile FLogFile;
    std::string FLogFileName;
    TkPlotChannelStats FStats;
    TRect FLegendRect;
    int FHitPointIndex = -1;
    TRect FHitPointRect;
    // A drag of a data point; dropped when the points under it move or go.
    bool FDragging = false;
    int FDragPointIndex = -1;
    TRect FDragRect;
    double FDragStartX = 0;
    double FDragStartY = 0;
    TPoint FDragStartMouse;
    std::string FCursorReadout;
    std::string FCursorXText;
    std::string FCursorYText;
};
