#pragma once
// The trace channel that the plot creates by default: Y against X, with
// the X values running in one direction. It checks the X order of new
// points, looks up Y at an X, finds the visible index range and the
// extents the axes fit to, and computes a data cursor's readout.
#include <string>

#include "plot/channels/kPlotChannelCustom.h"
#include "rtl/DateTime.h"

enum TkPlotInterpolationStyle {
    kpistStraightLine,
    kpistCubicSpline,
    kpistPolynomial,
    kpistRational,
    kpistDifferential,
    kpistDifferentialTerminated,
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

    TDateTime FStartTime;
    bool FFastDrawEnabled = true;
    bool FAllowOutOfOrderXValues = true;
    bool FDrawOutOfOrderXValues = false;
    bool FResetStartTimeOnFirstDataPoint = false;
    TkPlotInterpolationStyle FInterpolationStyle = kpistStraightLine;
    bool FDigitalEnabled = false;
    std::string FCursorReadout;
};
