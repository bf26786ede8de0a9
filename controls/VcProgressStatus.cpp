#include "controls/VcProgressStatus.h"

#include <algorithm>

TVcProgressStatus::TVcProgressStatus(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetAlign(alRight);
    SetWidth(100);
}

void TVcProgressStatus::SetPartsComplete(int Value)
{
    FPartsComplete = std::clamp(Value, 0, FTotalParts);
    Invalidate();
}

void TVcProgressStatus::SetTotalParts(int Value)
{
    FTotalParts = std::max(1, Value);
    FPartsComplete = std::min(FPartsComplete, FTotalParts);
    Invalidate();
}

void TVcProgressStatus::Paint()
{
    const int W = GetClientWidth();
    const int H = GetClientHeight();
    Canvas->Brush->Color = clBtnFace;
    Canvas->FillRect(Rect(0, 0, W, H));
    Canvas->Brush->Color = clHighlight;
    const int Inner = W - 4;
    for (int i = 0; i < FPartsComplete; ++i) {
        const int Left = 2 + Inner * i / FTotalParts;
        const int Right = 2 + Inner * (i + 1) / FTotalParts - 1;
        Canvas->FillRect(Rect(Left, 3, Right, H - 3));
    }
    Canvas->Brush->Color = clGray;
    Canvas->FrameRect(Rect(0, 0, W, H));
}
