#pragma once
// Drawing kept inside the rectangle that an X and a Y axis span, for the
// objects drawn against a pair of axes (limits, annotations); the clip in
// force before is back when the keeper goes.
#include "plot/channels/kPlotChannelAxis.h"
#include "rtl/Types.h"

class TCanvas;

// The pixels from each axis's Min to its Max, ends included; with Reverse
// the X axis runs down the screen and the Y axis across it.
TRect AxesRect(const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis, bool Reverse);

class TkPlotClipKeeper {
public:
    explicit TkPlotClipKeeper(TCanvas* Canvas);
    ~TkPlotClipKeeper();
    TkPlotClipKeeper(const TkPlotClipKeeper&) = delete;
    TkPlotClipKeeper& operator=(const TkPlotClipKeeper&) = delete;

private:
    TCanvas* FCanvas;
    bool FHadClip;
    TRect FClip;
};
