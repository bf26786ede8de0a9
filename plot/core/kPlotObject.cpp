#include "plot/core/kPlotObject.h"

#include <algorithm>
#include <cmath>

#include "plot/core/kPlotObjectRef.h"
#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "ui/Keys.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotObject>("TkPlotObject");
    return true;
}();

// Opens an object's popup menu from the keyboard.
constexpr std::uint16_t kKeyF10 = 0x79;
constexpr std::uint16_t kKeyApps = 0x5D;

}  // namespace

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
    FLife.reset();
    CallPlotCallback(Callbacks.OnRemove, this);
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
    CallPlotCallback(Callbacks.OnRename, this);
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
        CallPlotCallback(OnFocus, this);
        DoGotFocus();
    } else {
        DoLostFocus();
    }
}

void TkPlotObject::DoChange()
{
    CallPlotCallback(Callbacks.OnChange, this);
}

namespace {

// The content changes being announced on this thread, innermost first. A
// change callback, given only the item, asks here instead of finding out
// what the item is: it hears of a change at every point added.
struct TContentChange {
    const TObject* Item;
    const TContentChange* Outer;
};
thread_local const TContentChange* ContentChanges = nullptr;

}  // namespace

void TkPlotObject::DoContentChange()
{
    // Ends also when a handler raises.
    struct TMark {
        TContentChange Change;
        explicit TMark(const TObject* Item) : Change{Item, ContentChanges} { ContentChanges = &Change; }
        ~TMark() { ContentChanges = Change.Outer; }
        TMark(const TMark&) = delete;
        TMark& operator=(const TMark&) = delete;
    } mark(this);
    DoChange();
}

bool TkPlotObject::InContentChange(const TObject* Item)
{
    for (const TContentChange* change = ContentChanges; change; change = change->Outer)
        if (change->Item == Item)
            return true;
    return false;
}

void TkPlotObject::DoLayoutChange()
{
    CallPlotCallback(OnLayoutChange, this);
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
    // The popup's handler, the chosen item (the editor, where the user may
    // load a property file or remove this very object) and a button's
    // click may free the object: the release then ends with it.
    const TkPlotObjectRef self(this);
    if (FPopupArmed && HitTest(m)) {
        bool cancel = false;
        if (FOwner)
            FOwner->DoObjectPopupMenu(this, cancel, Screen.X, Screen.Y);
        if (!self)
            return;
        if (!cancel && Menu) {
            BuildPopupMenu(Menu);
            Menu->Popup(Screen.X, Screen.Y);
            if (!self)
                return;
        }
    }
    FPopupArmed = false;
    DoMouseUp(m);
    if (!self)
        return;
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
    // The popup's handler may free the object.
    const TkPlotObjectRef self(this);
    bool cancel = false;
    if (FOwner)
        FOwner->DoObjectPopupMenu(this, cancel, screen.X, screen.Y);
    if (cancel || !Menu || !self)
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
    CallPlotCallback(Callbacks.OnInsert, this);
}

void TkPlotObject::InvalidateNow()
{
    CallPlotCallback(OnInvalidate, this);
}

std::string TkPlotObject::TranslateText(const std::string& Text) const
{
    return FOwner ? FOwner->TranslateText(Text) : Text;
}

void TkPlotObject::AddEditMenuItem(TPopupMenu* Menu)
{
    if (!FUserCanEdit || !Menu)
        return;
    Menu->Items->Add(NewMenuItem(Menu, TranslateText("Edit..."), [this](TObject*) {
        // The editor may free this object, its callback with it.
        const TkPlotCallback edit = OnEdit;
        CallPlotCallback(edit, this);
    }));
}

void TkPlotObject::BuildPopupMenu(TPopupMenu* Menu)
{
    if (Menu)
        Menu->Items->Clear();
}

std::string TkPlotObject::GetLayerSortKey() const
{
    return SortKey(FLayer, 6);
}

std::string TkPlotObject::SortKey(int Value, std::size_t Digits)
{
    std::string text = IntToStr(Value);
    if (text.size() < Digits)
        text.insert(0, Digits - text.size(), '0');
    return text;
}

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
