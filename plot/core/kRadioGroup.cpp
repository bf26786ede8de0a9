#include "plot/core/kRadioGroup.h"

#include <algorithm>

#include "plot/core/kGPFunctions.h"
#include "ui/Keys.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkRadioGroup, TkCustomComponent>("TkRadioGroup");
    return true;
}();

constexpr int CircleRadius = 6;

}  // namespace

TkRadioGroup::TkRadioGroup(TComponent* AOwner) : TkCustomComponent(AOwner), FItems(std::make_unique<TStringList>())
{
    (void)Registered;
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    SetTabStop(true);
    SetBounds(GetLeft(), GetTop(), 97, 17);
}

TkRadioGroup::~TkRadioGroup()
{
    FItems->OnChange = nullptr;
}

void TkRadioGroup::SetText(const std::string& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    InvalidateChange();
}

void TkRadioGroup::ItemsChanged()
{
    FItemIndex = std::clamp(FItemIndex, -1, FItems->Count() - 1);
    InvalidateChange();
}

void TkRadioGroup::SetItemIndex(int Value)
{
    Value = std::max(-1, std::min(Value, FItems->Count() - 1));
    if (Value == FItemIndex)
        return;
    FItemIndex = Value;
    FHotItem = Value;
    InvalidateChange();
    DoChange();
}

void TkRadioGroup::SetColumns(int Value)
{
    if (Value < 1 || Value == FColumns)
        return;
    FColumns = Value;
    InvalidateChange();
}

void TkRadioGroup::SetItemIndexByUser(int Value)
{
    FUserChange = true;
    try {
        SetItemIndex(Value);
    } catch (...) {
        FUserChange = false;
        throw;
    }
    FUserChange = false;
}

void TkRadioGroup::DoChange()
{
    if (IsLoading())
        return;
    SendOPCValue("ItemIndex", TkVariant(std::int64_t(FItemIndex)));
    if (OnChange)
        OnChange(this);
    if (!FUserChange)
        return;
    if (OnChangeUser)
        OnChangeUser(this);
    UserChanged();
}

int TkRadioGroup::ItemAtPos(int X, int Y) const
{
    return FLayout.ItemAt(X, Y);
}

void TkRadioGroup::SetHotItem(int Value)
{
    if (Value == FHotItem)
        return;
    FHotItem = Value;
    InvalidateChange();
}

void TkRadioGroup::HandleKeyDown(std::uint16_t& Key, TShiftState)
{
    const int count = FItems->Count();
    switch (Key) {
    case VK_RIGHT:
    case VK_DOWN:
        // An empty group has nothing to step to.
        if (count > 0)
            SetItemIndexByUser(FItemIndex + 1 >= count ? 0 : FItemIndex + 1);
        break;
    case VK_LEFT:
    case VK_UP:
        if (count > 0)
            SetItemIndexByUser(FItemIndex - 1 < 0 ? count - 1 : FItemIndex - 1);
        break;
    case VK_SPACE:
        FKeyPressed = true;
        InvalidateChange();
        break;
    default: break;
    }
}

void TkRadioGroup::HandleKeyUp(std::uint16_t& Key, TShiftState)
{
    if (Key == VK_SPACE && FKeyPressed) {
        FKeyPressed = false;
        InvalidateChange();
    }
}

void TkRadioGroup::HandleMouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft)
        return;
    if (CanFocus())
        SetFocus();
    FPressed = true;
    FHotItem = ItemAtPos(X, Y);
    InvalidateChange();
}

void TkRadioGroup::HandleMouseMove(TShiftState, int X, int Y)
{
    if (FPressed)
        SetHotItem(ItemAtPos(X, Y));
}

void TkRadioGroup::HandleMouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft || !FPressed)
        return;
    FPressed = false;
    InvalidateChange();
    if (FHotItem >= 0 && FHotItem < FItems->Count() && ItemAtPos(X, Y) == FHotItem)
        SetItemIndexByUser(FHotItem);
}

void TkRadioGroup::HandleLostFocus()
{
    TkCustomComponent::HandleLostFocus();
    FPressed = false;
    FKeyPressed = false;
    InvalidateChange();
}

void TkRadioGroup::PaintToCanvas(TCanvas* ACanvas)
{
    const int width = GetWidth();
    const int height = GetHeight();
    ACanvas->Font->Assign(Font);
    const int textHeight = ACanvas->TextHeight("ABC");
    FLayout = TkRadioGroupLayout::Calc(textHeight, width, height, FItems->Count(), FColumns);

    ACanvas->Brush->SetStyle(bsSolid);
    ACanvas->Brush->SetColor(GetBackGroundColor());
    ACanvas->FillRect(TRect(0, 0, width, height));

    // The etched group frame, its top edge through the middle of the caption.
    const int frameTop = ACanvas->TextHeight(FCaption) / 2;
    ACanvas->Pen->SetWidth(1);
    ACanvas->Pen->SetStyle(psSolid);
    ACanvas->Brush->SetStyle(bsClear);
    ACanvas->Pen->SetColor(clBtnHighlight);
    ACanvas->Rectangle(TRect(1, frameTop + 1, width, height));
    ACanvas->Pen->SetColor(clBtnShadow);
    ACanvas->Rectangle(TRect(0, frameTop, width - 1, height - 1));

    ACanvas->Brush->SetStyle(bsSolid);
    ACanvas->Brush->SetColor(GetBackGroundColor());
    const int captionLeft = ACanvas->TextWidth("A");
    ACanvas->TextOut(captionLeft, 0, FCaption);

    const bool pressed = FPressed || FKeyPressed;
    for (int i = 0; i < FItems->Count(); ++i) {
        const TPoint c = FLayout.ItemCenter(i);
        ACanvas->Pen->SetColor(clBtnShadow);
        ACanvas->Brush->SetColor(pressed && i == FHotItem ? clBtnFace : clWhite);
        ACanvas->Ellipse(c.X - CircleRadius, c.Y - CircleRadius, c.X + CircleRadius + 1, c.Y + CircleRadius + 1);
        if (i == FItemIndex) {
            ACanvas->Pen->SetColor(clBlack);
            ACanvas->Brush->SetColor(clBlack);
            ACanvas->Ellipse(c.X - 2, c.Y - 2, c.X + 3, c.Y + 3);
        }
        const std::string text = FItems->Strings(i);
        const int textLeft = c.X + CircleRadius + 4;
        const int textTop = c.Y - ACanvas->TextHeight(text) / 2;
        ACanvas->Brush->SetStyle(bsClear);
        ACanvas->TextOut(textLeft, textTop, text);
        ACanvas->Brush->SetStyle(bsSolid);
        if (GetFocused() && i == std::max(FItemIndex, 0))
            DrawFocusRectangle(ACanvas, TRect(textLeft - 2, textTop - 1, textLeft + ACanvas->TextWidth(text) + 2,
                                              textTop + ACanvas->TextHeight(text) + 1));
    }
}
