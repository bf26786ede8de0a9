#include "plot/editor/kComponentEditorListBox.h"

#include <algorithm>
#include <utility>

#include "ui/Keys.h"

TkComponentEditorListBox::TkComponentEditorListBox(TComponent* AOwner)
    : TCustomControl(AOwner),
      FItems(std::make_unique<TStringList>())
{
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    // OnClick means a selection the user made, not any click.
    FClickOnMouseUp = false;
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TkComponentEditorListBox::~TkComponentEditorListBox()
{
    FItems->OnChange = nullptr;
}

void TkComponentEditorListBox::ItemsChanged()
{
    if (FItemIndex >= FItems->Count())
        FItemIndex = -1;
    FTopIndex = std::max(0, std::min(FTopIndex, FItems->Count() - 1));
    Invalidate();
}

void TkComponentEditorListBox::SetItemIndex(int Value)
{
    if (Value < 0 || Value >= FItems->Count())
        Value = -1;
    if (Value == FItemIndex)
        return;
    FItemIndex = Value;
    KeepSelectionInView();
    Invalidate();
}

void TkComponentEditorListBox::SetItemHeight(int Value)
{
    if (Value < 1 || Value == FItemHeight)
        return;
    FItemHeight = Value;
    Invalidate();
}

void TkComponentEditorListBox::KeepSelectionInView()
{
    if (FItemIndex < 0)
        return;
    const int visible = std::max(1, GetClientHeight() / FItemHeight);
    if (FItemIndex < FTopIndex)
        FTopIndex = FItemIndex;
    else if (FItemIndex >= FTopIndex + visible)
        FTopIndex = FItemIndex - visible + 1;
}

void TkComponentEditorListBox::SelectByUser(int Index)
{
    if (Index < 0 || Index >= FItems->Count() || Index == FItemIndex)
        return;
    SetItemIndex(Index);
    Click();
}

void TkComponentEditorListBox::SelectLast()
{
    SetItemIndex(FItems->Count() - 1);
}

void TkComponentEditorListBox::DeleteSelected()
{
    if (FItems->Count() == 0 || FItemIndex < 0)
        return;
    const int index = FItemIndex;
    TObject* object = FItems->GetObject(index);
    FItems->Delete(index);
    delete object;
    FItemIndex = -1;
    SetItemIndex(std::min(index, FItems->Count() - 1));
}

void TkComponentEditorListBox::RemoveObject(TObject* Object)
{
    const int found = FItems->IndexOfObject(Object);
    if (found < 0)
        return;
    const int selected = FItemIndex;
    FItems->Delete(found);
    FItemIndex = -1;
    SetItemIndex(std::min(selected, FItems->Count() - 1));
}

int TkComponentEditorListBox::ItemAtPos(int, int Y) const
{
    if (Y < 0)
        return -1;
    const int index = FTopIndex + Y / FItemHeight;
    return index < FItems->Count() ? index : -1;
}

void TkComponentEditorListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if (CanFocus())
        SetFocus();
    SelectByUser(ItemAtPos(X, Y));
    FDragFrom = FDragEnabled ? FItemIndex : -1;
}

void TkComponentEditorListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    const int from = std::exchange(FDragFrom, -1);
    if (Button != mbLeft || from < 0 || FItems->Count() == 0)
        return;
    // Dropped below the last entry: the entry goes last.
    const int to = std::max(0, std::min(FTopIndex + std::max(0, Y) / FItemHeight, FItems->Count() - 1));
    if (to == from)
        return;
    FItems->Move(from, to);
    FItemIndex = -1;
    SetItemIndex(to);
    if (OnItemMove)
        OnItemMove(this);
}

void TkComponentEditorListBox::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    const int last = FItems->Count() - 1;
    const int page = std::max(1, GetClientHeight() / FItemHeight);
    switch (Key) {
    case VK_UP: SelectByUser(std::max(0, FItemIndex - 1)); break;
    case VK_DOWN: SelectByUser(std::min(last, FItemIndex + 1)); break;
    case VK_HOME: SelectByUser(0); break;
    case VK_END: SelectByUser(last); break;
    case VK_PRIOR: SelectByUser(std::max(0, FItemIndex - page)); break;
    case VK_NEXT: SelectByUser(std::min(last, FItemIndex + page)); break;
    default: return;
    }
    Key = 0;
}

void TkComponentEditorListBox::Paint()
{
    const int width = GetClientWidth();
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(clWindow);
    Canvas->FillRect(TRect(0, 0, width, GetClientHeight()));
    for (int i = FTopIndex, y = 0; i < FItems->Count() && y < GetClientHeight(); ++i, y += FItemHeight) {
        const TRect r(0, y, width, y + FItemHeight);
        const bool selected = i == FItemIndex;
        Canvas->Brush->SetColor(selected ? clTeal : clWindow);
        Canvas->FillRect(r);
        bool showColor = true;
        std::string text = FItems->Get(i);
        TColor color = clRed;
        if (OnGetData)
            OnGetData(this, i, showColor, text, color);
        Canvas->Font->SetColor(selected ? clWhite : clBlack);
        Canvas->Brush->SetStyle(bsClear);
        Canvas->TextOut(showColor ? 22 : 2, y + (FItemHeight - Canvas->TextHeight(text)) / 2, text);
        Canvas->Brush->SetStyle(bsSolid);
        if (showColor) {
            Canvas->Brush->SetColor(color);
            Canvas->Pen->SetColor(clBlack);
            Canvas->Rectangle(TRect(2, y + 1, 18, y + FItemHeight - 1));
        }
    }
}
