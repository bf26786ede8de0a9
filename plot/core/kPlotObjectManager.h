#pragma once
// The all-objects manager: it sees every object of the plot and routes
// input to the selected ones.
#include <cstdint>
#include <string>

#include "plot/core/kPlotObjectManagerCustom.h"

class TPopupMenu;

// Every object of the plot; owns none of them.
class TkPlotObjectManager : public TkPlotObjectManagerCustom {
public:
    using TkPlotObjectManagerCustom::TkPlotObjectManagerCustom;

    TkPlotObject* CreateObject() override;
    std::string GetDefaultName() const override { return "n/a"; }
    void AddObject(TkPlotObject* Object) override { AddUnique(Object); }

    void ClearFocus();
    TShiftState GetShiftState() const { return FShiftState; }
    void SetShiftState(TShiftState Value);
    // Input for the selected objects, in list order.
    void MouseDown(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen, TPopupMenu* Menu);
    void MouseMove(TShiftState Shift, TPoint Client);
    void MouseUp(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen, bool DoubleClickPending,
                 TPopupMenu* Menu);
    void KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu);
    bool MouseWheel(int WheelDelta, TShiftState Shift, TPoint Client);
    // Freeing the objects afterwards notifies nobody.
    void DetachCallbacks();

protected:
    ~TkPlotObjectManager() override = default;

private:
    template <class F> void ForEachFocused(F Call);

    TShiftState FShiftState = 0;
};
