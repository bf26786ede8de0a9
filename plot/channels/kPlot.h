#pragma once
// The chart control that forms and the application place: a plot
// component whose channels are trace channels and which starts with a
// ready set of objects (toolbar, legend, one X and one Y axis, one channel,
// a data view, a data cursor and a title label), so that a fresh plot
// already shows a titled, labelled chart.
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kXYPlotChannel.h"
#include "plot/core/kPlotComponent.h"

class TkPlot : public TkPlotComponent {
public:
    explicit TkPlot(TComponent* AOwner);

    // The channel at Index of the channel manager, as a trace channel or
    // as an X-Y channel; none when it is of the other class.
    TkPlotChannel* Channel(int Index) const { return dynamic_cast<TkPlotChannel*>(GetChannel(Index)); }
    TkXYPlotChannel* XYChannel(int Index) const { return dynamic_cast<TkXYPlotChannel*>(GetChannel(Index)); }
    // An X-Y channel beside the trace channels; answers its index.
    int AddXYChannel();

    bool IsPublishedPlot() const override { return true; }

private:
    void AddDefaultObjects();
};
