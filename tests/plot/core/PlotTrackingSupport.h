#pragma once
// A plot for tracking, scrolling and zooming tests: besides the axis
// events it records finished gestures, clicks and zoom boxes, answers the
// channels' data extents, the axes of each kind and the toolbar's modes,
// and can hold a double click.
#include <vector>

#include "PlotAxisSupport.h"

struct TrackingPlot : AxisPlot {
    std::vector<TkPlotAxis*> xAxes;
    std::vector<TkPlotAxis*> yAxes;
    // The extent the channels hold (now) and held (ever); none by default.
    double lowest = 1e300, highest = -1e300;
    double runningLowest = 1e300, runningHighest = -1e300;
    bool doubleClick = false;
    bool zoomBox = false;
    bool select = false;
    bool cancelZoomBox = false;

    void DoAxisMinSpanChangeFinished(TkPlotAxis*, double OldMin, double OldSpan, double NewMin, double NewSpan) override
    {
        events.push_back("finished " + Num(OldMin) + " " + Num(OldSpan) + " " + Num(NewMin) + " " + Num(NewSpan));
    }
    void DoObjectClick(TkPlotObject* Object) override { events.push_back("click " + Object->GetName()); }
    bool DoubleClickPending() const override { return doubleClick; }
    std::vector<TkPlotAxis*> GetAxes(const TkPlotKind& Kind) override
    {
        return Kind == TkPlotObjectKind::XAxis ? xAxes : yAxes;
    }
    void GetAxisDataExtent(TkPlotAxis*, bool Running, double& Minimum, double& Maximum) override
    {
        Minimum = std::min(Minimum, Running ? runningLowest : lowest);
        Maximum = std::max(Maximum, Running ? runningHighest : highest);
    }
    bool GetZoomBoxMode() const override { return zoomBox; }
    bool GetSelectMode() const override { return select; }
    void DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel) override
    {
        events.push_back("zoombox " + Num(ZoomRect.Left) + " " + Num(ZoomRect.Top) + " " + Num(ZoomRect.Right) + " " +
                         Num(ZoomRect.Bottom));
        Cancel = cancelZoomBox;
    }

    int Count(const std::string& Prefix) const
    {
        int n = 0;
        for (const std::string& e : events)
            n += e.rfind(Prefix, 0) == 0;
        return n;
    }
};
