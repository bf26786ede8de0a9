#include "ui/Brush.h"

void TBrush::SetColor(TColor Value)
{
    if (Value == FColor && FStyle != bsClear)
        return;
    FColor = Value;
    if (FStyle == bsClear)
        FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TBrush::SetHatchBackColor(TColor Value)
{
    if (Value == FHatchBackColor)
        return;
    FHatchBackColor = Value;
    Changed();
}

void TBrush::Assign(const TPersistent* Source)
{
    if (auto* Other = dynamic_cast<const TBrush*>(Source)) {
        FColor = Other->FColor;
        FStyle = Other->FStyle;
        FHatchBackColor = Other->FHatchBackColor;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}
