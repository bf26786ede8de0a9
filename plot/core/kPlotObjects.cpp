#include "plot/core/kPlotObjects.h"

#include <algorithm>
#include <cmath>

#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "ui/Keys.h"
#include "ui/Timer.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotObject>("TkPlotObject");
    RegisterPublishedClass<TkPlotLayoutObject, TkPlotObject>("TkPlotLayoutObject");
    return true;
}();

// Opens an object's popup menu from the keyboard.
constexpr std::uint16_t kKeyF10 = 0x79;
constexpr std::uint16_t kKeyApps = 0x5D;

void Call(const TkPlotCallback& Callback, TObject* Item)
{
    if (Callback)
        Callback(Item);
}

std::string PadLeft(std::string Text, std::size_t Width)
{
    if (Text.size() < Width)
        Text.insert(0, Width - Text.size(), '0');
    return Text;
}

}  // namespace

// ---------------------------------------------------------------- TkPlotObject

TkPlotObject::TkPlotObject(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& ACallbacks, const TkPlotKind& AKind)
    : Callbacks(ACallbacks),
      FOwner(AOwner),
      FKind(AKind)
{
}

void TkPlotObject::Free(TkPlotObject* Object)
{
    if (!Object)
        return;
    Object->BeforeDestruction();
    delete Object;
}

void TkPlotObject::BeforeDestruction()
{
    if (FDestroying)
        return;
    FDestroying = true;
    Call(Callbacks.OnRemove, this);
    DoLayoutChange();
}

void TkPlotObject::SetName(const std::string& Value)
{
    if (Value == FName)
        return;
    FOldName = FName;
    FName = Value;
    DoRename();
}

void TkPlotObject::DoRename()
{
    Call(Callbacks.OnRename, this);
    DoChange();
}

void TkPlotObject::SetVisible(bool Value)
{
    SetProperty(Value, FVisible, &TkPlotObject::DoChange);
}

void TkPlotObject::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    if (!Value) {
        FPressed = false;
        SetFocused(false);
    }
    DoChange();
}

void TkPlotObject::SetFocused(bool Value)
{
    if (Value == FFocused)
        return;
    FFocused = Value;
    InvalidateNow();
    if (Value) {
        Call(OnFocus, this);
        DoGotFocus();
    } else {
        DoLostFocus();
    }
}

void TkPlotObject::DoChange()
{
    Call(Callbacks.OnChange, this);
}

void TkPlotObject::DoContentChange()
{
    // Cleared also when a handler raises.
    struct TMark {
        bool& Flag;
        ~TMark() { Flag = false; }
    } mark{FInContentChange};
    FInContentChange = true;
    DoChange();
}

void TkPlotObject::DoLayoutChange()
{
    Call(OnLayoutChange, this);
    DoChange();
}

void TkPlotObject::PreDraw(TCanvas*)
{
    FPrepared = true;
}
void TkPlotObject::Draw(TCanvas*, TColor) {}

void TkPlotObject::DoGotFocus()
{
    if (FOwner)
        FOwner->DoObjectGotFocus(this);
}

void TkPlotObject::DoLostFocus()
{
    if (FOwner)
        FOwner->DoObjectLostFocus(this);
}

TkPlotMouseData TkPlotObject::MakeMouseData(TPoint Client) const
{
    TkPlotMouseData m;
    m.Received = Client;
    m.Point = FXYAxesReverse ? TPoint{Client.Y, Client.X} : Client;
    return m;
}

void TkPlotObject::MouseDown(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen, TPopupMenu*)
{
    if (!FEnabled)
        return;
    TkPlotMouseData m = MakeMouseData(Client);
    m.Button = Button;
    m.Shift = Shift;
    m.Screen = Screen;
    FPopupArmed = false;
    if (Button == mbRight) {
        FPopupArmed = FPopupEnabled;
        FPressed = true;
        DoMouseRightDown(m);
    } else if (Button == mbLeft) {
        FPressed = true;
        DoMouseLeftDown(m);
    }
    if (HitTest(m) && FOwner)
        FOwner->DoObjectMouseDown(this, Button, Shift, Client.X, Client.Y);
}

