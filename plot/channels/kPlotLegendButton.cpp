#include "plot/channels/kPlotLegendButton.h"

#include "plot/core/kGPFunctions.h"
#include "ui/Canvas.h"

TkPlotLegendButton::TkPlotLegendButton(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks, bool AUp)
    : TkPlotButton(AOwner, Callbacks),
      FUp(AUp)
{
    AutoRepeat = true;
}

void TkPlotLegendButton::Draw(TCanvas* Canvas, TColor)
{
    const TRect& r = GetDrawRect();
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(1);
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(clBtnFace);
    Canvas->FillRect(r);
    DrawBorder(Canvas, r, GetPressed() ? 0 : 1);
    const TColor colour = GetEnabled() ? clBlack : clGray;
    Canvas->Pen->SetColor(colour);
    Canvas->Brush->SetColor(colour);
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    if (FUp)
        Canvas->Polygon({{cx - 4, cy + 2}, {cx + 4, cy + 2}, {cx, cy - 2}});
    else
        Canvas->Polygon({{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2}});
}
