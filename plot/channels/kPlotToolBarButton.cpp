#include "plot/channels/kPlotToolBarButton.h"

#include "plot/channels/kPlotToolBarGlyphs.h"
#include "plot/core/kGPFunctions.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"

TkPlotToolBarButton::TkPlotToolBarButton(TkPlotObject* AToolBar, TImageList* AImages, TkPlotObjectOwner* AOwner,
                                         const TkPlotObjectCallbacks& Callbacks, TkPlotToolBarButtonType AType,
                                         bool ASeparator, const std::string& AHint)
    : TkPlotButton(AOwner, Callbacks),
      FToolBar(AToolBar),
      FImages(AImages),
      FType(AType),
      FSeparator(ASeparator),
      FHint(AHint)
{
}

void TkPlotToolBarButton::SetGlyphName(const std::string& Value)
{
    FGlyphName = Value;
    FImageIndex = -1;
}

void TkPlotToolBarButton::MouseMove(TShiftState Shift, TPoint Client, TkPlotHintData* Hint)
{
    TkPlotButton::MouseMove(Shift, Client, Hint);
    FHot = true;
    if (FFlat)
        InvalidateNow();
}

void TkPlotToolBarButton::DoMouseHover(const TkPlotMouseData& Mouse)
{
    if (!Mouse.Hint || FSeparator)
        return;
    const std::string text = TranslateText(FHint);
    const TSize size = GetOwner() ? GetOwner()->HintTextExtent(text) : TSize(0, 0);
    const TRect& r = GetDrawRect();
    Mouse.Hint->Text = text;
    Mouse.Hint->Rect = TRect(r.Left, r.Bottom + 3, r.Left + size.cx + 4, r.Bottom + 3 + size.cy + 4);
    if (GetOwner())
        GetOwner()->DoToolBarCustomizeHint(FToolBar, Mouse.Hint->Text);
}

void TkPlotToolBarButton::DoMouseLeave()
{
    FHot = false;
    InvalidateNow();
}

void TkPlotToolBarButton::LoadGlyph()
{
    if (FImageIndex != -1 || FGlyphName.empty())
        return;
    TBitmap picture;
    if (TkPlotToolBarGlyphs::Load(FGlyphName, picture))
        FImageIndex = FImages->AddMasked(&picture, clTeal);
}

void TkPlotToolBarButton::DrawFrame(TCanvas* Canvas, TColor TopLeft, TColor BottomRight) const
{
    const TRect& r = GetDrawRect();
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(1);
    Canvas->Pen->SetColor(TopLeft);
    Canvas->MoveTo(r.Left, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Top);
    Canvas->LineTo(r.Right - 1, r.Top);
    Canvas->Pen->SetColor(BottomRight);
    Canvas->LineTo(r.Right - 1, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Bottom - 1);
}

void TkPlotToolBarButton::Draw(TCanvas* Canvas, TColor)
{
    if (FSeparator)
        return;
    LoadGlyph();
    const TRect& r = GetDrawRect();
    TImageList* images = FImages;
    const int glyphX = r.Left + r.Width() / 2 - images->GetWidth() / 2;
    const int glyphY = r.Top + r.Height() / 2 - images->GetHeight() / 2;
    const bool in = GetPressed() || GetDown();
    // Pressed and down buttons sit on a face a shade lighter than grey.
    constexpr TColor pressedFace = TColor(0xFFFFFF - 0x101010);
    auto fillFace = [&] {
        Canvas->Brush->SetStyle(bsSolid);
        Canvas->Brush->SetColor(pressedFace);
        Canvas->FillRect(r);
    };
    int shift = 0;
    if (!FFlat) {
        if (in) {
            fillFace();
            DrawBorder(Canvas, r, 0);
            shift = 1;
        } else {
            DrawBorder(Canvas, r, 1);
        }
    } else {
        if (in && !FHot)
            fillFace();
        if (GetEnabled()) {
            if (in) {
                DrawFrame(Canvas, clBtnShadow, clBtnHighlight);
                shift = 1;
            } else if (FHot) {
                DrawFrame(Canvas, clBtnHighlight, clBtnShadow);
            }
        }
    }
    images->Draw(Canvas, glyphX + shift, glyphY + shift, FImageIndex, GetEnabled());
}
