#pragma once
// The chart control that forms and the application place: a plot
// component whose channels are trace channels and which starts with a
// ready set of objects (toolbar, legend, one X and one Y axis, one channel,
// a data view, a data cursor and a title label), so that a fresh plot
// already shows a titled, labelled chart.
#include "plot/channels/kPlotChannel.h"
#include "plot/core/kPlotComponent.h"

class TkPlot : public TkPlotComponent {
public:
    explicit TkPlot(TComponent* AOwner);

    // The channel at Index of the channel manager.
    TkPlotChannel* Channel(int Index) const { return static_cast<TkPlotChannel*>(GetChannel(Index)); }

    bool IsPublishedPlot() const override { return true; }

private:
    void AddDefaultObjects();
};
