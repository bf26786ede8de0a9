#pragma once
// The gaps of the hatched fills one object draws (a limit's band, an
// annotation's shape) painted in the background colour it was given, so
// that the hatch hides what lies beneath; the brush's gaps are as before
// when the keeper goes, and the objects drawn next keep their own hatches.
#include "ui/Canvas.h"

class TkPlotHatchGaps {
public:
    TkPlotHatchGaps(TCanvas* Canvas, TColor Background)
        : FBrush(Canvas->Brush),
          FBefore(Canvas->Brush->GetHatchBackColor())
    {
        FBrush->SetHatchBackColor(Background);
    }
    ~TkPlotHatchGaps() { FBrush->SetHatchBackColor(FBefore); }
    TkPlotHatchGaps(const TkPlotHatchGaps&) = delete;
    TkPlotHatchGaps& operator=(const TkPlotHatchGaps&) = delete;

private:
    TBrush* FBrush;
    TColor FBefore;
};
