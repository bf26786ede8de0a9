#include "ui/Pen.h"

void TPen::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value)
{
    if (Value < 0)
        Value = 0;
    if (Value == FWidth)
        return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (Value == FMode)
        return;
    FMode = Value;
    Changed();
}

void TPen::Assign(const TPersistent* Source)
{
    if (auto* Other = dynamic_cast<const TPen*>(Source)) {
        FColor = Other->FColor;
        FWidth = Other->FWidth;
        FStyle = Other->FStyle;
        FMode = Other->FMode;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}
