#include "plot/core/kPlotButton.h"

#include "ui/Timer.h"

TkPlotButton::TkPlotButton(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& ACallbacks)
    : TkPlotObject(AOwner, ACallbacks)
{
}

void TkPlotButton::BeforeDestruction()
{
    delete FRepeatTimer;
    FRepeatTimer = nullptr;
    TkPlotObject::BeforeDestruction();
}

void TkPlotButton::SetEnabled(bool Value)
{
    TkPlotObject::SetEnabled(Value);
    if (!Value)
        FreeRepeatTimer();
}

void TkPlotButton::FreeRepeatTimer()
{
    if (!FRepeatTimer)
        return;
    // A click handler may disable its own button: the timer then goes once
    // its tick has returned, not from inside it.
    if (FInRepeatTick) {
        FRepeatTimer->Enabled = false;
        FFreeTimerAfterTick = true;
        return;
    }
    delete FRepeatTimer;
    FRepeatTimer = nullptr;
}

unsigned TkPlotButton::RepeatInterval() const
{
    return FRepeatTimer && FRepeatTimer->GetEnabled() ? FRepeatTimer->GetInterval() : 0;
}

void TkPlotButton::DoMouseLeftDown(const TkPlotMouseData&)
{
    if (AutoRepeat) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(nullptr);
            FRepeatTimer->OnTimer = [this](TObject*) { RepeatTick(); };
        }
        FRepeatTimer->Interval = 500;
        FRepeatTimer->Enabled = true;
        FFirstRepeat = true;
    }
    CallPlotCallback(OnButtonChange, this);
}

void TkPlotButton::RepeatTick()
{
    FInRepeatTick = true;
    if (FFirstRepeat && FRepeatTimer) {
        FRepeatTimer->Interval = 50;
        FFirstRepeat = false;
    }
    CallPlotCallback(OnClick, this);
    CallPlotCallback(OnButtonChange, this);
    FInRepeatTick = false;
    if (FFreeTimerAfterTick) {
        FFreeTimerAfterTick = false;
        FreeRepeatTimer();
    }
}

void TkPlotButton::DoMouseUp(const TkPlotMouseData& Mouse)
{
    if (!GetPressed())
        return;
    SetPressed(false);
    FreeRepeatTimer();
    CallPlotCallback(OnButtonChange, this);
    if (PtInRect(FDrawRect, Mouse.Received)) {
        if (GroupIndex != 0)
            CallPlotCallback(OnGroupClick, this);
        // A click may free the button's owner, and the button with it.
        const TkPlotCallback click = OnClick;
        CallPlotCallback(click, this);
    }
}

void TkPlotButton::SetDown(bool Value)
{
    if (Value == FDown)
        return;
    FDown = Value;
    CallPlotCallback(OnButtonChange, this);
    CallPlotCallback(OnDownChange, this);
}
