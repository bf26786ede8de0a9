#include "plot/editor/kUpDown.h"

#include <algorithm>

#include "plot/core/kGPFunctions.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "rtl/NumberFormat.h"
#include "ui/Timer.h"

namespace {

// The first repeat waits as a key's repeat does, then steps quickly.
constexpr unsigned FirstRepeat = 500;
constexpr unsigned NextRepeat = 50;

}  // namespace

TkUpDown::TkUpDown(TComponent* AOwner) : TGraphicControl(AOwner), FTimer(std::make_unique<TTimer>(nullptr))
{
    FTimer->SetEnabled(false);
    FTimer->OnTimer = [this](TObject*) { Repeat(); };
    SetBounds(0, 0, 15, 21);
}

TkUpDown::~TkUpDown()
{
    SetAssociate(nullptr);
}

void TkUpDown::SetAssociate(TkComponentEditorEdit* Value)
{
    if (FAssociate)
        FAssociate->RemoveFreeNotification(this);
    FAssociate = Value;
    if (!Value)
        return;
    Value->FreeNotification(this);
    SetBounds(Value->GetLeft() + Value->GetWidth(), Value->GetTop(), GetWidth(), Value->GetHeight());
}

void TkUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FAssociate)
        FAssociate = nullptr;
}

void TkUpDown::SetEnabled(bool Value)
{
    TGraphicControl::SetEnabled(Value);
    if (FAssociate)
        FAssociate->SetEnabled(Value);
    Invalidate();
}

void TkUpDown::Step(int Direction)
{
    if (!FAssociate)
        return;
    std::int64_t value = FAssociate->GetInteger() + std::int64_t(Direction) * FIncrement;
    if (FMin != 0 || FMax != 0)
        value = std::max<std::int64_t>(std::min<std::int64_t>(value, FMax), FMin);
    FAssociate->CommitText(IntToStr(value));
}

void TkUpDown::Repeat()
{
    FTimer->SetInterval(NextRepeat);
    Step(FPressed);
}

void TkUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !GetEnabled())
        return;
    FPressed = Y < GetHeight() / 2 ? 1 : -1;
    Invalidate();
    Step(FPressed);
    FTimer->SetInterval(FirstRepeat);
    FTimer->SetEnabled(true);
}

void TkUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    FTimer->SetEnabled(false);
    FPressed = 0;
    Invalidate();
}

void TkUpDown::Paint()
{
    const int width = GetWidth();
    const int half = GetHeight() / 2;
    const TRect upper(0, 0, width, half);
    const TRect lower(0, half, width, GetHeight());
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(clBtnFace);
    Canvas->FillRect(TRect(0, 0, width, GetHeight()));
    DrawBorder(Canvas, upper, FPressed == 1 ? 0 : 1);
    DrawBorder(Canvas, lower, FPressed == -1 ? 0 : 1);

    const int size = std::max(1, std::min(half, width) / 7);
    const TColor colour = GetEnabled() ? clBlack : clGray;
    Canvas->Pen->SetColor(colour);
    Canvas->Brush->SetColor(colour);
    const int cx = width / 2;
    const int upY = half / 2;
    const int downY = half + half / 2;
    Canvas->Polygon({TPoint(cx - 2 * size, upY + size), TPoint(cx + 2 * size, upY + size), TPoint(cx, upY - size)});
    Canvas->Polygon(
        {TPoint(cx - 2 * size, downY - size), TPoint(cx + 2 * size, downY - size), TPoint(cx, downY + size)});
}
