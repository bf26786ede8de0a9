#pragma once
// A plot axis as its channels see it, and the finder that gives a channel
// the axes of its plot by kind and name.
#include "plot/channels/kPlotChannelAxis.h"

class TkPlotAxis;
class TkPlotMasterManager;

class TkPlotAxisLink : public TkPlotChannelAxis {
public:
    TkPlotAxis* Axis = nullptr;

    double GetMin() const override;
    double GetSpan() const override;
    int ValueToPixel(double Value) const override;
    double PixelToValue(int Pixel) const override;
    TkPlotPixelScale PixelScale() const override;
    std::string GetLabelText(double Value) override;
    std::string GetCursorText(double Value) override;
    std::string GetCursorPlainText(double Value) override;
    double GetCursorScaler() const override;
    void TrackNewValue(double Value) override;
};

// Looks the name up among the plot's axes of the kind (ignoring case) each
// time, so that a channel never holds an axis that has gone.
TkPlotChannelAxisFinder PlotAxisFinder(TkPlotMasterManager& Master);
