#pragma once
// The application's side of one device's chart: one stacked Y axis and one
// trace per channel, the X axis as time of day, seconds or sample numbers,
// the points of a run, tracking, the zoom box and the data cursor.
//
// The user can delete axes, channels and cursors through the plot's own
// menus, so every access by index looks first whether the object is still
// there and does nothing when it is not.
#include "rtl/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

class TkPlot;
class TkPlotAxis;
class TkPlotChannel;
class TkPlotObject;
class TkPlotToolBar;

// Axis colours of the device chart (0x00BBGGRR): RGB(0, 102, 204).
constexpr std::uint32_t DeviceChartAxisColor = 0xCC6600;

class TDeviceChart {
public:
    explicit TDeviceChart(TkPlot* Plot) : FPlot(Plot) {}

    // The stored look of the chart: what a new device frame's plot shows
    // before BuildChart.
    void ApplyStoredLayout();
    // One Y axis and one channel per instrument channel, the axes stacked
    // in equal bands with channel 1 on top.
    void Build(int ChannelCount, int RingBufferSize);
    void SetYAxisTitle(int Channel, const std::string& Title);
    // The X axis' labels and scale lines.
    void SetXAxisColor(std::uint32_t Color);
    // The Y axis of the channel from the lower to the higher range end
    // (either may be given first), with WorkDP decimals on its labels.
    void ApplyChannelRange(int Channel, double RangeLow, double RangeHigh, int WorkDP);
    // X axis: 0 time of day, 1 seconds since the start, 2 sample number;
    // Span in the format's units (see XSpanToAxisUnits).
    void SetAxisFormat(int Format, double Span, TDateTime Now);
    void SetRingBufferSize(int Size);
    // Every channel's points gone, tracking restarted.
    void ClearData();
    // Adds (X, Value) to chart channel Channel; with the time of day, the
    // first point of a channel moves the X axis to start at X.
    void AddPoint(int Channel, double X, double Value, bool TimeOfDay);
    // One point per channel at X (Values[i] to chart channel i), painted
    // in one repaint.
    void AddPoints(double X, const std::vector<double>& Values, bool TimeOfDay);
    int PointCount(int Channel) const;

    // The toolbar's actions: tracking off and on for every axis (resuming
    // also hides the cursor), the zoom box in the data view, and showing
    // the data cursor (which stops tracking and takes the focus).
    void Pause();
    void Resume();
    void SetZoomBox(bool Down);
    void SetCursorShown(bool Shown);
    bool CursorShown() const;
    // Y of chart channel Channel at the data cursor's X; false when the
    // cursor is hidden or the channel has no value there.
    bool CursorY(int Channel, double& Y) const;
    // Some axis has tracking on (On) or off (!On).
    bool AnyAxisTracking(bool On) const;

    // The X axis span in the format's units: seconds for format 1, days
    // for format 0, samples less one for format 2. TimeBase picks the unit
    // of Span: 0 s, 1 min, 2 h, 3 days, 4 months (30 days), 5 years (365
    // days). A span is never less than one sample, nor zero.
    static double XSpanToAxisUnits(double Span, int TimeBase, int Format);

private:
    TkPlotAxis* YAxis(int Index) const;
    TkPlotAxis* XAxis() const;
    TkPlotChannel* ChartChannel(int Index) const;
    TkPlotObject* Cursor() const;
    TkPlotToolBar* ToolBar() const;

    TkPlot* FPlot;
};
