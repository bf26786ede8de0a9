#include "ui/Image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), Picture(new TBitmap)
{
    Picture->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage()
{
    delete Picture;
}

void TImage::SetPicture(const TBitmap* Value)
{
    if (Value)
        Picture->Assign(Value);
    else
        Picture->SetSize(0, 0);
    Picture->SetTransparent(FTransparent);
    Invalidate();
}

void TImage::SetStretch(bool Value)
{
    FStretch = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value)
{
    FCenter = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    FTransparent = Value;
    Picture->SetTransparent(Value);
    Invalidate();
}

void TImage::Paint()
{
    TGraphicControl::Paint();
    if (Picture->GetEmpty())
        return;
    if (FStretch) {
        Canvas->StretchDraw(GetClientRect(), Picture);
        return;
    }
    const int X = FCenter ? (GetWidth() - Picture->GetWidth()) / 2 : 0;
    const int Y = FCenter ? (GetHeight() - Picture->GetHeight()) / 2 : 0;
    Canvas->Draw(X, Y, Picture);
}
