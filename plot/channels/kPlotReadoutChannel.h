#pragma once
// A channel as the objects that read it out see it: a data cursor asks it
// for the readout at its pointers and snaps to its points, a legend lists
// its name, colour, axes and figures. The channel classes answer; the
// cursor and the legend know no more of them than this.
#include <string>

#include "plot/core/kPlotDataPoints.h"
#include "plot/core/kPlotManagerObject.h"
#include "ui/Pen.h"

class TCanvas;
class TkPlotChannelAxis;
class TkPlotDataCursor;

// What a legend lists of a channel besides its name, title, colour and
// axes: whether it is listed, its points and running statistics, its trace
// style and the readouts a data cursor left in it.
struct TkPlotLegendChannelData {
    bool VisibleInLegend = true;
    int Count = 0;
    double LastX = 0;
    double LastY = 0;
    double YMax = 0;
    double YMin = 0;
    double YMean = 0;
    TPenStyle TraceLineStyle = psSolid;
    std::string CursorXText;
    std::string CursorYText;
};

namespace TkPlotObjectKind {
extern const TkPlotKind Channel;
}  // namespace TkPlotObjectKind

class TkPlotReadoutChannel : public TkPlotManagerObject, public TkPlotDataPoints {
public:
    TkPlotReadoutChannel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotManagerObject(AOwner, Callbacks, TkPlotObjectKind::Channel)
    {
    }

    // ---- what a data cursor reads
    // Works out the readout at the cursor's pointers, hands the cursor its
    // values and keeps the texts.
    virtual void UpdateCursorValues(TkPlotDataCursor* Cursor) = 0;
    // The readout of the last update, as the cursor's hint shows it.
    virtual const std::string& GetCursorReadout() const = 0;
    // The axis a pointer's X is read and snapped on; none: no X axis. The
    // points snapped to are read as the data files read them.
    virtual TkPlotChannelAxis* GetXAxis() const = 0;
    // Whether a data cursor's pointers snap to the channel's points, and
    // the index of the point nearest to X there (-1: none).
    virtual bool SnapsCursor() const { return false; }
    virtual int NearestIndex(double /*X*/) const { return -1; }

    // ---- what a legend lists and a cursor's menu and pointers show
    virtual std::string TitleText() const = 0;
    virtual TColor TraceColor() const = 0;
    virtual std::string XAxisName() const = 0;
    virtual std::string YAxisName() const = 0;
    virtual TkPlotLegendChannelData LegendData() const = 0;
    // Whether a legend draws the channel's marker, as DrawLegendMarker
    // draws it centred in Cell.
    virtual bool LegendMarkerShown() const = 0;
    virtual void DrawLegendMarker(TCanvas* Canvas, const TRect& Cell) = 0;
    // Where a legend shows the channel's name (empty: not shown).
    virtual void SetLegendRect(const TRect& Value) = 0;

protected:
    ~TkPlotReadoutChannel() override = default;
};
