#include "plot/core/kCheckBox.h"

#include "plot/core/kGPFunctions.h"
#include "ui/Bitmap.h"
#include "ui/Keys.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkCheckBox, TkCustomComponent>("TkCheckBox");
    return true;
}();

constexpr int BoxSize = 13;

}  // namespace

TkCheckBox::TkCheckBox(TComponent* AOwner) : TkCustomComponent(AOwner)
{
    (void)Registered;
    SetTabStop(true);
    SetBounds(GetLeft(), GetTop(), 97, 17);
}

void TkCheckBox::SetText(const std::string& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    AdjustSize();
    InvalidateChange();
}

void TkCheckBox::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    InvalidateChange();
    DoChange();
    SendOPCValue("Checked", TkVariant(Value));
}

void TkCheckBox::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    InvalidateChange();
}

void TkCheckBox::SetAutoSize(bool Value)
{
    if (Value == FAutoSize)
        return;
    FAutoSize = Value;
    AdjustSize();
}

void TkCheckBox::FontChanged()
{
    AdjustSize();
    TkCustomComponent::FontChanged();
}

void TkCheckBox::AdjustSize()
{
    if (!FAutoSize || IsLoading() || FSizing)
        return;
    FSizing = true;
    TBitmap measure(1, 1);
    measure.Canvas->Font->Assign(Font);
    const int width = measure.Canvas->TextWidth(FCaption) + 20;
    const int height = measure.Canvas->TextHeight(FCaption) + 4;
    // With the box on the right the right edge stays where it was.
    const int left = FAlignment == taLeftJustify ? GetLeft() + GetWidth() - width : GetLeft();
    SetBounds(left, GetTop(), width, height);
    FSizing = false;
}

void TkCheckBox::DoChange()
{
    if (IsLoading())
        return;
    if (OnChange)
        OnChange(this);
    if (!FUserChange)
        return;
    if (OnChangeUser)
        OnChangeUser(this);
    UserChanged();
}

void TkCheckBox::ToggleByUser()
{
    FUserChange = true;
    try {
        SetChecked(!FChecked);
    } catch (...) {
        FUserChange = false;
        throw;
    }
    FUserChange = false;
}

void TkCheckBox::HandleKeyDown(std::uint16_t& Key, TShiftState)
{
    if (Key == VK_SPACE && !FKeyPressed) {
        FKeyPressed = true;
        InvalidateChange();
    }
}

void TkCheckBox::HandleKeyUp(std::uint16_t& Key, TShiftState)
{
    if (Key != VK_SPACE || !FKeyPressed)
        return;
    FKeyPressed = false;
    InvalidateChange();
    ToggleByUser();
}

void TkCheckBox::HandleMouseDown(TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft)
        return;
    if (CanFocus())
        SetFocus();
    FMousePressed = true;
    InvalidateChange();
}

void TkCheckBox::HandleMouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft || !FMousePressed)
        return;
    FMousePressed = false;
    InvalidateChange();
    if (X >= 0 && Y >= 0 && X < GetWidth() && Y < GetHeight())
        ToggleByUser();
}

void TkCheckBox::HandleLostFocus()
{
    TkCustomComponent::HandleLostFocus();
    FMousePressed = false;
    FKeyPressed = false;
    InvalidateChange();
}

void TkCheckBox::PaintToCanvas(TCanvas* ACanvas)
{
    const int width = GetWidth();
    const int height = GetHeight();
    ACanvas->Brush->SetStyle(bsSolid);
    ACanvas->Brush->SetColor(GetBackGroundColor());
    ACanvas->FillRect(TRect(0, 0, width, height));

    const int centre = height / 2;
    const bool boxLeft = FAlignment == taRightJustify;
    const int x = boxLeft ? 0 : width - BoxSize;
    const TRect box(x, centre - 7, x + BoxSize, centre + 6);
    const bool pressed = FMousePressed || FKeyPressed;
    ACanvas->Brush->SetColor(GetEnabled() && !pressed ? clWhite : GetBackGroundColor());
    ACanvas->FillRect(box);
    ::DrawBorder(ACanvas, box, 0);

    if (FChecked) {
        ACanvas->Pen->SetStyle(psSolid);
        ACanvas->Pen->SetWidth(1);
        ACanvas->Pen->SetColor(GetEnabled() ? clBlack : clBtnShadow);
        for (int up = 0; up <= 2; ++up)
            ACanvas->Polyline(
                {TPoint(x + 3, centre - up), TPoint(x + 5, centre + 2 - up), TPoint(x + 10, centre - 3 - up)});
    }

    ACanvas->Font->Assign(Font);
    ACanvas->Brush->SetStyle(bsClear);
    TRect text = boxLeft ? TRect(18, 0, width, height) : TRect(1, 0, width - BoxSize - 3, height);
    DrawFormattedText(ACanvas, FCaption, text, ktfVCenter | ktfSingleLine, GetEnabled());
    if (GetFocused()) {
        TRect measured = text;
        DrawFormattedText(ACanvas, FCaption, measured, ktfCalcRect | ktfSingleLine, true);
        const int top = centre - (measured.Bottom - measured.Top) / 2;
        DrawFocusRectangle(
            ACanvas, TRect(text.Left - 1, top - 1, measured.Right + 1, top + (measured.Bottom - measured.Top) + 1));
    }
}
