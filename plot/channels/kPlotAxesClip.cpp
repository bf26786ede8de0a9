#include "plot/channels/kPlotAxesClip.h"

#include "plot/core/kGPFunctions.h"
#include "ui/Canvas.h"

TRect AxesRect(const TkPlotChannelAxis& XAxis, const TkPlotChannelAxis& YAxis, bool Reverse)
{
    TRect r = OrientedRect(Reverse, XAxis.ValueToPixel(XAxis.GetMin()), YAxis.ValueToPixel(YAxis.GetMin()),
                           XAxis.ValueToPixel(XAxis.GetMax()), YAxis.ValueToPixel(YAxis.GetMax()));
    // A rectangle leaves out its right and bottom edges; a line at Max is
    // still inside.
    ++r.Right;
    ++r.Bottom;
    return r;
}

TkPlotClipKeeper::TkPlotClipKeeper(TCanvas* Canvas)
    : FCanvas(Canvas),
      FHadClip(Canvas->HasClipRect()),
      FClip(Canvas->GetClipRect())
{
}

TkPlotClipKeeper::~TkPlotClipKeeper()
{
    if (FHadClip)
        FCanvas->SetClipRect(FClip);
    else
        FCanvas->RemoveClipRect();
}
