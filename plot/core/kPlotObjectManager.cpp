#include "plot/core/kPlotObjectManager.h"

#include <vector>

#include "rtl/Exception.h"

TkPlotObject* TkPlotObjectManager::CreateObject()
{
    throw Exception("Object Manager does not support creation of objects");
}

void TkPlotObjectManager::ClearFocus()
{
    for (TkPlotObject* o : std::vector<TkPlotObject*>(Items()))
        o->SetFocused(false);
}

void TkPlotObjectManager::SetShiftState(TShiftState Value)
{
    FShiftState = Value;
    for (TkPlotObject* o : Items())
        o->SetShiftState(Value);
}

template <class F> void TkPlotObjectManager::ForEachFocused(F Call)
{
    // Focus is read as each object's turn comes, and the list is read afresh
    // each time: a handler may move the focus or free objects.
    for (int i = 0; i < GetCount(); ++i) {
        TkPlotObject* o = GetObject(i);
        if (o->GetFocused())
            Call(o);
    }
}

void TkPlotObjectManager::MouseDown(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen,
                                    TPopupMenu* Menu)
{
    ForEachFocused([&](TkPlotObject* o) { o->MouseDown(Button, Shift, Client, Screen, Menu); });
}

void TkPlotObjectManager::MouseMove(TShiftState Shift, TPoint Client)
{
    ForEachFocused([&](TkPlotObject* o) { o->MouseMove(Shift, Client); });
}

void TkPlotObjectManager::MouseUp(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen,
                                  bool DoubleClickPending, TPopupMenu* Menu)
{
    ForEachFocused([&](TkPlotObject* o) { o->MouseUp(Button, Shift, Client, Screen, DoubleClickPending, Menu); });
}

void TkPlotObjectManager::KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu)
{
    ForEachFocused([&](TkPlotObject* o) { o->KeyDown(Key, Shift, Menu); });
}

bool TkPlotObjectManager::MouseWheel(int WheelDelta, TShiftState Shift, TPoint Client)
{
    bool handled = false;
    ForEachFocused([&](TkPlotObject* o) { handled = o->MouseWheel(WheelDelta, Shift, Client) || handled; });
    return handled;
}

void TkPlotObjectManager::DetachCallbacks()
{
    for (TkPlotObject* o : Items()) {
        o->Callbacks.OnRemove = nullptr;
        o->Callbacks.OnChange = nullptr;
        o->OnLayoutChange = nullptr;
    }
}