void TkPlotObject::MouseMove(TShiftState Shift, TPoint Client, TkPlotHintData* Hint)
{
    TkPlotMouseData m = MakeMouseData(Client);
    m.Shift = Shift;
    m.Hint = Hint;
    if (!FPressed)
        DoMouseHover(m);
    else
        DoMouseDrag(m);
    if (HitTest(m) && FOwner)
        FOwner->DoObjectMouseMove(this, Shift, Client.X, Client.Y);
}

void TkPlotObject::MouseUp(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen,
                           bool DoubleClickPending, TPopupMenu* Menu)
{
    TkPlotMouseData m = MakeMouseData(Client);
    m.Button = Button;
    m.Shift = Shift;
    m.Screen = Screen;
    m.Flag = DoubleClickPending;
    if (FPopupArmed && HitTest(m)) {
        bool cancel = false;
        if (FOwner)
            FOwner->DoObjectPopupMenu(this, cancel, Screen.X, Screen.Y);
        if (!cancel && Menu) {
            BuildPopupMenu(Menu);
            Menu->Popup(Screen.X, Screen.Y);
        }
    }
    FPopupArmed = false;
    DoMouseUp(m);
    if (FPressed) {
        FPressed = false;
        if (FOwner)
            FOwner->DoObjectMouseUp(this, Button, Shift, Client.X, Client.Y);
    }
}

bool TkPlotObject::MouseWheel(int WheelDelta, TShiftState Shift, TPoint Client)
{
    const bool handled = DoMouseWheel(WheelDelta, Shift, Client);
    if (FOwner)
        FOwner->DoObjectMouseWheel(this, WheelDelta, Shift, Client.X, Client.Y);
    return handled;
}

void TkPlotObject::KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu)
{
    const bool menuKey = (Key == kKeyF10 && (Shift & ssShift)) || Key == kKeyApps;
    if (!menuKey || !FPopupEnabled)
        return;
    TPoint centre;
    const bool placed = PopupCentre(centre);
    const TPoint screen = placed && FOwner ? FOwner->ClientToScreen(centre) : centre;
    bool cancel = false;
    if (FOwner)
        FOwner->DoObjectPopupMenu(this, cancel, screen.X, screen.Y);
    if (cancel || !Menu)
        return;
    BuildPopupMenu(Menu);
    if (placed)
        Menu->Popup(screen.X, screen.Y);
}

bool TkPlotObject::HitTest(const TkPlotMouseData&)
{
    return false;
}

TkPlotObject* TkPlotObject::GetObjectAt(TPoint)
{
    FHitObject = this;
    return this;
}

TCursor TkPlotObject::GetMouseCursor(TPoint P)
{
    if (FHitObject && FHitObject != this)
        return FHitObject->GetMouseCursor(P);
    FHitObject = this;
    return crDefault;
}

void TkPlotObject::DoInsert()
{
    Call(Callbacks.OnInsert, this);
}

void TkPlotObject::InvalidateNow()
{
    Call(OnInvalidate, this);
}

std::string TkPlotObject::TranslateText(const std::string& Text) const
{
    return FOwner ? FOwner->TranslateText(Text) : Text;
}

void TkPlotObject::AddEditMenuItem(TPopupMenu* Menu)
{
    if (!FUserCanEdit || !Menu)
        return;
    Menu->Items->Add(NewMenuItem(Menu, TranslateText("Edit..."), [this](TObject*) { Call(OnEdit, this); }));
}

void TkPlotObject::BuildPopupMenu(TPopupMenu* Menu)
{
    if (Menu)
        Menu->Items->Clear();
}

std::string TkPlotObject::GetLayerSortKey() const
{
    return PadLeft(IntToStr(FLayer), 6);
}

// ---------------------------------------------------------------- TkPlotManagerObject

const TkPlotObjectCallbacks& CheckPlotCallbacks(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& c,
                                                const char* NoOwnerMessage)
{
    if (!AOwner)
        throw Exception(NoOwnerMessage);
    if (!c.OnChange)
        throw Exception("OnChange event handler can not be null");
    if (!c.OnInsert)
        throw Exception("OnInsert event handler can not be null");
    if (!c.OnRemove)
        throw Exception("OnRemove event handler can not be null");
    if (!c.OnRename)
        throw Exception("AOnRename event handler can not be null");
    return c;
}

TkPlotManagerObject::TkPlotManagerObject(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& ACallbacks,
                                         const TkPlotKind& AKind)
    : TkPlotObject(AOwner, CheckPlotCallbacks(AOwner, ACallbacks, "Owner must be assigned"), AKind)
{
}

// ---------------------------------------------------------------- TkPlotLayoutObject

TkPlotLayoutObject::TkPlotLayoutObject(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& ACallbacks,
                                       const TkPlotKind& AKind)
    : TkPlotManagerObject(AOwner, ACallbacks, AKind)
{
}

bool TkPlotLayoutObject::HitTest(const TkPlotMouseData& Mouse)
{
    return PtInRect(FDrawRect, Mouse.Received);
}

void TkPlotLayoutObject::DoInsert()
{
    TkPlotObject::DoInsert();
    if (OnLayoutChange)
        OnLayoutChange(this);
}

void TkPlotLayoutObject::SetStartPercent(double Value)
{
    Value = std::clamp(Value, 0.0, 100.0);
    if (FStopPercent - Value < 1) {
        FStopPercent = Value + 1;
        if (FStopPercent > 100) {
            FStopPercent = 100;
            Value = 99;
        }
    }
    SetProperty(Value, FStartPercent, &TkPlotObject::DoChange);
}

void TkPlotLayoutObject::SetStopPercent(double Value)
{
    Value = std::clamp(Value, 0.0, 100.0);
    if (Value - FStartPercent < 1) {
        FStartPercent = Value - 1;
        if (FStartPercent < 0) {
            FStartPercent = 0;
            Value = 1;
        }
    }
    SetProperty(Value, FStopPercent, &TkPlotObject::DoChange);
}

void TkPlotLayoutObject::SetStartStopPercent(double Start, double Stop)
{
    FStartPercent = Start;
    FStopPercent = Stop;
    DoChange();
}

void TkPlotLayoutObject::SetForceStacking(bool Value)
{
    SetProperty(Value, FForceStacking, &TkPlotObject::DoLayoutChange);
}
void TkPlotLayoutObject::SetFarSide(bool Value)
{
    SetProperty(Value, FFarSide, &TkPlotObject::DoChange);
}

std::string TkPlotLayoutObject::GetZOrderKey() const
{
    return PadLeft(IntToStr(FZOrder), 3);
}

std::string TkPlotLayoutObject::GetStartPercentKey() const
{
    return PadLeft(IntToStr(RoundToInt(FStartPercent)), 3);
}

bool TkPlotLayoutObject::PopupCentre(TPoint& P) const
{
    P = TPoint{(FDrawRect.Left + FDrawRect.Right) / 2, (FDrawRect.Top + FDrawRect.Bottom) / 2};
    return true;
}

// ---------------------------------------------------------------- TkPlotButton

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
    Call(OnButtonChange, this);
}

void TkPlotButton::RepeatTick()
{
    FInRepeatTick = true;
    if (FFirstRepeat && FRepeatTimer) {
        FRepeatTimer->Interval = 50;
        FFirstRepeat = false;
    }
    Call(OnClick, this);
    Call(OnButtonChange, this);
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
    Call(OnButtonChange, this);
    if (PtInRect(FDrawRect, Mouse.Received)) {
        if (GroupIndex != 0)
            Call(OnGroupClick, this);
        Call(OnClick, this);
    }
}

void TkPlotButton::SetDown(bool Value)
{
    if (Value == FDown)
        return;
    FDown = Value;
    Call(OnButtonChange, this);
    Call(OnDownChange, this);
}
